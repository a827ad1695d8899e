// Move records and lists: appending, ranking, the stable sort, hits and quiet_after.
#include <algorithm>
#include <cstdint>

#include "analysis/ranks.h"
#include "movegen/movegen.h"

// Sort keys: the four ranking fields packed above the record's index, inverted so that
// ascending keys put the strongest first and, among equal records, the earlier one first.
// That makes std::sort (in place, no allocation) give exactly what a stable sort gives.
constexpr int INDEX_BITS = 9, HITS_BITS = 14, SMALL_BITS = 3;
static_assert(MAX_MOVES <= 1 << INDEX_BITS, "record indices fit their field");
static_assert(MAX_SQUARES < 1 << HITS_BITS, "hits fit their field");
static_assert(INDEX_BITS + HITS_BITS + 3 * SMALL_BITS <= 32, "a key fits 32 bits");
constexpr std::uint32_t RANK_MAX = (1u << (HITS_BITS + 3 * SMALL_BITS)) - 1;

static bool fits(int v, int bits) {
    return v >= 0 && v < 1 << bits;
}

constexpr std::uint32_t NO_RANK = ~0u;

// The packed ranking fields, or NO_RANK when one lies outside what the generator stores.
static std::uint32_t packed_rank(const point_info &p) {
    if (!fits(p.count, SMALL_BITS) || !fits(p.threat, SMALL_BITS) || !fits(p.windows, SMALL_BITS) ||
        !fits(p.hits, HITS_BITS))
        return NO_RANK;
    return static_cast<std::uint32_t>(
        (((p.count << SMALL_BITS | p.threat) << SMALL_BITS | p.windows) << HITS_BITS) | p.hits);
}

// Fallback for records with fields out of the packed ranges: sort indices by the comparator
// with the index as the last key.
static void sort_indices(const move_list &list, std::uint32_t *order) {
    for (int i = 0; i < list.n; i++) order[i] = static_cast<std::uint32_t>(i);
    std::sort(order, order + list.n, [&list](std::uint32_t a, std::uint32_t b) {
        int r = cmp_move_rec(list.rec[a], list.rec[b]);
        return r != 0 ? r < 0 : a < b;
    });
}

// Records in the order of `order` (indices into the list).
static void reorder(move_list &list, const std::uint32_t *order) {
    move_rec sorted[MAX_MOVES];
    for (int i = 0; i < list.n; i++) sorted[i] = list.rec[order[i]];
    std::copy(sorted, sorted + list.n, list.rec);
}

// Records with hits, or with fields out of the packed ranges: a comparison sort of packed
// keys (or of indices).
static void sort_by_keys(move_list &list) {
    const int n = list.n;
    std::uint32_t keys[MAX_MOVES];
    bool packed = true;
    for (int i = 0; i < n && packed; i++) {
        std::uint32_t rank = packed_rank(list.rec[i].info);
        packed = rank != NO_RANK;
        keys[i] = (RANK_MAX - rank) << INDEX_BITS | static_cast<std::uint32_t>(i);
    }
    if (packed) {
        std::sort(keys, keys + n);
        for (int i = 0; i < n; i++) keys[i] &= (1u << INDEX_BITS) - 1;
    } else {
        sort_indices(list, keys);
    }
    reorder(list, keys);
}

// Without hits a filed record's rank is its rank_bucket: count 1..4, threat 0..3 and
// windows 1..5. Anything else (hits, or fields the generator never stores) gives -1.
static int bucket_of(const point_info &p) {
    const unsigned count = static_cast<unsigned>(p.count - 1),
                   threat = static_cast<unsigned>(p.threat),
                   windows = static_cast<unsigned>(p.windows - 1);
    if (p.hits != 0 || count > 3 || threat > 3 || windows > 4) return -1;
    return rank_bucket(p);
}

// A counting sort: records go to their bucket's place in scan order, so equal records keep
// their order in linear time.
void sort_moves(move_list &list) {
    const int n = list.n;
    if (n < 2) return;
    // 1. Buckets and their sizes.
    int bucket[MAX_MOVES];
    int first[RANK_BUCKETS] = {};
    for (int i = 0; i < n; i++) {
        bucket[i] = bucket_of(list.rec[i].info);
        if (bucket[i] < 0) return sort_by_keys(list);
        first[bucket[i]]++;
    }
    // 2. Where each bucket starts, the highest first.
    for (int b = RANK_BUCKETS - 1, at = 0; b >= 0; b--) {
        const int size = first[b];
        first[b] = at;
        at += size;
    }
    // 3. Every record to its place.
    move_rec sorted[MAX_MOVES];
    for (int i = 0; i < n; i++) sorted[first[bucket[i]]++] = list.rec[i];
    std::copy(sorted, sorted + n, list.rec);
}

int quiet_after(const move_list &out, const move_list &src, int src_count, move_list &scratch) {
    scratch.n = 0;
    if (out.n == 0) return 0;
    // 1. Where the last output record stands in the source list.
    const move_rec &last = out.rec[out.n - 1];
    int at = 0;
    while (at < src_count && (src.rec[at].x != last.x || src.rec[at].y != last.y)) at++;
    if (at == src_count) return 0;
    // 2. The quiet single-threat squares below it.
    for (int i = at + 1; i < src_count; i++) {
        const move_rec &r = src.rec[i];
        if (r.info.threat == 1 && r.tag == TAG_QUIET && r.info.hits == 0)
            uloz_tah(r.x, r.y, r.info, r.tag, scratch);
    }
    return scratch.n;
}

// The tag a match gives: 0 under a quiet parent, else the less forcing of flag and value
// (flag when they are equally forcing).
static int hit_tag(int flag, int value) {
    if (value == 0) return 0;
    int af = flag < 0 ? -flag : flag, av = value < 0 ? -value : value;
    return av < af ? value : flag;
}

void mark_hits(const square_list &squares, move_rec *moves, int move_count, int flag, int value) {
    if (squares.n == 0 || move_count == 0) return;
    // Tally the listings per cell once, instead of comparing every record with every entry.
    int listed[BOARD_CELLS] = {};
    for (int k = 0; k < squares.n; k++) listed[cell(squares.sq[k][0], squares.sq[k][1])]++;
    const int t = hit_tag(flag, value);
    for (int i = 0; i < move_count; i++) {
        int n = listed[cell(moves[i].x, moves[i].y)];
        if (n == 0) continue;
        moves[i].info.hits += n;
        moves[i].tag = t;
    }
}
