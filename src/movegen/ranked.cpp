// The scan from ply 2 on, where no square gains hits: a record's rank (count, threat,
// windows) is its analysis's rank bucket, and the live state keeps the empty squares by
// bucket for each colour. So the lists are read off bucket by bucket from the top, each
// bucket's squares in scan order, which is the stable ranking; only the head of each list
// is written.
#include <bit>

#include "movegen/scan.h"

namespace {

// Buckets by count: 1 + (count - 1) * 20 up to the next count's first bucket.
constexpr int FOUR_BUCKETS = 1 + 2 * 20; // count 3: a stone there makes a four
constexpr int FIVE_BUCKETS = 1 + 3 * 20; // count 4: a stone there makes five

// From ply 2 on the selection and the score read only the head of each list: the fours
// (count 3 and up), the own records tagged above 0 (fours and open threes: own buckets
// from OWN_KEPT; none at all after a quiet move, which makes every tag 0, and none past
// threat_depth, where only fours are tried; opponent records are all tagged 0), the
// first nine records, and up to five others. So every record from the list's kept bucket
// up is written, and then the next nine below it; the rest are left out.
constexpr int OWN_KEPT = 22; // count 2, threat 0, windows 2
constexpr int KEPT_BELOW = 9;

// Calls f(c) for the cells of colour index k's bucket b, in scan order, until f returns
// false; returns false when it did.
template <typename F> bool each_in_bucket(int k, int b, F f) {
    for (unsigned words = live.ranked_words[k][b]; words != 0; words &= words - 1) {
        const int w = std::countr_zero(words);
        for (std::uint64_t bits = live.ranked[k][b][w]; bits != 0; bits &= bits - 1)
            if (!f(w * 64 + std::countr_zero(bits))) return false;
    }
    return true;
}

// The highest non-empty bucket of colour index k below bucket `below`, or 0.
int next_filled(int k, int below) {
    for (int half = (below - 1) >> 6; half >= 0; half--) {
        std::uint64_t bits = live.filled[k][half];
        if (half == (below - 1) >> 6) bits &= ~std::uint64_t{0} >> (63 - ((below - 1) & 63));
        if (bits != 0) return half * 64 + 63 - std::countl_zero(bits);
    }
    return 0;
}

// Calls f(b) for every non-empty bucket b of colour index k from `from` up, lowest first.
template <typename F> void each_filled(int k, int from, F f) {
    for (int half = from >> 6; half < 2; half++) {
        std::uint64_t bits = live.filled[k][half];
        if (half == from >> 6) bits &= ~std::uint64_t{0} << (from & 63);
        for (; bits != 0; bits &= bits - 1) f(half * 64 + std::countr_zero(bits));
    }
}

// The first cell in scan order among colour index k's buckets from..RANK_BUCKETS-1, or -1.
int first_ranked(int k, int from) {
    int first = -1;
    each_filled(k, from, [&](int b) {
        for (int w = 0; w < RANKED_WORDS; w++) {
            if (live.ranked[k][b][w] == 0) continue;
            const int c = w * 64 + std::countr_zero(live.ranked[k][b][w]);
            if (first < 0 || c < first) first = c;
            break;
        }
    });
    return first;
}

void append(int c, int k, int tag, move_list &list) {
    list.rec[list.n++] = move_rec{c / MAX_DIM, c % MAX_DIM, live.info[c][k], tag};
}

// Fills `list` with the head of colour index k's list: bucket by bucket from the top, the
// squares for which `filed(c)` gives a tag (NOT_FILED: not in this list), every one from
// bucket `kept` up and KEPT_BELOW more.
constexpr int NOT_FILED = -99;
template <typename F> void read_off(int k, int kept, move_list &list, F filed) {
    list.n = 0;
    int below = 0;
    for (int b = next_filled(k, RANK_BUCKETS); b > 0; b = next_filled(k, b)) {
        const bool full = !each_in_bucket(k, b, [&](int c) {
            const int tag = filed(c);
            if (tag == NOT_FILED) return true;
            append(c, k, tag, list);
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
    if (int c = first_ranked(own, FIVE_BUCKETS); c >= 0) {
        uloz_tah(c / MAX_DIM, c % MAX_DIM, live.info[c][own], TAG_FIVE, out);
        return 1;
    }
    // 2. Every own four is filed; opponent fours where the opponent ranks higher.
    each_filled(own, FOUR_BUCKETS, [&](int b) {
        if (b < FIVE_BUCKETS) st.own_fours += live.ranked_size[own][b];
    });
    for (int b = next_filled(opp, RANK_BUCKETS); b >= FOUR_BUCKETS; b = next_filled(opp, b))
        each_in_bucket(opp, b, [&](int c) {
            st.opp_fours += b > live.bucket[c][own];
            return true;
        });
    // 3. The heads of both lists.
    const int three_tag = parent_tag != TAG_QUIET ? TAG_THREAT : TAG_QUIET;
    const bool attacks_read = parent_tag != TAG_QUIET && ply <= levels.threat_depth;
    read_off(own, attacks_read ? OWN_KEPT : FOUR_BUCKETS, st.own_list, [&](int c) {
        const point_info &o = live.info[c][own], &p = live.info[c][opp];
        const bool open_three = makes_open_three(o);
        if (makes_four(o)) return st.attack_tag;
        if (live.bucket[c][own] >= live.bucket[c][opp]) return open_three ? three_tag : TAG_QUIET;
        return open_three && makes_simple_four(p) ? three_tag : NOT_FILED;
    });
    read_off(opp, FOUR_BUCKETS, st.opp_list, [&](int c) {
        return live.bucket[c][opp] > live.bucket[c][own] ? TAG_QUIET : NOT_FILED;
    });
    return 0;
}
