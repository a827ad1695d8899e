// The deep search against a plain alpha-beta over the same moves and leaves, with no hash
// table, no windows of its own and no ordering: the same value at the same depth.
#include <gtest/gtest.h>

#include "deep_support.h"
#include "search/deep/values.h"

namespace {

// Plain fail-hard alpha-beta with the deep search's rules for ends, leaves and forced moves.
int plain(int colour, int depth, int ply, int alpha, int beta, int extensions) {
    const int me = colour_index(colour), them = 1 - me;
    if (dboard.kind_count[me][K_FIVE] > 0) return WIN - ply - 1;
    if (dboard.stones >= dboard.dim * dboard.dim) return 0;
    const bool must_block = dboard.kind_count[them][K_FIVE] > 0;
    if (depth <= 0 && !must_block) return leaf_value(colour, ply, INF_VALUE);
    int moves[BOARD_CELLS];
    const int n = generate_moves(colour, ply, -1, BOARD_CELLS);
    if (n == 0) return must_block ? -(WIN - ply - 2) : 0;
    for (int k = 0; k < n; k++) moves[k] = dsearch.moves[ply][k];
    const bool three =
        !must_block && dboard.kind_count[them][K_FOUR_OPEN] > 0 && extensions < THREE_EXTENSIONS;
    const int next = must_block || n == 1 || three ? depth : depth - 1;
    for (int k = 0; k < n; k++) {
        board_put(moves[k], colour);
        const int v = -plain(-colour, next, ply + 1, -beta, -alpha, extensions + (three ? 1 : 0));
        board_take(moves[k]);
        if (v >= beta) return beta;
        if (v > alpha) alpha = v;
    }
    return alpha;
}

TEST(DeepSearch, SameValueAsPlainAlphaBeta) {
    test_random r{99};
    int decided = 0;
    for (int rule : {0, 1, RULE_RENJU})
        for (int round = 0; round < 12; round++) {
            deep_fresh(15, rule);
            dlimits.full_width = true;
            random_position(r, 5 + r.below(8), 5);
            const int colour = r.below(2) ? 1 : -1, depth = 2 + round % 2;
            const int expected = plain(colour, depth, 0, -INF_VALUE, INF_VALUE, 0);
            hash_resize(1 << 20);
            hash_clear();
            EXPECT_EQ(deep_value(colour, depth), expected) << "rule " << rule << " round " << round;
            if (expected >= WIN_BOUND || expected <= -WIN_BOUND) decided++;
        }
    EXPECT_GT(decided, 0); // some positions are won or lost, some open
}

// A move choice through the mode on the shared board: wins in one, blocks, the centre.
TEST(DeepSearch, ChoosesFivesBlocksAndTheCentre) {
    deep_fresh(15, 1);
    dlimits.max_depth = 4;
    EXPECT_EQ(deep_mode.choose(game.board, 1).x, 7);
    // X to move with four in a row takes the five; O to move blocks the open end it can.
    for (int y = 3; y < 7; y++) game.board[cell(5, y)] = 1;
    game.board[cell(5, 2)] = -1;
    for (int y = 3; y < 6; y++) game.board[cell(9, y)] = -1;
    const square five = deep_mode.choose(game.board, 1);
    EXPECT_EQ(five.x, 5);
    EXPECT_EQ(five.y, 7);
    EXPECT_GT(report.value, FOUND_WIN);
    const square block = deep_mode.choose(game.board, -1);
    EXPECT_EQ(block.x, 5);
    EXPECT_EQ(block.y, 7);
    EXPECT_EQ(game.board[cell(5, 7)], 0); // the shared board is left as it was
    // With fours on both sides the side to move takes its own five rather than a block.
    game.board[cell(9, 6)] = -1;
    const square mine = deep_mode.choose(game.board, 1);
    EXPECT_EQ(mine.x, 5);
    EXPECT_EQ(mine.y, 7);
    EXPECT_EQ(deep_mode.choose(game.board, -1).x, 9);
}

} // namespace
