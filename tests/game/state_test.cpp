// Game state and the diagnostic printers: what the protocol cannot show.
#include <gtest/gtest.h>

#include "game/game.h"

namespace {

// The move record holds a full 20 x 20 board.
TEST(GameState, MoveRecord) {
    reset_game_state();
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
