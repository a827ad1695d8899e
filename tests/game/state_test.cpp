// Game state, the diagnostic printers and the levels: what the protocol cannot show.
#include <gtest/gtest.h>

#include <string>

#include "game/game.h"

namespace {

struct GameState : testing::Test {
    void SetUp() override {
        reset_game_state();
        reset_levels();
    }
};

TEST_F(GameState, DefaultSettings) {
    EXPECT_EQ(settings.timeout_turn, 30.0);
    EXPECT_EQ(settings.timeout_match, 180.0);
    EXPECT_EQ(settings.time_left, 180.0);
    EXPECT_EQ(settings.exact_five, 1);
}

TEST_F(GameState, ClearBoardTouchesOnlyTheCellsInUse) {
    int board[BOARD_CELLS];
    for (int &c : board) c = 1;
    game.dim = 15;
    clear_board(board);
    for (int c : {cell(0, 0), cell(14, 14)}) EXPECT_EQ(board[c], 0);
    for (int c : {cell(15, 0), cell(0, 15), cell(19, 19)}) EXPECT_EQ(board[c], 1);
}

TEST_F(GameState, MoveRecordHoldsAFullTwentyBoard) {
    game.dim = 20;
    for (int x = 0; x < 20; x++)
        for (int y = 0; y < 20; y++) put_stone(x, y, (x + y) % 2 ? 1 : -1);
    EXPECT_EQ(game.move_count, 400);
    EXPECT_EQ(game.history[1][0] + game.history[1][1], 0);
    EXPECT_EQ(game.history[400][0] + game.history[400][1], 38);
    EXPECT_EQ(game.board[cell(3, 4)], 1);
}

TEST_F(GameState, Printers) {
    EXPECT_STREQ(move_name(0, 0), "a1");
    EXPECT_STREQ(move_name(19, 9), "t10");

    game.dim = 15;
    int board[BOARD_CELLS] = {};
    board[cell(0, 0)] = 1;
    board[cell(1, 14)] = -1;
    board[cell(2, 0)] = 7;
    testing::internal::CaptureStdout();
    tisk(board, 's');
    std::string s = testing::internal::GetCapturedStdout();
    EXPECT_EQ(s.substr(0, 33), "15 . o . . . . . . . . . . . . .\n");
    EXPECT_NE(s.find("\n 1 x . ? . . . . . . . . . . . .\n"), std::string::npos);
    EXPECT_EQ(s.substr(s.size() - 33), "   a b c d e f g h i j k l m n o\n");
    testing::internal::CaptureStdout();
    tisk(board, 'n');
    s = testing::internal::GetCapturedStdout();
    EXPECT_EQ(s.substr(0, 3), "14 ");
    EXPECT_NE(s.find("\n 0 x . ?"), std::string::npos);
    EXPECT_EQ(s.substr(s.size() - 33), "   0 1 2 3 4 5 6 7 8 91011121314\n");
    EXPECT_EXIT(tisk(board, 'q'), testing::ExitedWithCode(1), "tisk: neznamy priznak q");
}

TEST_F(GameState, SetLevelLoadsTheRowAndAnnouncesIt) {
    levels.level = 3;
    for (int n = 0; n < LEVELS; n++) {
        testing::internal::CaptureStdout();
        set_level(n);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "MESSAGE Level... " + std::to_string(n) + "\n");
        EXPECT_EQ(levels.full_depth, level_table[n][0]);
        EXPECT_EQ(levels.threat_depth, level_table[n][1]);
        EXPECT_EQ(levels.max_depth, level_table[n][2]);
        EXPECT_EQ(levels.level, 3); // the level in force is the caller's business
    }
}

} // namespace
