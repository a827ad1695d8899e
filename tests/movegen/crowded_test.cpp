// Crowded 20 x 20 positions whose lists go far past 200 entries: the generator must answer
// without ending the process. Each test first checks that its position really is that
// crowded, so a change of position cannot quietly make the test pointless.
#include <gtest/gtest.h>

#include "lists.h"

namespace {

TEST(Crowded, WorkingAndOutputListsPast200) {
    set_grid();
    int candidates = 0; // X to move: every one of them goes to own_list
    for (int x = 0; x < 20; x++)
        for (int y = 0; y < 20; y++)
            candidates +=
                game.board[cell(x, y)] == 0 && analyse_point(game.board, x, y, 1).count > 0;
    ASSERT_GT(candidates, 300);
    // Each open-three square is tagged and output, so the output list holds them all.
    EXPECT_GT(generate(1, 0, 2).n, 250);
    EXPECT_GT(generate(1, 2, 2).n, 250);
    // O to move: the same squares all go to opp_list; nine or five of them are output.
    EXPECT_EQ(generate(-1, 0, 2).n, 9);
    EXPECT_EQ(generate(-1, 2, 2).n, 5);
}

// O to move: the threat squares around the simple fours the generator files run past 200
// with repeats (each simple four has up to six on its other lines), for either colour.
TEST(Crowded, ThreatSquareListsPast200) {
    set_crowded();
    for (int colour : {1, -1}) {
        int simple_fours = 0;
        for (int x = 0; x < 20; x++)
            for (int y = 0; y < 20; y++)
                simple_fours += game.board[cell(x, y)] == 0 &&
                                makes_simple_four(analyse_point(game.board, x, y, colour));
        ASSERT_GT(simple_fours, 60) << colour;
    }
    for (int ply = 0; ply <= 1; ply++) EXPECT_GE(generate(-1, ply, 2).n, 1);
}

} // namespace
