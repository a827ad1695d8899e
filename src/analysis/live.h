#pragma once
#include <bit>
#include <cstdint>

#include "analysis/point.h"
#include "analysis/ranks.h"

// ---- Live analysis -----------------------------------------------------------------------
//
// The move generator wants every empty square of a position analysed for both colours, at
// every node of the search. A stone changes the figures of one line direction only, and
// only on the squares within five cells of it along that line, so the live analysis keeps
// the analyses of the last position it was brought to and, for the next one, redoes just
// the directions that a put or a taken stone touches. It also keeps the empty squares by
// rank, so the generator can read its lists off in rank order. Its state is its own; these
// procedures are all there is to it.

// Nothing mirrored, as at process start: the next sync rebuilds from an empty board.
void reset_live();

// Brings the live analysis to `board` (shared dim and five rules): every cell that differs
// from its position is applied as a put or a take; on the watched board only the cells
// noted since the last sync are compared (see board_watch). After a change of board side
// or rule it starts again from an empty board.
void sync_live(const int *board);

// The bytes the live analysis holds (its state, the rank sets and the cache of pattern
// figures), for the tree's memory budget.
long live_bytes();

// analyse_point of the empty square with cell index c of the position last synced: [0] for
// +1, [1] for -1. The table is the live analysis's own, shown read-only through this
// pointer; the reader is inline because the generator reads it for every square it files,
// some fifteen million times a bench, where a call cost about 1% of the instructions.
extern const point_info (*const live_info_table)[2];
inline const point_info *live_infos_at(int c) {
    return live_info_table[c];
}
inline const point_info *live_infos(int x, int y) {
    return live_infos_at(cell(x, y));
}
inline const point_info &live_point(int x, int y, int colour) {
    return live_infos(x, y)[colour_index(colour)];
}

// The candidate set: writes the cell indices of the empty squares where a stone of either
// colour could join a stone in a viable window (a count above 0 for +1 or -1) to `cells`,
// in scan order (x outer, y inner), and returns how many.
int live_candidates(int cells[BOARD_CELLS]);

// The live analysis keeps the empty squares of the position last synced by rank bucket, per
// colour index k (0: +1, 1: -1); these read them from a rank down.

// How many squares colour index k's buckets from..to-1 hold.
int live_ranked_count(int k, int from, int to);

// The first cell in scan order among colour index k's buckets from `from` up, or -1.
int live_first_ranked(int k, int from);

// Colour index k's buckets as sets of cells in words of 64 bits, bit i of word w for cell
// index w * 64 + i, so the bits run in scan order: live_ranked_table[k][b] is bucket b.
// The table is the live analysis's own, shown read-only through this pointer.
extern const bucket_sets *const live_ranked_table;

// Which buckets of colour index k may hold a square, bit b % 64 of word b / 64 for bucket
// b: every one that does, and perhaps some emptied since. A bucket found empty is passed to
// live_forget_bucket, which clears its bit: moving a square between buckets sets a bit and
// tests nothing, as the moves far outnumber the reads.
extern const std::uint64_t (*const live_filled_table)[FILLED_WORDS];
void live_forget_bucket(int k, int b);

// live_bucket_table[c][k]: the rank bucket of the square with cell index c of the position
// last synced, for colour index k (0: in none, as when the square holds a stone). Read-only.
extern const unsigned char (*const live_bucket_table)[2];

// Whether colour index k's bucket b holds no square.
inline bool live_bucket_empty(int k, int b) {
    std::uint64_t any = 0;
    for (int w = 0; w < CELL_WORDS; w++) any |= live_ranked_table[k][b][w];
    return any == 0;
}

// Calls f(b) for the non-empty buckets b of colour index k from the top down, until f
// returns false.
template <typename F> void live_each_bucket_down(int k, F f) {
    for (int half = FILLED_WORDS - 1; half >= 0; half--)
        for (std::uint64_t bits = live_filled_table[k][half]; bits != 0;) {
            const int top = 63 - std::countl_zero(bits), b = half * 64 + top;
            bits &= ~(std::uint64_t{1} << top);
            if (live_bucket_empty(k, b))
                live_forget_bucket(k, b);
            else if (!f(b))
                return;
        }
}

// Calls f(c) for the cells c of colour index k's bucket b, in scan order, until f returns
// false; returns false when it did. Inline: the generator reads the head of its lists this
// way at every node, where a call a word, a cell, or copying a bucket's cells cost several
// per cent of the search's time.
template <typename F> bool live_each_in_bucket(int k, int b, F f) {
    const std::uint64_t *set = live_ranked_table[k][b];
    for (int w = 0; w < CELL_WORDS; w++)
        for (std::uint64_t bits = set[w]; bits != 0; bits &= bits - 1)
            if (!f(w * 64 + std::countr_zero(bits))) return false;
    return true;
}
