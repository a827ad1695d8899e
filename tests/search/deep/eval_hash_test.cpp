// The static value's symmetries and the hash table's storage.
#include <gtest/gtest.h>

#include "deep_support.h"
#include "search/deep/eval.h"
#include "search/deep/values.h"

namespace {

// Square x,y under symmetry s of the dim x dim board (s: 0..7).
int mapped(int x, int y, int s, int dim) {
    const int m = dim - 1;
    if (s & 1) x = m - x;
    if (s & 2) y = m - y;
    if (s & 4) return cell(y, x);
    return cell(x, y);
}

TEST(DeepEval, SameUnderSymmetriesAndColourSwap) {
    test_random r{11};
    static int stones[BOARD_CELLS];
    for (int rule : {0, 1, RULE_RENJU})
        for (int round = 0; round < 30; round++) {
            const int dim = round % 2 ? 15 : 18;
            deep_fresh(dim, rule);
            random_position(r, 4 + r.below(14), 9);
            const int colour = r.below(2) ? 1 : -1;
            const int value = evaluate(colour);
            for (int c = 0; c < BOARD_CELLS; c++) stones[c] = dboard.cells[c];
            for (int s = 1; s < 8; s++) {
                board_clear(dim);
                for (int x = 0; x < dim; x++)
                    for (int y = 0; y < dim; y++)
                        if (stones[cell(x, y)]) board_put(mapped(x, y, s, dim), stones[cell(x, y)]);
                EXPECT_EQ(evaluate(colour), value) << "symmetry " << s << " rule " << rule;
            }
            if (rule == RULE_RENJU) continue; // renju treats the colours apart
            board_clear(dim);
            for (int c = 0; c < BOARD_CELLS; c++)
                if (stones[c]) board_put(c, -stones[c]);
            EXPECT_EQ(evaluate(-colour), value) << "colours swapped, rule " << rule;
        }
}

TEST(DeepHash, StoreProbeAndReplace) {
    deep_fresh(15, 1);
    hash_resize(1 << 16); // 1024 buckets
    const uint64_t bucket_mask = htable.count - 1;
    const uint64_t a = 0x1234'0000'0000'0005ull, b = 0x5678'0000'0000'0005ull;
    EXPECT_EQ(hash_probe(a), nullptr);
    hash_store(a, cell(3, 4), 77, 5, BOUND_EXACT, 2);
    const hash_entry *e = hash_probe(a);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->move, cell(3, 4));
    EXPECT_EQ(e->value, 77);
    EXPECT_EQ(e->depth, 5);
    EXPECT_EQ(e->bound, BOUND_EXACT);
    EXPECT_EQ(hash_probe(b), nullptr); // same bucket, other check bits
    // A shallower bound of the same search keeps the deeper result; an exact one replaces it.
    hash_store(a, cell(1, 1), 10, 3, BOUND_LOWER, 2);
    EXPECT_EQ(hash_probe(a)->depth, 5);
    hash_store(a, -1, 12, 3, BOUND_EXACT, 2);
    EXPECT_EQ(hash_probe(a)->depth, 3);
    EXPECT_EQ(hash_probe(a)->move, cell(3, 4)); // no move stored: the old one stays
    // A full bucket gives up its shallowest entry of an older search first.
    hash_new_search();
    uint64_t keys[6];
    for (int k = 0; k < 6; k++) keys[k] = (static_cast<uint64_t>(k + 1) << 40) | 5u;
    for (int k = 0; k < 4; k++) hash_store(keys[k], -1, k, 10 + k, BOUND_EXACT, 0);
    hash_new_search();
    hash_store(keys[4], -1, 0, 1, BOUND_EXACT, 0);
    EXPECT_EQ(hash_probe(keys[0]), nullptr);
    for (int k = 1; k < 5; k++) EXPECT_NE(hash_probe(keys[k]), nullptr) << k;
    // The older search's entries go before this one's, however deep.
    hash_store(keys[5], -1, 0, 9, BOUND_EXACT, 0);
    EXPECT_EQ(hash_probe(keys[1]), nullptr);
    EXPECT_NE(hash_probe(keys[4]), nullptr);
    EXPECT_EQ(keys[5] & bucket_mask, 5u);
    hash_clear();
    EXPECT_EQ(hash_probe(keys[5]), nullptr);
}

TEST(DeepHash, WinValuesCountFromTheNode) {
    deep_fresh(15, 1);
    hash_resize(1 << 12);
    // A win 3 plies after a node at ply 4, read at ply 2, is a win at ply 5.
    hash_store(42, -1, WIN - 7, 6, BOUND_EXACT, 4);
    EXPECT_EQ(value_from_hash(hash_probe(42)->value, 2), WIN - 5);
    hash_store(43, -1, -(WIN - 9), 6, BOUND_EXACT, 6);
    EXPECT_EQ(value_from_hash(hash_probe(43)->value, 1), -(WIN - 4));
    hash_store(44, -1, 300, 6, BOUND_EXACT, 6);
    EXPECT_EQ(value_from_hash(hash_probe(44)->value, 1), 300);
}

} // namespace
