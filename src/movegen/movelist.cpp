// Move records and lists: appending, ranking, the stable sort and quiet_after.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "movegen/movegen.h"

int uloz_tah(int x, int y, const point_info &info, int tag, move_list &list) {
    if (list.n >= MAX_MOVES) {
        std::fprintf(stderr, "uloz_tah: preteceni ts, n=%d\n", list.n);
        std::exit(1);
    }
    list.rec[list.n] = move_rec{x, y, info, tag};
    list.n++;
    return 0;
}

static int rank_first(int a, int b) {
    return a > b ? -1 : a < b ? 1 : 0;
}

// Threat comes before windows: a square that makes threats on two lines outranks one that
// only has more room on its best line.
int cmp_point_info(const point_info &a, const point_info &b) {
    if (int r = rank_first(a.count, b.count)) return r;
    if (int r = rank_first(a.threat, b.threat)) return r;
    if (int r = rank_first(a.windows, b.windows)) return r;
    return rank_first(a.hits, b.hits);
}

int cmp_move_rec(const move_rec &p, const move_rec &q) {
    return cmp_point_info(p.info, q.info);
}

// Sorts record indices with the index itself as the last key, which makes std::sort (in
// place, no allocation) as stable as a stable sort, then moves the records into that order.
void sort_moves(move_list &list) {
    const int n = list.n;
    if (n < 2) return;
    static_assert(MAX_MOVES <= UINT16_MAX, "record indices fit 16 bits");
    std::uint16_t order[MAX_MOVES];
    for (int i = 0; i < n; i++) order[i] = static_cast<std::uint16_t>(i);
    std::sort(order, order + n, [&list](std::uint16_t a, std::uint16_t b) {
        int r = cmp_move_rec(list.rec[a], list.rec[b]);
        return r != 0 ? r < 0 : a < b;
    });
    move_rec sorted[MAX_MOVES];
    for (int i = 0; i < n; i++) sorted[i] = list.rec[order[i]];
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
        if (r.info.threat == 1 && r.tag == 0 && r.info.hits == 0)
            uloz_tah(r.x, r.y, r.info, r.tag, scratch);
    }
    return scratch.n;
}
