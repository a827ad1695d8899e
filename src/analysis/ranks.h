#pragma once
// Private to line analysis: the rank buckets' sets and their writing side, which the live
// analysis keeps in step with its analyses (the reading side is in analysis.h). The sets
// are declared here, not in analysis.h, so that only the analysis module writes them, and
// move_rank is inline because the live analysis files some forty million squares a bench.
#include <cstdint>

#include "analysis/analysis.h"

static_assert(FILLED_WORDS == 2, "the non-empty buckets of a colour fit two words");

// ranked[k][b] holds the squares with bucket b for colour index k (b above 0), as sets of
// cells in scan order. Bucket 0, "in no bucket", has its entries too, but only so that
// move_rank can treat every bucket alike without a branch: they are written, never read,
// and its bit in `filled` is never set.
//
// filled: bit b % 64 of [k][b / 64] is set when a square enters bucket b, and cleared by
// the readers when they find the bucket empty. So it holds every bucket with a square and
// perhaps some emptied since, and a move between buckets writes no count: counts and
// emptiness tests written at every move made chains of dependent writes, read by the
// generator only for the few buckets at the top.
struct rank_sets {
    bucket_sets ranked[2];
    std::uint64_t filled[2][FILLED_WORDS];
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
    ranks.ranked[k][from][w] &= ~bit;
    ranks.ranked[k][to][w] |= bit;
    ranks.filled[k][to >> 6] |= std::uint64_t{to > 0} << (to & 63);
}
