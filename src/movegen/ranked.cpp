// The scan from ply 2 on, where no square gains hits: a record's rank (count, threat,
// windows) is its analysis's rank bucket, and the live state keeps the empty squares by
// bucket for each colour. So the lists are read off bucket by bucket from the top, each
// bucket's squares in scan order, which is the stable ranking; only the head of each list
// is written.
#include "analysis/live.h"
#include "movegen/scan.h"

namespace {

// Buckets by count (count_bucket): a stone in a bucket from these up makes a four, a five.
constexpr int FOUR_BUCKETS = count_bucket(3);
constexpr int FIVE_BUCKETS = count_bucket(4);

// From ply 2 on the selection and the score read only the head of each list: the fours
// (count 3 and up), the own records tagged above 0 (fours and open threes: own buckets
// from OWN_KEPT; none at all after a quiet move, which makes every tag 0, and none past
// threat_depth, where only fours are tried; opponent records are all tagged 0), the
// first nine records, and up to five others. So every record from the list's kept bucket
// up is written, and then the next nine below it; the rest are left out.
constexpr int OWN_KEPT = rank_bucket(point_info{2, 2, 0, 0, 0}); // the lowest open three
constexpr int KEPT_BELOW = 9;

// Fills `list` with the head of colour index k's list: bucket by bucket from the top, the
// squares for which `filed(b, c, infos)` gives a tag (NOT_FILED: not in this list), every one
// from bucket `kept` up and KEPT_BELOW more. A listed square is empty, so its buckets are
// the rank buckets of its analyses.
constexpr int NOT_FILED = -99;
template <typename F> void read_off(int k, int kept, move_list &list, F filed) {
    list.n = 0;
    int below = 0;
    live_each_bucket_down(k, [&](int b) {
        return live_each_in_bucket(k, b, [&](int c) {
            const point_info *infos = live_infos_at(c);
            const int tag = filed(b, c, infos);
            if (tag == NOT_FILED) return true;
            list.rec[list.n++] = move_rec{c / MAX_DIM, c % MAX_DIM, infos[k], tag};
            return b >= kept || ++below < KEPT_BELOW;
        });
    });
}

// The filing rules of file_square, read from the buckets: a square goes to the own list
// when the side to move's analysis ranks at least as high, and also, when the opponent's
// ranks higher, if it is an own four or an own open three on the opponent's simple four;
// it goes to the opponent's list when the opponent's ranks higher. Under renju (Renju)
// black's analysis of a barred square counts for nothing, as file_screened_square has it: the
// square leaves black's buckets, and white's analysis of it ranks higher than black's.
template <bool Renju>
int scan_ranked_under(int side, int ply, int parent_tag, scan_state &st, move_list &out) {
    const int own = colour_index(side), opp = 1 - own;
    auto barred = [&](int k, int c) {
        return Renju && k == 0 && black_barred(st, c / MAX_DIM, c % MAX_DIM);
    };
    auto info_of = [&](int k, int c) { return barred(k, c) ? NO_POINT : live_infos_at(c)[k]; };
    auto bucket_of = [&](int k, int c) { return barred(k, c) ? 0 : int{live_bucket_table[c][k]}; };
    // 1. A five of the side to move ends the scan: the first one in scan order.
    if (int c = live_first_ranked(own, FIVE_BUCKETS); c >= 0) {
        uloz_tah(c / MAX_DIM, c % MAX_DIM, live_infos_at(c)[own], TAG_FIVE, out);
        return 1;
    }
    // 2. Every own four is filed; opponent fours where the opponent ranks higher.
    if (!Renju) st.own_fours += live_ranked_count(own, FOUR_BUCKETS, FIVE_BUCKETS);
    for (int b = FOUR_BUCKETS; Renju && b < FIVE_BUCKETS; b++)
        live_each_in_bucket(own, b, [&](int c) {
            st.own_fours += !barred(own, c);
            return true;
        });
    live_each_bucket_down(opp, [&](int b) {
        if (b < FOUR_BUCKETS) return false;
        live_each_in_bucket(opp, b, [&](int c) {
            st.opp_fours += !barred(opp, c) && b > bucket_of(own, c);
            return true;
        });
        return true;
    });
    // 3. The heads of both lists.
    const int three_tag = parent_tag != TAG_QUIET ? TAG_THREAT : TAG_QUIET;
    const bool attacks_read = parent_tag != TAG_QUIET && ply <= levels.threat_depth;
    read_off(own, attacks_read ? OWN_KEPT : FOUR_BUCKETS, st.own_list,
             [&](int b, int c, const point_info *infos) {
                 if (barred(own, c)) return NOT_FILED;
                 const point_info &o = infos[own];
                 const bool open_three = makes_open_three(o);
                 if (makes_four(o)) return st.attack_tag;
                 if (b >= bucket_of(opp, c)) return open_three ? three_tag : TAG_QUIET;
                 return open_three && makes_simple_four(info_of(opp, c)) ? three_tag : NOT_FILED;
             });
    read_off(opp, FOUR_BUCKETS, st.opp_list, [&](int b, int c, const point_info *) {
        if (barred(opp, c)) return NOT_FILED;
        return b > bucket_of(own, c) ? TAG_QUIET : NOT_FILED;
    });
    return 0;
}

} // namespace

int scan_ranked(int side, int ply, int parent_tag, scan_state &st, move_list &out) {
    return st.screen.renju ? scan_ranked_under<true>(side, ply, parent_tag, st, out)
                           : scan_ranked_under<false>(side, ply, parent_tag, st, out);
}
