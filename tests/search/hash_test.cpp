// The position hash, its key tables and the fixed generator that fills them.
#include <gtest/gtest.h>

#include <cstdint>

#include "search/random.h"
#include "support/position.h"

namespace {

hash_key key_of(const int *board, int a, int b) {
    hash_key k;
    hash(board, a, b, &k);
    return k;
}

// The classic sequence, the same on every platform. The first hash fills K0 then K1 from
// it over the whole 20 x 20 array (x outer, y inner), even during a 15 x 15 game, so a
// later 20 x 20 game has keys on its outer cells; later hashes leave the tables alone.
TEST(Hash, KeyTablesFromTheFixedSequence) {
    random_reset();
    EXPECT_EQ(random_next(), 16838);
    EXPECT_EQ(random_next(), 5758);
    EXPECT_EQ(random_next(), 10113);
    for (int i = 0; i < 10000; i++) ASSERT_EQ(random_next() & ~32767, 0);

    fresh_state(15);
    int board[BOARD_CELLS] = {};
    EXPECT_EQ(keys.pending, 1);
    key_of(board, 0, 0);
    key_of(board, 0, 0);
    EXPECT_EQ(keys.pending, 0);
    random_reset();
    for (const int32_t *table : {keys.k0, keys.k1})
        for (int i = 0; i < BOARD_CELLS; i++) ASSERT_EQ(table[i], random_next()) << i;
}

// A +1 stone adds K0 + a to h0 and K1 + b to h1, a -1 stone the other way round; stones
// come in scan order (smaller x first, then smaller y), and only the cells in use count.
// (The running key wraps modulo 2^32: the searches' many-stone boards show a sanitizer
// build any signed overflow.)
TEST(Hash, KeyFormulas) {
    fresh_state(20);
    int board[BOARD_CELLS] = {};
    const uint32_t *k0 = reinterpret_cast<const uint32_t *>(keys.k0);
    const uint32_t *k1 = reinterpret_cast<const uint32_t *>(keys.k1);
    hash_key k = key_of(board, 7, -3);
    EXPECT_EQ(k.h0 | k.h1, 0); // empty board
    const int stones[][4] = {{0, 0, 0, 0}, {7, 7, 5, -9}, {14, 3, -1024, 1024}, {19, 19, 1, 2}};
    for (const auto &s : stones) {
        const int c = cell(s[0], s[1]), a = s[2], b = s[3];
        board[c] = 1;
        k = key_of(board, a, b);
        EXPECT_EQ(uint32_t(k.h0), k0[c] + a);
        EXPECT_EQ(uint32_t(k.h1), k1[c] + b);
        board[c] = -1;
        k = key_of(board, a, b);
        EXPECT_EQ(uint32_t(k.h0), k1[c] + b);
        EXPECT_EQ(uint32_t(k.h1), k0[c] + a);
        board[c] = 0;
    }
    board[cell(1, 0)] = board[cell(0, 1)] = 1;
    k = key_of(board, 3, -4);
    EXPECT_EQ(uint32_t(k.h0), (k0[cell(0, 1)] + 3) * 16807u + k0[cell(1, 0)] + 3);
    EXPECT_EQ(uint32_t(k.h1), (k1[cell(0, 1)] - 4) * 16807u + k1[cell(1, 0)] - 4);
    board[cell(1, 0)] = board[cell(0, 1)] = -1; // negating every stone swaps the halves
    hash_key negated = key_of(board, 3, -4);
    EXPECT_EQ(negated.h0, k.h1);
    EXPECT_EQ(negated.h1, k.h0);

    game.dim = 15;
    board[cell(1, 0)] = board[cell(0, 1)] = 0;
    board[cell(15, 0)] = 1;
    board[cell(0, 15)] = 5; // outside the board in use: never read
    k = key_of(board, 3, 4);
    EXPECT_EQ(k.h0 | k.h1, 0);
    board[cell(4, 5)] = 2;
    EXPECT_EXIT(key_of(board, 0, 0), testing::ExitedWithCode(1), "hash: Unknown stone '2'");
}

} // namespace
