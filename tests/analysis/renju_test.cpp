// Renju's forbidden squares: the engine's classifier held to the plain rules of the referee
// on random and crowded boards, the known hard cases, and what black and white may still
// make under renju.
#include <gtest/gtest.h>

#include "five.h"
#include "renju_rules.h"
#include "support/position.h"

namespace {

// The square 7,7 on 15 x 15 renju boards.
struct hard_case {
    const char *what;
    const char *stones;
    int verdict;
};

const hard_case hard_cases[] = {
    {"two open threes", "X 5,7 6,7 7,5 7,6", RENJU_FORBIDDEN},
    // The horizontal three's one straight-four square, 8,7, is an overline square.
    {"a three whose four square is forbidden", "X 5,7 6,7 7,5 7,6 8,5 8,6 8,8 8,9 8,10 O 3,7",
     RENJU_LEGAL},
    {"a four and a three", "X 4,7 5,7 6,7 7,5 7,6 O 3,7", RENJU_LEGAL},
    {"two fours on one line", "X 4,7 6,7 8,7 10,7", RENJU_FORBIDDEN},
    {"two fours on two lines", "X 4,7 5,7 6,7 7,4 7,5 7,6 O 3,7 7,3", RENJU_FORBIDDEN},
    {"an overline", "X 4,7 5,7 6,7 8,7 9,7", RENJU_FORBIDDEN},
    {"five and an overline", "X 3,7 4,7 5,7 6,7 7,4 7,5 7,6 7,8 7,9", RENJU_LEGAL},
    {"five and two fours", "X 3,7 4,7 5,7 6,7 7,4 7,6 7,8 7,10", RENJU_LEGAL},
    {"a blocked three and an open one", "X 5,7 6,7 7,5 7,6 O 4,7 8,7", RENJU_LEGAL},
    // Keys three levels down: 7,7's horizontal three 7,7 8,7 . 10,7 has one key, 9,7, which
    // with 7,7 has a vertical three and a diagonal one whose one key is 11,9; 11,9 has a
    // vertical three and an anti-diagonal one whose one key, 9,11, makes two fours (9,12 up).
    // So 9,11 is forbidden, 11,9 legal, 9,7 forbidden and 7,7 has one three.
    {"a three that a chain of three keys settles",
     "X 7,8 7,9 8,7 10,7 9,5 9,6 10,8 12,10 11,10 11,11 10,10 8,12 9,12 9,13 9,14", RENJU_LEGAL},
    // The chain one key longer: 9,11 has a diagonal three (8,10) and a vertical one against
    // the edge whose one key, 9,10, is an overline square. That is past the levels followed:
    // 7,7 is unsettled, where the rules find 9,11 legal, 11,9 forbidden, 9,7 legal and so
    // 7,7 forbidden.
    {"a chain of keys longer than the levels followed",
     "X 7,8 7,9 8,7 10,7 9,5 9,6 10,8 12,10 11,10 11,11 10,10 8,12 9,12 9,13 8,10 13,10",
     RENJU_UNSETTLED},
};

TEST(Renju, HardCases) {
    for (const hard_case &c : hard_cases) {
        set_board(15, RULE_RENJU, c.stones);
        EXPECT_EQ(renju_verdict(game.board, 7, 7), c.verdict) << c.what;
        EXPECT_EQ(renju_reference_forbidden(game.board, 15, 7, 7), c.verdict != RENJU_LEGAL)
            << c.what;
    }
}

// Every empty square of the shared board: the engine's verdict against the referee's
// where it settles, and its quick screen against its verdict. Returns the squares
// compared; adds to *forbidden the forbidden ones and to *unsettled the others.
int compare_squares(const char *what, int *forbidden, int *unsettled) {
    int compared = 0;
    for (int x = 0; x < game.dim; x++)
        for (int y = 0; y < game.dim; y++) {
            if (game.board[cell(x, y)] != 0) continue;
            const int v = renju_verdict(game.board, x, y);
            const bool screened =
                renju_forbidden(game.board, x, y, analyse_point(game.board, x, y, 1));
            EXPECT_EQ(screened, v != RENJU_LEGAL) << what << " at " << x << "," << y;
            compared++;
            *unsettled += v == RENJU_UNSETTLED;
            if (v == RENJU_UNSETTLED) continue;
            *forbidden += v == RENJU_FORBIDDEN;
            EXPECT_EQ(v == RENJU_FORBIDDEN, renju_reference_forbidden(game.board, game.dim, x, y))
                << what << " at " << x << "," << y;
        }
    return compared;
}

// Random boards, black-heavy around the centre so that threes and fours cross, and the
// crowded 20 x 20 board with either colour as black.
TEST(Renju, ClassifierAgreesWithTheRules) {
    random_source r{4};
    int compared = 0, forbidden = 0, unsettled = 0;
    for (int round = 0; round < 300; round++) {
        const int dim = 15 + round % 6, black = 8 + r.next(30), white = 3 + r.next(15);
        set_board(dim, RULE_RENJU, "");
        for (int x = 2; x < dim - 2; x++)
            for (int y = 2; y < dim - 2; y++) {
                const int p = r.next(100);
                game.board[cell(x, y)] = p < black ? 1 : p < black + white ? -1 : 0;
            }
        compared += compare_squares("random board", &forbidden, &unsettled);
    }
    for (int colour : {1, -1}) {
        set_up_engine(20, RULE_RENJU, 0);
        set_up_crowded(game.board);
        if (colour < 0) swap_colours();
        compared += compare_squares("crowded", &forbidden, &unsettled);
    }
    EXPECT_GT(forbidden, compared / 50) << "too few forbidden squares to compare";
    EXPECT_LT(unsettled, compared / 1000 + 1);
}

// Under renju black makes five only with exactly five and white with five or more; a white
// five square where black must not play is a five black cannot stop.
TEST(Renju, FivesByColourAndTheBlockBlackCannotPlay) {
    static move_list out;
    int score;
    set_board(15, RULE_RENJU, "O 3,7 4,7 5,7 7,7 8,7 X 1,1 1,3 1,5 1,9 1,11");
    ASSERT_EQ(generate_moves(game.board, -1, 2, out, &score, 2), 1);
    EXPECT_EQ(out.rec[0].tag, TAG_FIVE) << "white's six wins";
    game.board[cell(6, 7)] = -1;
    EXPECT_TRUE(stone_makes_five(game.board, 15, 6, 7, RULE_RENJU));
    game.board[cell(6, 7)] = 0;
    swap_colours();
    EXPECT_EQ(analyse_point(game.board, 6, 7, 1).count, 0) << "black's six is no five";
    game.board[cell(6, 7)] = 1;
    EXPECT_FALSE(stone_makes_five(game.board, 15, 6, 7, RULE_RENJU));
    // White's four 3,3..6,6 has one five square, 7,7, a double three of black.
    set_board(15, RULE_RENJU, "O 3,3 4,4 5,5 6,6 14,14 X 2,2 5,7 6,7 7,5 7,6");
    for (int ply : {0, 2}) {
        ASSERT_EQ(generate_moves(game.board, 1, ply, out, &score, 2), 1) << ply;
        EXPECT_EQ(out.rec[0].tag, TAG_LOST) << ply;
    }
}

} // namespace
