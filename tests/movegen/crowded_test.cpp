// Crowded 20 x 20 positions whose lists go far past 200 entries: the generator must answer
// without ending the process. Each test first checks that its position really is that
// crowded, so a change of the pictures cannot quietly make the test pointless.
#include <gtest/gtest.h>

#include <memory>

#include "crowded.h"

namespace {

move_list out;

// How many empty squares have a viable window for `colour`.
int candidate_squares(int colour) {
    int n = 0;
    for (int x = 0; x < game.dim; x++)
        for (int y = 0; y < game.dim; y++)
            n += game.board[cell(x, y)] == 0 && analyse_point(game.board, x, y, colour).count > 0;
    return n;
}

TEST(Crowded, WorkingAndOutputListsPast200) {
    set_grid();
    ASSERT_GT(candidate_squares(1), 300);
    // X to move: every candidate goes to own_list, and each open-three square is tagged and
    // output, so the output list itself holds far more than 200 records.
    int score = 0;
    int n = generate_moves(game.board, 1, 0, out, &score, 2);
    EXPECT_GT(n, 250);
    EXPECT_EQ(n, out.n);
    // O to move: the same squares all go to opp_list; nine of them are output.
    EXPECT_EQ(generate_moves(game.board, -1, 0, out, &score, 2), 9);
    EXPECT_EQ(generate_moves(game.board, -1, 2, out, &score, 2), 5);
}

// Threat squares gathered around the simple four squares of `colour` (those filed under it,
// as the generator files them), counted with repeats.
int threat_square_total(int side, int colour) {
    auto squares = std::make_unique<square_list>();
    squares->n = 0;
    for (int x = 0; x < game.dim; x++) {
        for (int y = 0; y < game.dim; y++) {
            if (game.board[cell(x, y)] != 0) continue;
            point_info own = analyse_point(game.board, x, y, side);
            point_info opp = analyse_point(game.board, x, y, -side);
            bool to_own = cmp_point_info(own, opp) <= 0;
            const point_info &p = colour == side ? own : opp;
            if (to_own == (colour == side) && p.count == 3 && p.windows == 1)
                threat_squares(game.board, x, y, colour, *squares, p.dir);
        }
    }
    return squares->n;
}

TEST(Crowded, ThreatSquareListsPast200) {
    set_own_fours();
    ASSERT_GT(threat_square_total(1, 1), 400);
    int score = 0;
    for (int ply = 0; ply <= 1; ply++)
        EXPECT_EQ(generate_moves(game.board, 1, ply, out, &score, 2), 1);
    set_opp_fours();
    ASSERT_GT(threat_square_total(1, -1), 400);
    for (int ply = 0; ply <= 1; ply++)
        EXPECT_EQ(generate_moves(game.board, 1, ply, out, &score, 2), 1);
}

} // namespace
