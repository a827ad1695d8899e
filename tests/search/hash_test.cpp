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

// The key by its definition, over every cell of the board in scan order.
hash_key plain_key(const int *board, int a, int b) {
    uint32_t h0 = 0, h1 = 0;
    for (int x = 0; x < game.dim; x++) {
        for (int y = 0; y < game.dim; y++) {
            const int c = cell(x, y), v = board[c];
            const uint32_t k0 = uint32_t(keys.k0[c]), k1 = uint32_t(keys.k1[c]);
            if (v == 1) {
                h0 = h0 * 16807u + k0 + uint32_t(a);
                h1 = h1 * 16807u + k1 + uint32_t(b);
            } else if (v == -1) {
                h0 = h0 * 16807u + k1 + uint32_t(b);
                h1 = h1 * 16807u + k0 + uint32_t(a);
            }
        }
    }
    return hash_key{int32_t(h0), int32_t(h1)};
}

// The hash follows the board from call to call: boards a stone or two apart, as the search
// hashes them, boards changed wholesale, and changes of board side all give the plain key.
TEST(Hash, PlainKeyThroughChangingBoards) {
    fresh_state(20);
    static int board[BOARD_CELLS];
    uint32_t s = 5;
    auto next = [&s](int n) { return static_cast<int>((s = s * 1664525u + 1013904223u) >> 8) % n; };
    key_of(board, 0, 0); // fills the key tables
    for (int step = 0; step < 3000; step++) {
        if (step % 500 == 0) game.dim = 15 + step / 500;
        const int changes = step % 100 == 0 ? 150 : 1 + next(3);
        for (int i = 0; i < changes; i++) board[cell(next(20), next(20))] = next(3) - 1;
        const int a = next(2049) - 1024, b = next(2049) - 1024;
        const hash_key k = key_of(board, a, b), want = plain_key(board, a, b);
        ASSERT_EQ(k.h0, want.h0) << step;
        ASSERT_EQ(k.h1, want.h1) << step;
    }
}

} // namespace
