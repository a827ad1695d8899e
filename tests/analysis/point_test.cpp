// Point analysis: window counts of sample lines, classification of sample squares, edges
// and board sizes, and agreement of every way of computing the figures on random boards.
#include <gtest/gtest.h>

#include <cstdint>

#include "line_text.h"

namespace {

struct fives_case {
    const char *line;
    int m_clear, w_clear; // exact_five clear
    int m_exact, w_exact; // exact_five set
};

const fives_case fives_cases[] = {
    {"..XXX......", 3, 2, 3, 2}, {".XXX.......", 3, 1, 3, 1}, {"X.XXX......", 3, 2, 3, 1},
    {"XXX........", 2, 1, 0, 0}, {".XXXX......", 4, 1, 4, 1}, {"XXXXX......", 4, 1, 0, 0},
    {"..OXX.X....", 3, 1, 3, 1}, {"#####.XXX..", 3, 1, 3, 1}, {"...........", 0, 0, 0, 0},
    {"......XXXXX", 4, 1, 0, 0}, // six past the far end
};

// The same line seen by the other colour: X and O exchanged.
std::string swapped(std::string s) {
    for (char &ch : s) ch = ch == 'X' ? 'O' : ch == 'O' ? 'X' : ch;
    return s;
}

TEST(CountFives, SampleLinesUnderBothRules) {
    for (const fives_case &c : fives_cases) {
        for (int exact = 0; exact <= 1; exact++) {
            reset_game_state();
            settings.exact_five = exact;
            int line[LINE_LEN], w = -1;
            parse_line(c.line, line);
            int m = count_fives(line, 1, &w);
            EXPECT_EQ(m, exact ? c.m_exact : c.m_clear) << c.line << " exact " << exact;
            EXPECT_EQ(w, exact ? c.w_exact : c.w_clear) << c.line << " exact " << exact;
            // Colours swapped: the figures belong to the colour, not to +1.
            parse_line(swapped(c.line), line);
            EXPECT_EQ(count_fives(line, -1, &w), m) << c.line;
        }
    }
}

struct point_case {
    const char *what;
    std::initializer_list<stone> stones;
    int x, y, exact;
    point_info expect;
};

const point_case point_cases[] = {
    {"two open-four lines",
     {{4, 7, 1}, {5, 7, 1}, {6, 7, 1}, {7, 4, 1}, {7, 5, 1}, {7, 6, 1}},
     7,
     7,
     1,
     {3, 2, 3, 0, 0}},
    {"one open-four line, more windows win the count tie",
     {{4, 7, 1}, {5, 7, 1}, {6, 7, 1}, {7, 4, 1}, {7, 5, 1}, {7, 6, 1}, {8, 7, -1}},
     7,
     7,
     1,
     {3, 2, 2, 0, 2}},
    {"a four and an open three",
     {{3, 7, -1}, {4, 7, 1}, {5, 7, 1}, {6, 7, 1}, {7, 5, 1}, {7, 6, 1}},
     7,
     7,
     1,
     {3, 1, 2, 0, 0}},
    {"two twos, equal figures go to the lower direction",
     {{6, 7, 1}, {7, 6, 1}},
     7,
     7,
     1,
     {1, 4, 1, 0, 0}},
    {"a lone neighbour", {{6, 7, 1}}, 7, 7, 1, {1, 4, 0, 0, 0}},
    {"corner square, one window on the diagonal",
     {{1, 1, 1}, {2, 2, 1}, {3, 3, 1}},
     0,
     0,
     1,
     {3, 1, 0, 0, 1}},
    {"a six-maker without the rule",
     {{1, 7, 1}, {3, 7, 1}, {4, 7, 1}, {5, 7, 1}, {6, 7, 1}},
     2,
     7,
     0,
     {4, 2, 0, 0, 0}},
    {"a six-maker under the rule",
     {{1, 7, 1}, {3, 7, 1}, {4, 7, 1}, {5, 7, 1}, {6, 7, 1}},
     2,
     7,
     1,
     {0, 0, 0, 0, -1}},
    {"no stone within four cells",
     {{2, 7, 1}, {12, 7, 1}, {7, 1, 1}, {10, 11, 1}},
     7,
     7,
     1,
     {0, 0, 0, 0, -1}},
    {"only other stones", {{6, 7, -1}, {7, 6, -1}, {8, 8, -1}}, 7, 7, 1, {0, 0, 0, 0, -1}},
    {"the square holds an other stone",
     {{7, 7, -1}, {6, 7, 1}, {8, 7, 1}},
     7,
     7,
     1,
     {0, 0, 0, 0, -1}},
};

TEST(AnalysePoint, SampleSquaresOn15x15) {
    for (const point_case &c : point_cases) {
        set_position(15, c.exact, c.stones);
        point_info got = analyse_point(game.board, c.x, c.y, 1);
        EXPECT_EQ(got, c.expect) << c.what << ": got " << to_string(got);
    }
}

TEST(AnalysePoint, ColoursSwappedGiveTheSameFigures) {
    for (const point_case &c : point_cases) {
        set_position(15, c.exact, c.stones);
        for (int i = 0; i < BOARD_CELLS; i++) game.board[i] = -game.board[i];
        point_info got = analyse_point(game.board, c.x, c.y, -1);
        EXPECT_EQ(got, c.expect) << c.what << ": got " << to_string(got);
    }
}

// The same three stones by the lower edge: on 15 x 15 only one window reaches the square
// (14,7); on 20 x 20 the board goes on and the square is an open four.
TEST(AnalysePoint, EdgeDependsOnBoardSize) {
    const std::initializer_list<stone> stones = {{11, 7, 1}, {12, 7, 1}, {13, 7, 1}};
    set_position(15, 1, stones);
    EXPECT_EQ(analyse_point(game.board, 14, 7, 1), (point_info{3, 1, 0, 0, 0}));
    set_position(20, 1, stones);
    EXPECT_EQ(analyse_point(game.board, 14, 7, 1), (point_info{3, 2, 0, 0, 0}));
    // Far edge of the 20 x 20 board, and the corner along the anti-diagonal.
    set_position(20, 1, {{16, 19, 1}, {17, 19, 1}, {18, 19, 1}});
    EXPECT_EQ(analyse_point(game.board, 19, 19, 1), (point_info{3, 1, 0, 0, 0}));
    set_position(20, 1, {{18, 1, 1}, {17, 2, 1}, {16, 3, 1}});
    EXPECT_EQ(analyse_point(game.board, 19, 0, 1), (point_info{3, 1, 0, 0, 3}));
}

// Cells of the 20 x 20 array beyond dim are never read, whatever they hold.
TEST(AnalysePoint, CellsPastDimAreOffBoard) {
    set_position(15, 1, {{11, 7, 1}, {12, 7, 1}, {13, 7, 1}, {15, 7, 1}, {16, 7, 1}});
    int line[LINE_LEN];
    line_window(game.board, 14, 7, 0, line);
    EXPECT_EQ(line[6], OFF_BOARD);
    EXPECT_EQ(line[10], OFF_BOARD);
    EXPECT_EQ(analyse_point(game.board, 14, 7, 1), (point_info{3, 1, 0, 0, 0}));
}

TEST(LineWindow, CopiesElevenCellsAlongEachDirection) {
    set_position(15, 1, {{3, 3, 1}, {4, 2, -1}, {2, 4, 1}, {1, 1, -1}});
    int line[LINE_LEN];
    line_window(game.board, 3, 3, 3,
                line); // (-1,1): index 4 is (4,2), index 6 is (2,4), y < 0 at 0-1
    const int expect3[LINE_LEN] = {2, 2, 0, 0, -1, 1, 1, 0, 0, 2, 2};
    for (int i = 0; i < LINE_LEN; i++) EXPECT_EQ(line[i], expect3[i]) << i;
    line_window(game.board, 3, 3, 1, line); // (1,1): index 3 is (1,1), index 0 is (-2,-2)
    const int expect1[LINE_LEN] = {2, 2, 0, -1, 0, 1, 0, 0, 0, 0, 0};
    for (int i = 0; i < LINE_LEN; i++) EXPECT_EQ(line[i], expect1[i]) << i;
}

// ---- Agreement on random boards ---------------------------------------------------------

// A fixed linear congruential generator, so every run and compiler sees the same boards.
struct lcg {
    std::uint32_t s;
    int next(int n) {
        s = s * 1664525u + 1013904223u;
        return static_cast<int>((s >> 8) % static_cast<std::uint32_t>(n));
    }
};

// count_fives written out cell by cell, as plainly as possible.
int reference_count_fives(const int line[LINE_LEN], int colour, bool exact, int *windows) {
    int n[6] = {0, 0, 0, 0, 0, 0}, m = 0;
    for (int s = 1; s <= 5; s++) {
        int own = 0, empty = 0;
        for (int i = s; i < s + 5; i++) {
            own += line[i] == colour;
            empty += line[i] == 0;
        }
        bool edges_ok = !exact || (line[s - 1] != colour && line[s + 5] != colour);
        if (own + empty == 5 && own >= 1 && edges_ok) {
            n[own]++;
            if (own > m) m = own;
        }
    }
    *windows = m == 0 ? 0 : n[m];
    return m;
}

// The classification of a square from its four directions' figures.
point_info classify(const int m[4], const int c[4]) {
    point_info p{0, 0, 0, 0, -1};
    int open_fours = 0, threes = 0, twos = 0;
    for (int d = 0; d < 4; d++) {
        if (m[d] == 0) continue;
        if (m[d] > p.count || (m[d] == p.count && c[d] > p.windows)) p = {m[d], c[d], 0, 0, d};
        open_fours += m[d] == 3 && c[d] >= 2;
        threes += m[d] == 3 || (m[d] == 2 && c[d] >= 2);
        twos += m[d] >= 4 || m[d] == 3 || m[d] == 2 || (m[d] == 1 && c[d] >= 2);
    }
    p.threat = open_fours >= 2 ? 3 : threes >= 2 ? 2 : twos >= 2 ? 1 : 0;
    return p;
}

// Random boards of every size, density and rule: for every square and colour, the
// per-direction figures of count_fives on line_window, analyse_point, and the line rows
// the move generator uses must all agree, and count_fives must match the plain count.
TEST(AnalysePoint, AgreesWithCountFivesOnRandomBoards) {
    lcg rng{12345};
    int checked = 0;
    for (int round = 0; round < 240; round++) {
        const int dim = 15 + round % 6, exact = (round / 6) % 2;
        const int density = 10 + rng.next(75); // percent of occupied cells
        reset_game_state();
        game.dim = dim;
        settings.exact_five = exact;
        for (int i = 0; i < BOARD_CELLS; i++)
            game.board[i] = rng.next(100) < density ? (rng.next(2) ? 1 : -1) : 0;
        board_lines rows;
        build_board_lines(game.board, rows);
        for (int x = 0; x < dim; x++) {
            for (int y = 0; y < dim; y++) {
                for (int colour : {1, -1}) {
                    int m[4], c[4];
                    for (int d = 0; d < 4; d++) {
                        int line[LINE_LEN], rc;
                        line_window(game.board, x, y, d, line);
                        m[d] = count_fives(line, colour, &c[d]);
                        ASSERT_EQ(reference_count_fives(line, colour, exact, &rc), m[d]);
                        ASSERT_EQ(rc, c[d]);
                    }
                    point_info want = classify(m, c);
                    point_info got = analyse_point(game.board, x, y, colour);
                    ASSERT_EQ(got, want) << "dim " << dim << " square " << x << "," << y;
                    point_info plus, minus;
                    analyse_lines(rows, x, y, plus, minus);
                    ASSERT_EQ(colour == 1 ? plus : minus, want)
                        << "dim " << dim << " square " << x << "," << y;
                    checked++;
                }
                // The near masks: empty squares with a stone within four cells on a line.
                bool near = false;
                for (int d = 0; d < 4; d++) {
                    int line[LINE_LEN];
                    line_window(game.board, x, y, d, line);
                    for (int i = 1; i <= 9; i++) near = near || line[i] == 1 || line[i] == -1;
                }
                near = near && game.board[cell(x, y)] == 0;
                ASSERT_EQ((rows.near[x] >> y & 1) != 0, near) << x << "," << y;
            }
        }
    }
    EXPECT_GT(checked, 100000);
}

} // namespace
