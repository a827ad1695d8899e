// The position hash and its key tables, and the fixed generator that fills them.
#include <gtest/gtest.h>

#include <cstdint>

#include "fresh_state.h"
#include "search/random.h"

namespace {

int32_t k0(int x, int y) {
    return keys.k0[cell(x, y)];
}
int32_t k1(int x, int y) {
    return keys.k1[cell(x, y)];
}

hash_key key_of(const int *board, int a, int b) {
    hash_key k;
    hash(board, a, b, &k);
    return k;
}

// The classic sequence: every platform and compiler gets these values.
TEST(Random, FixedSequence) {
    random_reset();
    EXPECT_EQ(random_next(), 16838);
    EXPECT_EQ(random_next(), 5758);
    EXPECT_EQ(random_next(), 10113);
    for (int i = 0; i < 10000; i++) {
        int v = random_next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
    random_reset();
    EXPECT_EQ(random_next(), 16838);
}

// K0 then K1, each x outer and y inner over the whole 20 x 20 array, one value each.
TEST(Hash, FillsBothTablesInScanOrderOnFirstCall) {
    fresh_state(15);
    int board[BOARD_CELLS] = {};
    EXPECT_EQ(keys.pending, 1);
    key_of(board, 0, 0);
    EXPECT_EQ(keys.pending, 0);
    random_reset();
    for (int32_t *table : {keys.k0, keys.k1})
        for (int x = 0; x < MAX_DIM; x++)
            for (int y = 0; y < MAX_DIM; y++)
                ASSERT_EQ(table[cell(x, y)], random_next()) << x << "," << y;
}

TEST(Hash, EmptyBoardIsZeroForAnyOffsets) {
    fresh_state(20);
    int board[BOARD_CELLS] = {};
    for (int a : {0, 7, -1024, 1024})
        for (int b : {0, -3, 1025}) {
            hash_key k = key_of(board, a, b);
            EXPECT_EQ(k.h0, 0);
            EXPECT_EQ(k.h1, 0);
        }
}

TEST(Hash, SingleStone) {
    fresh_state(20);
    struct stone_case {
        int x, y, a, b;
    };
    const stone_case cases[] = {
        {0, 0, 0, 0}, {7, 7, 5, -9}, {14, 3, -1024, 1024}, {19, 19, 100, 200}, {3, 18, -1, 1},
    };
    int board[BOARD_CELLS] = {};
    key_of(board, 0, 0);
    for (const stone_case &c : cases) {
        board[cell(c.x, c.y)] = 1;
        hash_key k = key_of(board, c.a, c.b);
        EXPECT_EQ(k.h0, k0(c.x, c.y) + c.a);
        EXPECT_EQ(k.h1, k1(c.x, c.y) + c.b);
        board[cell(c.x, c.y)] = -1;
        k = key_of(board, c.a, c.b);
        EXPECT_EQ(k.h0, k1(c.x, c.y) + c.b);
        EXPECT_EQ(k.h1, k0(c.x, c.y) + c.a);
        board[cell(c.x, c.y)] = 0;
    }
}

// The stone with the smaller x comes first, for equal x the smaller y.
TEST(Hash, ScanOrder) {
    fresh_state(15);
    int board[BOARD_CELLS] = {};
    board[cell(1, 0)] = 1;
    board[cell(0, 1)] = 1;
    const int a = 3, b = -4;
    hash_key k = key_of(board, a, b);
    EXPECT_EQ(k.h0, static_cast<int32_t>((uint32_t(k0(0, 1)) + a) * 16807u + k0(1, 0) + a));
    EXPECT_EQ(k.h1, static_cast<int32_t>((uint32_t(k1(0, 1)) + b) * 16807u + k1(1, 0) + b));
}

// Also on a crowded board, where the running key wraps modulo 2^32 many times over
// (a sanitizer build would flag signed overflow).
TEST(Hash, NegatingTheStonesSwapsTheHalves) {
    fresh_state(19);
    int board[BOARD_CELLS] = {};
    for (int x = 0; x < 19; x++)
        for (int y = 0; y < 19; y++)
            board[cell(x, y)] = (x * 7 + y * 3) % 5 == 0 ? 0 : (x + y) % 2 ? 1 : -1;
    hash_key k = key_of(board, -17, 23);
    for (int &c : board) c = -c;
    hash_key swapped = key_of(board, -17, 23);
    EXPECT_EQ(swapped.h0, k.h1);
    EXPECT_EQ(swapped.h1, k.h0);
    EXPECT_NE(k.h0, k.h1);
}

// Tables filled during a 15 x 15 game still key the cells a later 20 x 20 game uses.
TEST(Hash, CellsBeyondTheFirstBoardHaveKeys) {
    fresh_state(15);
    int board[BOARD_CELLS] = {};
    board[cell(7, 7)] = 1;
    key_of(board, 0, 0);
    for (int x = 0; x < MAX_DIM; x++)
        for (int y = 0; y < MAX_DIM; y++)
            if (x >= 15 || y >= 15) {
                EXPECT_NE(k0(x, y), 0) << x << "," << y;
                EXPECT_NE(k1(x, y), 0) << x << "," << y;
            }

    game.dim = 20;
    board[cell(16, 3)] = -1;
    hash_key one = key_of(board, 1, 2);
    board[cell(16, 3)] = 0;
    board[cell(3, 16)] = -1;
    hash_key other = key_of(board, 1, 2);
    EXPECT_FALSE(one.h0 == other.h0 && one.h1 == other.h1);
}

TEST(Hash, OnlyTheCellsInUseCount) {
    fresh_state(15);
    int board[BOARD_CELLS] = {};
    board[cell(15, 0)] = 1;
    board[cell(0, 15)] = 5; // never read: outside the board in use
    hash_key k = key_of(board, 3, 4);
    EXPECT_EQ(k.h0, 0);
    EXPECT_EQ(k.h1, 0);
}

TEST(HashDeathTest, UnknownStoneIsFatal) {
    fresh_state(15);
    int board[BOARD_CELLS] = {};
    board[cell(4, 5)] = 2;
    EXPECT_EXIT(key_of(board, 0, 0), testing::ExitedWithCode(1), "hash: Unknown stone '2'");
}

} // namespace
