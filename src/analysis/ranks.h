#pragma once
// Private to line analysis: the rank buckets' sets and their writing side, which the live
// analysis keeps in step with its analyses (the reading side is in analysis.h). The sets
// are declared here, not in analysis.h, so that only the analysis module sees them, and
// move_rank is inline because the live analysis files some ten million squares a bench.
#include <cstdint>

#include "analysis/analysis.h"

constexpr int SET_WORDS = (BOARD_CELLS + 63) / 64;
constexpr int FILLED_WORDS = (RANK_BUCKETS + 63) / 64;
static_assert(SET_WORDS <= 32, "a bucket's non-empty words fit one word");
static_assert(FILLED_WORDS == 2, "the non-empty buckets of a colour fit two words");

// Sets of cells as bits, bit c % 64 of word c / 64 for cell index c, so the bits run in
// scan order (x outer, y inner). ranked[k][b] holds the squares with bucket b for colour
// index k (b above 0). Bucket 0, "in no bucket", has its entries too, but only so that
// move_rank can treat every bucket alike without a branch: they are written, never read,
// and its bit in `filled` is never set.
struct rank_sets {
    std::uint64_t ranked[2][RANK_BUCKETS][SET_WORDS];
    int size[2][RANK_BUCKETS];
    unsigned words[2][RANK_BUCKETS];       // bit w: word w of the bucket's set is not 0
    std::uint64_t filled[2][FILLED_WORDS]; // bit b % 64 of [k][b / 64]: bucket b not empty
};
extern rank_sets ranks;

// Every bucket empty.
void reset_ranks();

// Moves the square with cell index c of colour index k from bucket `from` to bucket `to`
// (0: in no bucket); from a bucket to itself it changes nothing. Without a branch: which of
// the two is 0 changes from square to square, past a branch predictor's guessing.
inline void move_rank(int c, int k, int from, int to) {
    const std::uint64_t bit = std::uint64_t{1} << (c & 63);
    const int w = c >> 6;
    const bool emptied = (ranks.ranked[k][from][w] &= ~bit) == 0;
    ranks.words[k][from] &= ~(static_cast<unsigned>(emptied) << w);
    const bool gone = --ranks.size[k][from] == 0;
    ranks.filled[k][from >> 6] &= ~(std::uint64_t{gone} << (from & 63));
    ranks.ranked[k][to][w] |= bit;
    ranks.words[k][to] |= 1u << w;
    ranks.size[k][to]++;
    ranks.filled[k][to >> 6] |= std::uint64_t{to > 0} << (to & 63);
}
