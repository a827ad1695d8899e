// Crowded 20 x 20 positions whose lists go far past 200 entries: the generator must answer
// without ending the process. Each test first checks that its position really is that
// crowded, so a change of position cannot quietly make the test pointless.
#include <gtest/gtest.h>

#include <memory>

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

// Threat squares around the simple fours of `colour` that the generator files (for O to
// move), with repeats.
int threat_square_total(int colour) {
    auto squares = std::make_unique<square_list>();
    squares->n = 0;
    for (int x = 0; x < 20; x++) {
        for (int y = 0; y < 20; y++) {
            if (game.board[cell(x, y)] != 0) continue;
            point_info mine = analyse_point(game.board, x, y, colour);
            point_info theirs = analyse_point(game.board, x, y, -colour);
            int r = cmp_point_info(mine, theirs);
            bool filed = colour == -1 ? r <= 0 : r < 0; // ties go to the side to move
            if (filed && mine.count == 3 && mine.windows == 1)
                threat_squares(game.board, x, y, colour, *squares, mine.dir);
        }
    }
    return squares->n;
}

TEST(Crowded, ThreatSquareListsPast200) {
    set_crowded();
    ASSERT_GT(threat_square_total(-1), 300);
    ASSERT_GT(threat_square_total(1), 300);
    for (int ply = 0; ply <= 1; ply++) EXPECT_GE(generate(-1, ply, 2).n, 1);
}

} // namespace
