// The scan from ply 2 on, where no square gains hits: a record's rank (count, threat,
// windows) is its analysis's rank bucket, and the live state keeps the empty squares by
// bucket for each colour. So the lists are read off bucket by bucket from the top, each
// bucket's squares in scan order, which is the stable ranking; only the head of each list
// is written.
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
// squares for which `filed(b, infos)` gives a tag (NOT_FILED: not in this list), every one
// from bucket `kept` up and KEPT_BELOW more. A listed square is empty, so its buckets are
// the rank buckets of its analyses.
constexpr int NOT_FILED = -99;
template <typename F> void read_off(int k, int kept, move_list &list, F filed) {
    list.n = 0;
    int below = 0;
    for (int b = live_bucket_below(k, RANK_BUCKETS); b > 0; b = live_bucket_below(k, b)) {
        const bool full = !live_each_in_bucket(k, b, [&](int c) {
            const point_info *infos = live_infos_at(c);
            const int tag = filed(b, infos);
            if (tag == NOT_FILED) return true;
            list.rec[list.n++] = move_rec{c / MAX_DIM, c % MAX_DIM, infos[k], tag};
            return b >= kept || ++below < KEPT_BELOW;
        });
        if (full) break;
    }
}

} // namespace

// The filing rules of file_square, read from the buckets: a square goes to the own list
// when the side to move's analysis ranks at least as high, and also, when the opponent's
// ranks higher, if it is an own four or an own open three on the opponent's simple four;
// it goes to the opponent's list when the opponent's ranks higher.
int scan_ranked(int side, int ply, int parent_tag, scan_state &st, move_list &out) {
    const int own = side == 1 ? 0 : 1, opp = 1 - own;
    // 1. A five of the side to move ends the scan: the first one in scan order.
    if (int c = live_first_ranked(own, FIVE_BUCKETS); c >= 0) {
        uloz_tah(c / MAX_DIM, c % MAX_DIM, live_infos_at(c)[own], TAG_FIVE, out);
        return 1;
    }
    // 2. Every own four is filed; opponent fours where the opponent ranks higher.
    st.own_fours += live_ranked_count(own, FOUR_BUCKETS, FIVE_BUCKETS);
    for (int b = live_bucket_below(opp, RANK_BUCKETS); b >= FOUR_BUCKETS;
         b = live_bucket_below(opp, b))
        live_each_in_bucket(opp, b, [&](int c) {
            st.opp_fours += b > rank_bucket(live_infos_at(c)[own]);
            return true;
        });
    // 3. The heads of both lists.
    const int three_tag = parent_tag != TAG_QUIET ? TAG_THREAT : TAG_QUIET;
    const bool attacks_read = parent_tag != TAG_QUIET && ply <= levels.threat_depth;
    read_off(own, attacks_read ? OWN_KEPT : FOUR_BUCKETS, st.own_list,
             [&](int b, const point_info *infos) {
                 const point_info &o = infos[own], &p = infos[opp];
                 const bool open_three = makes_open_three(o);
                 if (makes_four(o)) return st.attack_tag;
                 if (b >= rank_bucket(p)) return open_three ? three_tag : TAG_QUIET;
                 return open_three && makes_simple_four(p) ? three_tag : NOT_FILED;
             });
    read_off(opp, FOUR_BUCKETS, st.opp_list, [&](int b, const point_info *infos) {
        return b > rank_bucket(infos[own]) ? TAG_QUIET : NOT_FILED;
    });
    return 0;
}
