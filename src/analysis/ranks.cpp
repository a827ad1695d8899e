// Rank buckets: the empty squares of the live analysis's position by rank bucket, per
// colour, as sets of cells, so the move generator reads its lists off in rank order
// without sorting.
#include <bit>
#include <cstdint>

#include "analysis/ranks.h"

namespace {

constexpr int SET_WORDS = (BOARD_CELLS + 63) / 64;
constexpr int FILLED_WORDS = (RANK_BUCKETS + 63) / 64;
static_assert(SET_WORDS <= 32, "a bucket's non-empty words fit one word");
static_assert(FILLED_WORDS == 2, "the non-empty buckets of a colour fit two words");

// Sets of cells as bits, bit c % 64 of word c / 64 for cell index c, so the bits run in
// scan order (x outer, y inner). ranked[k][b] holds the squares with bucket b for colour
// index k (b above 0).
struct rank_sets {
    std::uint64_t ranked[2][RANK_BUCKETS][SET_WORDS];
    int size[2][RANK_BUCKETS];
    unsigned words[2][RANK_BUCKETS];       // bit w: word w of the bucket's set is not 0
    std::uint64_t filled[2][FILLED_WORDS]; // bit b % 64 of [k][b / 64]: bucket b not empty
};
rank_sets ranks;

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

long rank_bytes() {
    return static_cast<long>(sizeof(rank_sets));
}

void move_rank(int c, int k, int from, int to) {
    const std::uint64_t bit = std::uint64_t{1} << (c & 63);
    const int w = c >> 6;
    if (from > 0) {
        if ((ranks.ranked[k][from][w] &= ~bit) == 0) ranks.words[k][from] &= ~(1u << w);
        if (--ranks.size[k][from] == 0)
            ranks.filled[k][from >> 6] &= ~(std::uint64_t{1} << (from & 63));
    }
    if (to > 0) {
        ranks.ranked[k][to][w] |= bit;
        ranks.words[k][to] |= 1u << w;
        if (ranks.size[k][to]++ == 0) ranks.filled[k][to >> 6] |= std::uint64_t{1} << (to & 63);
    }
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

int live_bucket_cells(int k, int b, int cells[BOARD_CELLS]) {
    int n = 0;
    for (unsigned words = ranks.words[k][b]; words != 0; words &= words - 1) {
        const int w = std::countr_zero(words);
        for (std::uint64_t bits = ranks.ranked[k][b][w]; bits != 0; bits &= bits - 1)
            cells[n++] = w * 64 + std::countr_zero(bits);
    }
    return n;
}
