// Point analysis: window counts of sample lines, classification of sample squares, edges
// and board sizes. The live analysis is held to it through the generator's reference test.
#include <gtest/gtest.h>

#include "support/position.h"

namespace {

struct fives_case {
    const char *line;
    int m_clear, w_clear, m_exact, w_exact; // without and with the exact-five rule
};

const fives_case fives_cases[] = {
    {"..XXX......", 3, 2, 3, 2}, {".XXX.......", 3, 1, 3, 1}, {"X.XXX......", 3, 2, 3, 1},
    {"XXX........", 2, 1, 0, 0}, {".XXXX......", 4, 1, 4, 1}, {"XXXXX......", 4, 1, 0, 0},
    {"..OXX.X....", 3, 1, 3, 1}, {"#####.XXX..", 3, 1, 3, 1}, {"...........", 0, 0, 0, 0},
    {"......XXXXX", 4, 1, 0, 0}, // six past the far end
};

TEST(CountFives, SampleLinesUnderBothRules) {
    for (const fives_case &c : fives_cases) {
        for (int exact = 0; exact <= 1; exact++) {
            settings.exact_five = exact;
            int line[LINE_LEN], w = -1;
            parse_line(c.line, line);
            int m = count_fives(line, 1, &w);
            EXPECT_EQ(m, exact ? c.m_exact : c.m_clear) << c.line << " exact " << exact;
            EXPECT_EQ(w, exact ? c.w_exact : c.w_clear) << c.line << " exact " << exact;
            for (int &v : line) v = v == 1 || v == -1 ? -v : v; // the other colour's view
            EXPECT_EQ(count_fives(line, -1, &w), m) << c.line;
        }
    }
}

struct point_case {
    int dim, exact, x, y;
    const char *stones, *expect, *what;
};

const point_case point_cases[] = {
    {15, 1, 7, 7, "X 4,7 5,7 6,7 7,4 7,5 7,6", "(3,2,3,0,0)", "two open-four lines"},
    {15, 1, 7, 7, "X 4,7 5,7 6,7 7,4 7,5 7,6 O 8,7", "(3,2,2,0,2)", "more windows win a tie"},
    {15, 1, 7, 7, "O 3,7 X 4,7 5,7 6,7 7,5 7,6", "(3,1,2,0,0)", "a four and an open three"},
    {15, 1, 7, 7, "X 6,7 7,6", "(1,4,1,0,0)", "equal figures: the lower direction"},
    {15, 1, 7, 7, "X 6,7", "(1,4,0,0,0)", "a lone neighbour"},
    {15, 1, 0, 0, "X 1,1 2,2 3,3", "(3,1,0,0,1)", "corner: one diagonal window"},
    {15, 0, 2, 7, "X 1,7 3,7 4,7 5,7 6,7", "(4,2,0,0,0)", "a six-maker without the rule"},
    {15, 1, 2, 7, "X 1,7 3,7 4,7 5,7 6,7", "(0,0,0,0,-1)", "a six-maker under the rule"},
    {15, 1, 7, 7, "X 2,7 12,7 7,1 10,11", "(0,0,0,0,-1)", "no stone within four cells"},
    {15, 1, 7, 7, "O 7,7 X 6,7 8,7", "(0,0,0,0,-1)", "the square holds an other stone"},
    // Edges: the same three stones leave one window on 15 x 15 and two on 20 x 20.
    {15, 1, 14, 7, "X 11,7 12,7 13,7", "(3,1,0,0,0)", "lower edge of 15 x 15"},
    {20, 1, 14, 7, "X 11,7 12,7 13,7", "(3,2,0,0,0)", "the board goes on on 20 x 20"},
    {15, 1, 14, 7, "X 11,7 12,7 13,7 15,7 16,7", "(3,1,0,0,0)", "cells past dim never read"},
    {20, 1, 19, 0, "X 18,1 17,2 16,3", "(3,1,0,0,3)", "anti-diagonal from a corner"},
};

TEST(AnalysePoint, SampleSquaresBothColours) {
    for (const point_case &c : point_cases) {
        set_board(c.dim, c.exact, c.stones);
        EXPECT_EQ(info_text(analyse_point(game.board, c.x, c.y, 1)), c.expect) << c.what;
        swap_colours();
        EXPECT_EQ(info_text(analyse_point(game.board, c.x, c.y, -1)), c.expect) << c.what;
    }
}

} // namespace
