// Threat squares: masks of sample lines and the order threat_squares appends in.
#include <gtest/gtest.h>

#include <memory>

#include "support/position.h"

namespace {

// A mask as the line's cells: '*' where the bit is set.
std::string mask_text(int mask) {
    std::string text;
    for (int i = 0; i < LINE_LEN; i++) text += mask >> i & 1 ? '*' : '.';
    return text;
}

// Sample lines with the threat squares marked '*', without and with the exact-five rule.
const char *const mask_cases[][2] = {
    {"..XXX.**...", "..XXX.*...."}, {".XXX*.*....", ".XXX......."}, {"..**X.**...", "..**X.**..."},
    {"...**.X**..", "...**.X**.."}, {"..X**......", "..X**......"}, {".......X*..", ".......X*.."},
    {"..X**.X**..", "..X**.X.*.."}, {"...XX.X**..", "...XX.X*..."}, {".X**X.**...", ".X..X..*..."},
    {"...OX......", "...OX......"}, {"#####.X....", "#####.X...."},
};

TEST(ThreatMask, SampleLinesUnderBothRules) {
    for (const auto &c : mask_cases) {
        for (int exact = 0; exact <= 1; exact++) {
            settings.exact_five = exact;
            std::string text = c[exact], marks(LINE_LEN, '.');
            for (int i = 0; i < LINE_LEN; i++)
                if (text[i] == '*') marks[i] = '*', text[i] = '.';
            int line[LINE_LEN];
            parse_line(text, line);
            EXPECT_EQ(mask_text(threat_mask(line, 1)), marks) << c[exact];
            for (int &v : line) v = v == 1 || v == -1 ? -v : v; // the other colour's view
            EXPECT_EQ(mask_text(threat_mask(line, -1)), marks) << c[exact];
        }
    }
}

std::unique_ptr<square_list> empty_squares() {
    auto list = std::make_unique<square_list>();
    list->n = 0;
    return list;
}

// The squares threat_squares appends for x,y, as "x,y x,y ...".
std::string gathered(int x, int y, int colour, int skip_dir) {
    auto list = empty_squares();
    threat_squares(game.board, x, y, colour, *list, skip_dir);
    std::string text;
    for (int i = 0; i < list->n; i++)
        text += std::to_string(list->sq[i][0]) + "," + std::to_string(list->sq[i][1]) + " ";
    return text;
}

struct squares_case {
    int exact, x, y, colour, skip;
    const char *stones, *expect, *what;
};

const squares_case squares_cases[] = {
    {1, 7, 7, 1, 0, "X 7,8 8,8", "5,5 6,6 9,9 10,10 7,5 7,6 7,9 7,10 ",
     "direction, then line order"},
    {1, 7, 7, 1, 0, "X 4,7 5,7 6,7 7,9", "7,10 ", "the skipped line is never examined"},
    {1, 7, 7, 1, -1, "X 4,7 5,7 6,7 7,9", "8,7 7,10 ", "a skip outside 0..3 skips nothing"},
    {0, 7, 7, 1, 4, "X 4,7 5,7 6,7 7,9", "8,7 9,7 7,10 ", "the same without the rule"},
    {1, 2, 7, 1, -1, "X 3,7", "4,7 5,7 ", "windows past the edge mark nothing"},
    {1, 12, 7, 1, -1, "X 11,7", "9,7 10,7 13,7 14,7 ", "nor past the far edge"},
    {1, 0, 0, 1, -1, "X 0,1 1,0", "", "a corner"},
};

TEST(ThreatSquares, SquaresInDirectionAndLineOrder) {
    for (const squares_case &c : squares_cases) {
        set_board(15, c.exact, c.stones);
        EXPECT_EQ(gathered(c.x, c.y, c.colour, c.skip), c.expect) << c.what;
    }
}

} // namespace
