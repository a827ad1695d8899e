#pragma once
// Rank buckets: the rank of an analysis as one number, and the sets of squares by bucket
// that the live analysis keeps in step with its analyses (the reading side is in live.h).
// move_rank is inline because the live analysis files some forty million squares a bench.
#include <cstdint>

#include "analysis/point.h"

// The rank of an analysis as one number: 0 for count 0, else count 1..4, threat 0..3 and
// windows 1..5 in that order of weight, 1..80. Analyses of empty squares (hits 0) with
// larger buckets rank first, and equal buckets rank equal.
constexpr int THREAT_CLASSES = 4; // threat 0..3
constexpr int MAX_WINDOWS = 5;    // windows 1..5
constexpr int COUNT_BUCKETS = THREAT_CLASSES * MAX_WINDOWS;
constexpr int RANK_BUCKETS = 1 + 4 * COUNT_BUCKETS;

// The lowest bucket of the analyses of count 1..4; count 5 would be the first past the end.
constexpr int count_bucket(int count) {
    return 1 + (count - 1) * COUNT_BUCKETS;
}
constexpr int rank_bucket(const point_info &p) {
    return p.count == 0 ? 0 : count_bucket(p.count) + p.threat * MAX_WINDOWS + p.windows - 1;
}

// Sets of cells in words of 64 bits, bit i of word w for cell index w * 64 + i, so the bits
// run in scan order; and which buckets may hold a square, bit b % 64 of word b / 64.
using bucket_sets = std::uint64_t[RANK_BUCKETS][CELL_WORDS];
constexpr int FILLED_WORDS = (RANK_BUCKETS + 63) / 64;

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
