// Threat squares: masks of sample lines, the order threat_squares appends in, the list's
// capacity guard, and the hits and tags mark_hits gives.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "line_text.h"

namespace {

struct mask_case {
    const char *line;
    int clear, exact;
};

const mask_case mask_cases[] = {
    {"..XXX......", 192, 64},  {".XXX.......", 80, 0},    {"....X......", 204, 204},
    {"......X....", 408, 408}, {"..X........", 24, 24},   {".......X...", 256, 256},
    {"..X...X....", 408, 280}, {"...XX.X....", 384, 128}, {".X..X......", 204, 128},
    {"...OX......", 0, 0},     {"#####.X....", 0, 0},
};

TEST(ThreatMask, SampleLinesUnderBothRules) {
    for (const mask_case &c : mask_cases) {
        for (int exact = 0; exact <= 1; exact++) {
            reset_game_state();
            settings.exact_five = exact;
            int line[LINE_LEN];
            parse_line(c.line, line);
            EXPECT_EQ(threat_mask(line, 1), exact ? c.exact : c.clear)
                << c.line << " exact " << exact;
            // The other colour sees nothing of X's; its own view of the swapped line agrees.
            for (int &v : line) v = v == 1 || v == -1 ? -v : v;
            EXPECT_EQ(threat_mask(line, -1), exact ? c.exact : c.clear) << c.line;
        }
    }
}

using squares = std::vector<std::pair<int, int>>;

squares gathered(int x, int y, int colour, int skip_dir) {
    auto list = std::make_unique<square_list>();
    list->n = 0;
    threat_squares(game.board, x, y, colour, *list, skip_dir);
    squares out;
    for (int i = 0; i < list->n; i++) out.emplace_back(list->sq[i][0], list->sq[i][1]);
    return out;
}

TEST(ThreatSquares, DirectionOrderThenLineOrder) {
    for (int exact = 0; exact <= 1; exact++) {
        set_position(15, exact, {{7, 8, 1}, {8, 8, 1}});
        EXPECT_EQ(gathered(7, 7, 1, 0),
                  (squares{{5, 5}, {6, 6}, {9, 9}, {10, 10}, {7, 5}, {7, 6}, {7, 9}, {7, 10}}));
        // The other colour has no stone there.
        EXPECT_EQ(gathered(7, 7, -1, 0), squares{});
    }
}

TEST(ThreatSquares, SkippedDirectionIsNeverExamined) {
    set_position(15, 1, {{4, 7, 1}, {5, 7, 1}, {6, 7, 1}, {7, 9, 1}});
    EXPECT_EQ(gathered(7, 7, 1, 0), (squares{{7, 10}}));
    // A skip outside 0..3 examines all four lines.
    EXPECT_EQ(gathered(7, 7, 1, -1), (squares{{8, 7}, {7, 10}}));
    settings.exact_five = 0;
    EXPECT_EQ(gathered(7, 7, 1, 4), (squares{{8, 7}, {9, 7}, {7, 10}}));
}

// Near the edge the marked cells stay on the board, and windows past it mark nothing.
TEST(ThreatSquares, NeverPastTheEdge) {
    set_position(15, 1, {{3, 7, 1}, {11, 7, 1}});
    EXPECT_EQ(gathered(2, 7, 1, -1), (squares{{4, 7}, {5, 7}}));
    EXPECT_EQ(gathered(12, 7, 1, -1), (squares{{9, 7}, {10, 7}, {13, 7}, {14, 7}}));
    set_position(15, 1, {{0, 1, 1}, {1, 0, 1}});
    EXPECT_EQ(gathered(0, 0, 1, -1), squares{});
}

TEST(UlozTahT, FullListEndsTheProcess) {
    auto list = std::make_unique<square_list>();
    list->n = 0;
    for (int i = 0; i < MAX_SQUARES; i++) EXPECT_EQ(uloz_tah_t(i % 20, i / 20 % 20, *list), 0);
    EXPECT_EQ(list->n, MAX_SQUARES);
    EXPECT_EQ(list->sq[MAX_SQUARES - 1][0], (MAX_SQUARES - 1) % 20);
    EXPECT_EXIT(uloz_tah_t(3, 3, *list), testing::ExitedWithCode(1),
                "uloz_tah_t: preteceni ts, n=7200\n");
}

struct hits_case {
    int flag, value, tag; // tag a match gives
};

const hits_case hits_cases[] = {
    {1, 2, 1},  {1, -2, 1}, {1, 1, 1},   {1, -1, 1}, {0, 2, 0},
    {0, -1, 0}, {1, 0, 0},  {2, -1, -1}, {-2, 1, 1}, {-1, 1, -1},
};

TEST(MarkHits, RaisesHitsPerListingAndTagsMatches) {
    for (const hits_case &c : hits_cases) {
        auto list = std::make_unique<square_list>();
        list->n = 0;
        uloz_tah_t(7, 5, *list);
        uloz_tah_t(6, 6, *list);
        uloz_tah_t(7, 5, *list);
        move_rec moves[2] = {{7, 5, {2, 2, 1, 1, 0}, 2}, {9, 9, {1, 1, 0, 0, 3}, -2}};
        mark_hits(*list, moves, 2, c.flag, c.value);
        EXPECT_EQ(moves[0].info.hits, 3) << c.flag << "," << c.value;
        EXPECT_EQ(moves[0].tag, c.tag) << c.flag << "," << c.value;
        EXPECT_EQ(moves[0].info.count, 2);
        EXPECT_EQ(moves[0].info.dir, 0);
        EXPECT_EQ(moves[1].info.hits, 0);
        EXPECT_EQ(moves[1].tag, -2);
    }
}

TEST(MarkHits, EmptyListsChangeNothing) {
    auto list = std::make_unique<square_list>();
    list->n = 0;
    move_rec moves[1] = {{7, 5, {2, 2, 1, 0, 0}, 2}};
    mark_hits(*list, moves, 1, 1, 2);
    EXPECT_EQ(moves[0].info.hits, 0);
    EXPECT_EQ(moves[0].tag, 2);
    uloz_tah_t(7, 5, *list);
    mark_hits(*list, moves, 0, 1, 2);
    EXPECT_EQ(moves[0].info.hits, 0);
    EXPECT_EQ(moves[0].tag, 2);
}

} // namespace
