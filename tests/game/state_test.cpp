// Game state and the diagnostic printers: what the protocol cannot show.
#include <gtest/gtest.h>

#include "game/game.h"

namespace {

// clear_board touches only the dim x dim cells; the move record holds a full 20 x 20 board.
TEST(GameState, BoardAndMoveRecord) {
    reset_game_state();
    int board[BOARD_CELLS];
    for (int &c : board) c = 1;
    game.dim = 15;
    clear_board(board);
    for (int c : {cell(0, 0), cell(14, 14)}) EXPECT_EQ(board[c], 0);
    for (int c : {cell(15, 0), cell(0, 15), cell(19, 19)}) EXPECT_EQ(board[c], 1);

    game.dim = 20;
    for (int x = 0; x < 20; x++)
        for (int y = 0; y < 20; y++) put_stone(x, y, (x + y) % 2 ? 1 : -1);
    EXPECT_EQ(game.move_count, 400);
    EXPECT_EQ(game.history[400][0] + game.history[400][1], 38);
    EXPECT_EQ(game.board[cell(3, 4)], 1);
}

TEST(GameStateDeathTest, PrinterFlag) {
    EXPECT_EXIT(tisk(game.board, 'q'), testing::ExitedWithCode(1), "tisk: neznamy priznak q");
}

} // namespace
