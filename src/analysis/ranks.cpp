// Rank buckets: the empty squares of the live analysis's position by rank bucket, per
// colour, as sets of cells, so the move generator reads its lists off in rank order
// without sorting.
#include <bit>
#include <cstdint>

#include "analysis/ranks.h"

rank_sets ranks;

namespace {

// Calls f(b) for every non-empty bucket b of colour index k from `from` up, lowest first.
template <typename F> void each_filled(int k, int from, F f) {
    for (int half = from >> 6; half < FILLED_WORDS; half++) {
        std::uint64_t bits = ranks.filled[k][half];
        if (half == from >> 6) bits &= ~std::uint64_t{0} << (from & 63);
        for (; bits != 0; bits &= bits - 1) f(half * 64 + std::countr_zero(bits));
    }
}

} // namespace

void reset_ranks() {
    ranks = rank_sets{};
}

int live_bucket_below(int k, int below) {
    for (int half = (below - 1) >> 6; half >= 0; half--) {
        std::uint64_t bits = ranks.filled[k][half];
        if (half == (below - 1) >> 6) bits &= ~std::uint64_t{0} >> (63 - ((below - 1) & 63));
        if (bits != 0) return half * 64 + 63 - std::countl_zero(bits);
    }
    return 0;
}

int live_ranked_count(int k, int from, int to) {
    int n = 0;
    each_filled(k, from, [&](int b) {
        if (b < to) n += ranks.size[k][b];
    });
    return n;
}

int live_first_ranked(int k, int from) {
    int first = -1;
    each_filled(k, from, [&](int b) {
        for (int w = 0; w < SET_WORDS; w++) {
            if (ranks.ranked[k][b][w] == 0) continue;
            const int c = w * 64 + std::countr_zero(ranks.ranked[k][b][w]);
            if (first < 0 || c < first) first = c;
            break;
        }
    });
    return first;
}

unsigned live_bucket_words(int k, int b) {
    return ranks.words[k][b];
}

std::uint64_t live_bucket_word(int k, int b, int w) {
    return ranks.ranked[k][b][w];
}
