// Rank buckets: the empty squares of the live analysis's position by rank bucket, per
// colour, as sets of cells, so the move generator reads its lists off in rank order
// without sorting.
#include <bit>
#include <cstdint>

#include "analysis/live.h"
#include "analysis/ranks.h"

rank_sets ranks;
const bucket_sets *const live_ranked_table = ranks.ranked;
const std::uint64_t (*const live_filled_table)[FILLED_WORDS] = ranks.filled;

namespace {

// Calls f(b) for every non-empty bucket b of colour index k from `from` up to `to` - 1,
// lowest first; the buckets found empty lose their bit in `filled`.
template <typename F> void each_filled(int k, int from, int to, F f) {
    for (int half = from >> 6; half < FILLED_WORDS && half * 64 < to; half++) {
        std::uint64_t bits = ranks.filled[k][half];
        if (half == from >> 6) bits &= ~std::uint64_t{0} << (from & 63);
        for (; bits != 0; bits &= bits - 1) {
            const int b = half * 64 + std::countr_zero(bits);
            if (b >= to) return;
            if (live_bucket_empty(k, b))
                live_forget_bucket(k, b);
            else
                f(b);
        }
    }
}

} // namespace

void reset_ranks() {
    ranks = rank_sets{};
}

void live_forget_bucket(int k, int b) {
    ranks.filled[k][b >> 6] &= ~(std::uint64_t{1} << (b & 63));
}

int live_ranked_count(int k, int from, int to) {
    int n = 0;
    each_filled(k, from, to, [&](int b) {
        // Bit by bit: a bucket holds a few squares, and without a target CPU given
        // std::popcount is a library call for every word, empty or not.
        for (int w = 0; w < CELL_WORDS; w++)
            for (std::uint64_t bits = ranks.ranked[k][b][w]; bits != 0; bits &= bits - 1) n++;
    });
    return n;
}

int live_first_ranked(int k, int from) {
    int first = -1;
    each_filled(k, from, RANK_BUCKETS, [&](int b) {
        for (int w = 0; w < CELL_WORDS; w++) {
            if (ranks.ranked[k][b][w] == 0) continue;
            const int c = w * 64 + std::countr_zero(ranks.ranked[k][b][w]);
            if (first < 0 || c < first) first = c;
            break;
        }
    });
    return first;
}
