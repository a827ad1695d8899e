// The generator on sample positions: the scan, the static score, each selection rule, and
// the ply and depth-limit behaviour. Lists are asserted in full, in our fixed order (equal
// records in scan order, x outer and y inner).
#include <gtest/gtest.h>

#include "position.h"

namespace {

move_list out; // 13.5 KB: kept off the test's stack

TEST(GenerateMoves, EmptyBoardHasNoCandidates) {
    set_position(15, 1, {});
    generated g = generate(1, 0, 2, out);
    EXPECT_EQ(g.n, 0);
    EXPECT_EQ(g.score, 0);
}

TEST(GenerateMoves, SingleStoneNeighboursFirst) {
    set_position(15, 1, {{7, 7, 1}});
    generated g = generate(-1, 0, 2, out);
    EXPECT_EQ(g.score, -18); // nine opponent records of weight 2
    EXPECT_EQ(g.moves, "(6,6,1,4,0,0,1,1) (6,7,1,4,0,0,0,1) (6,8,1,4,0,0,3,1) "
                       "(7,6,1,4,0,0,2,1) (7,8,1,4,0,0,2,1) (8,6,1,4,0,0,3,1) "
                       "(8,7,1,4,0,0,0,1) (8,8,1,4,0,0,1,1) (5,5,1,3,0,0,1,1)");
    // Same for the other colour, and without the exact-five rule.
    set_position(15, 0, {{7, 7, -1}});
    generated h = generate(1, 0, 2, out);
    EXPECT_EQ(h.score, g.score);
    EXPECT_EQ(h.moves, g.moves);
}

TEST(GenerateMoves, FirstFiveInScanOrderWinsAndLeavesTheScore) {
    set_position(15, 1, {{3, 3, 1}, {3, 4, 1}, {3, 5, 1}, {3, 6, 1}});
    generated g = generate(1, 0, 2, out);
    EXPECT_EQ(g.n, 1);
    EXPECT_EQ(g.moves, "(3,2,4,1,0,0,2,3)");
    EXPECT_EQ(g.score, SCORE_UNTOUCHED);
    // A quiet parent does not change a win.
    EXPECT_EQ(generate(1, 7, 0, out).moves, "(3,2,4,1,0,0,2,3)");
}

// Positions on 15 x 15 with exact five, level 0 limits, +1 (X) to move; O is -1.
struct rule_case {
    const char *what;
    std::initializer_list<stone> stones;
    int ply, parent_tag;
    const char *expect;
};

const rule_case rule_cases[] = {
    {"two opponent fives lose, whatever own fours exist",
     {{7, 3, -1}, {7, 4, -1}, {7, 5, -1}, {7, 6, -1}, {1, 1, 1}, {1, 2, 1}, {1, 3, 1}},
     0,
     2,
     "(7,2,4,1,0,0,2,-3)"},
    {"one opponent five is blocked before an own open four",
     {{7, 2, 1}, {3, 4, 1}, {3, 5, 1}, {3, 6, 1}, {7, 3, -1}, {7, 4, -1}, {7, 5, -1}, {7, 6, -1}},
     0,
     2,
     "(7,7,4,1,0,0,2,-2)"},
    {"the block takes a +-1 parent's tag",
     {{7, 2, 1}, {3, 4, 1}, {3, 5, 1}, {3, 6, 1}, {7, 3, -1}, {7, 4, -1}, {7, 5, -1}, {7, 6, -1}},
     3,
     -1,
     "(7,7,4,1,0,0,2,-1)"},
    {"the block is quiet under a quiet parent",
     {{7, 2, 1}, {3, 4, 1}, {3, 5, 1}, {3, 6, 1}, {7, 3, -1}, {7, 4, -1}, {7, 5, -1}, {7, 6, -1}},
     3,
     0,
     "(7,7,4,1,0,0,2,0)"},
    {"open fours only",
     {{3, 4, 1}, {3, 5, 1}, {3, 6, 1}, {10, 10, -1}, {11, 10, -1}},
     1,
     1,
     "(3,3,3,2,0,0,2,1) (3,7,3,2,0,0,2,1)"},
    {"an opponent open three: the two open-four blocks",
     {{1, 1, 1}, {13, 13, 1}, {7, 5, -1}, {7, 6, -1}, {7, 7, -1}},
     0,
     2,
     "(7,4,3,2,0,0,2,-2) (7,8,3,2,0,0,2,-2)"},
    {"a split three: the gap, then the four blocks",
     {{1, 1, 1}, {13, 13, 1}, {7, 5, -1}, {7, 6, -1}, {7, 8, -1}},
     0,
     2,
     "(7,7,3,2,0,0,2,-2) (7,4,3,1,0,0,2,-2) (7,9,3,1,0,0,2,-2)"},
    {"beyond threat_depth without an own four", {{7, 7, 1}, {7, 8, 1}, {8, 8, -1}}, 5, 0, ""},
    {"a four with a second threat",
     {{5, 4, 1}, {5, 5, 1}, {5, 6, 1}, {6, 7, 1}, {7, 7, 1}, {5, 3, -1}, {10, 10, -1}},
     0,
     2,
     "(5,7,3,1,2,0,2,2)"},
    {"a contested four falls to the opponent's open three; (5,8) stands twice",
     {{5, 4, 1},
      {5, 5, 1},
      {5, 6, 1},
      {6, 7, 1},
      {7, 7, 1},
      {5, 3, -1},
      {6, 8, -1},
      {7, 8, -1},
      {8, 8, -1}},
     0,
     2,
     "(5,7,3,1,2,0,2,2) (5,8,3,1,1,0,2,2) (5,8,3,2,0,0,0,-2) (9,8,3,2,0,0,0,-2)"},
    {"an opponent double threat: blocks on two lines",
     {{5, 4, -1}, {5, 5, -1}, {5, 6, -1}, {6, 7, -1}, {7, 7, -1}, {5, 3, 1}, {10, 10, 1}},
     0,
     2,
     "(5,7,3,1,2,0,2,-2) (5,8,3,1,1,0,2,-2) (5,7,3,1,2,0,2,-2) (4,7,2,2,1,0,0,-2) "
     "(8,7,2,3,1,0,0,-2) (9,7,2,2,0,0,0,-2)"},
};

TEST(GenerateMoves, ForcedRepliesOnSamplePositions) {
    for (const rule_case &c : rule_cases) {
        set_position(15, 1, c.stones);
        generated g = generate(1, c.ply, c.parent_tag, out);
        EXPECT_EQ(g.moves, c.expect) << c.what;
        EXPECT_NE(g.score, SCORE_UNTOUCHED) << c.what;
    }
}

// The same positions with colours swapped and the other side to move give the same lists.
TEST(GenerateMoves, ColoursSwapped) {
    for (const rule_case &c : rule_cases) {
        set_position(15, 1, c.stones);
        for (int i = 0; i < BOARD_CELLS; i++) game.board[i] = -game.board[i];
        EXPECT_EQ(generate(-1, c.ply, c.parent_tag, out).moves, c.expect) << c.what;
    }
}

// X has a blocked three (simple fours at (3,6) and (3,7)) and an open two; O two scattered
// stones. Nothing is forced, so the ply and the level's limits (full_depth 2, threat_depth 4)
// decide what is tried.
const std::initializer_list<stone> quiet_stones = {{3, 3, 1}, {3, 4, 1}, {3, 5, 1},   {3, 2, -1},
                                                   {8, 8, 1}, {9, 8, 1}, {12, 3, -1}, {11, 4, -1}};

struct ply_case {
    int ply, parent_tag;
    const char *expect;
    const char *why;
};

const ply_case ply_cases[] = {
    {0, 2,
     "(3,6,3,1,0,0,2,2) (3,7,3,1,0,0,2,2) (6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) "
     "(10,8,2,3,0,0,0,1) (11,8,2,2,0,0,0,1) (5,8,2,1,0,0,0,1) (12,8,2,1,0,0,0,1) "
     "(4,3,1,4,1,0,0,1) (4,4,1,4,1,0,0,1) (4,5,1,4,1,0,0,1) (8,9,1,4,1,0,2,1) "
     "(9,7,1,4,1,0,2,1) (10,5,2,3,0,0,3,1) (9,6,2,2,0,0,3,1) (13,2,2,2,0,0,3,1) "
     "(8,7,2,1,0,0,3,1) (14,1,2,1,0,0,3,1) (10,3,1,4,1,0,1,1) (11,3,1,4,1,0,2,1) "
     "(12,4,1,4,1,0,2,1) (11,2,1,3,1,0,2,1)",
     "root: tagged own, best own to 9, 4 quiet own, 5 opponent, 4 quiet opponent; all tagged"},
    {0, 0,
     "(3,6,3,1,0,0,2,1) (3,7,3,1,0,0,2,1) (6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) "
     "(10,8,2,3,0,0,0,1) (11,8,2,2,0,0,0,1) (5,8,2,1,0,0,0,1) (12,8,2,1,0,0,0,1) "
     "(4,3,1,4,1,0,0,1) (4,4,1,4,1,0,0,1) (4,5,1,4,1,0,0,1) (8,9,1,4,1,0,2,1) "
     "(9,7,1,4,1,0,2,1) (10,5,2,3,0,0,3,1) (9,6,2,2,0,0,3,1) (13,2,2,2,0,0,3,1) "
     "(8,7,2,1,0,0,3,1) (14,1,2,1,0,0,3,1) (10,3,1,4,1,0,1,1) (11,3,1,4,1,0,2,1) "
     "(12,4,1,4,1,0,2,1) (11,2,1,3,1,0,2,1)",
     "root under a quiet parent: the same squares, quiet ones raised to 1"},
    {1, 2,
     "(3,6,3,1,0,0,2,2) (3,7,3,1,0,0,2,2) (6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) "
     "(10,8,2,3,0,0,0,1) (11,8,2,2,0,0,0,1) (5,8,2,1,0,0,0,0) (4,3,1,4,1,0,0,0) "
     "(4,4,1,4,1,0,0,0) (4,5,1,4,1,0,0,0) (8,9,1,4,1,0,2,0)",
     "ply 1: own to 7 and 4 quiet own; no opponent square, quiet_after finds none"},
    {2, 2,
     "(3,6,3,1,0,0,2,2) (3,7,3,1,0,0,2,2) (6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) "
     "(10,8,2,3,0,0,0,1) (11,8,2,2,0,0,0,1) (10,5,2,3,0,0,3,0) (9,6,2,2,0,0,3,0) "
     "(13,2,2,2,0,0,3,0)",
     "ply 2: the six tagged own squares exceed the cap of 5; 3 opponent squares"},
    {2, 0,
     "(3,6,3,1,0,0,2,0) (3,7,3,1,0,0,2,0) (6,8,2,2,1,0,0,0) (7,8,2,3,0,0,0,0) "
     "(10,8,2,3,0,0,0,0) (10,5,2,3,0,0,3,0) (9,6,2,2,0,0,3,0) (13,2,2,2,0,0,3,0)",
     "ply 2 under a quiet parent: nothing tagged, own cut at 5"},
    {3, 2,
     "(3,6,3,1,0,0,2,2) (3,7,3,1,0,0,2,2) (6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) "
     "(10,8,2,3,0,0,0,1) (11,8,2,2,0,0,0,1)",
     "past full_depth: tagged own squares only"},
    {3, 1,
     "(3,6,3,1,0,0,2,1) (3,7,3,1,0,0,2,1) (6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) "
     "(10,8,2,3,0,0,0,1) (11,8,2,2,0,0,0,1)",
     "fours take the parent's tag 1"},
    {3, -1, "(6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) (10,8,2,3,0,0,0,1) (11,8,2,2,0,0,0,1)",
     "fours tagged -1 are not attacking moves"},
    {4, 0, "", "past full_depth under a quiet parent: nothing is tagged"},
    {5, 2, "(3,6,3,1,0,0,2,2) (3,7,3,1,0,0,2,2)", "past threat_depth: own fours only"},
    {5, -1, "(3,6,3,1,0,0,2,-1) (3,7,3,1,0,0,2,-1)", "own fours whatever their tag"},
};

TEST(GenerateMoves, PlyAndDepthLimits) {
    for (const ply_case &c : ply_cases) {
        set_position(15, 1, quiet_stones);
        generated g = generate(1, c.ply, c.parent_tag, out);
        EXPECT_EQ(g.moves, c.expect)
            << "ply " << c.ply << ", parent " << c.parent_tag << ": " << c.why;
        EXPECT_EQ(g.score, 5);
    }
    // A deeper level moves the limits: ply 3 is then within full_depth.
    set_position(15, 1, quiet_stones);
    levels.full_depth = 3;
    EXPECT_EQ(generate(1, 3, 2, out).n, 9);
}

// X's blocked three makes simple fours at (3,6) and (3,7); X at (4,7) puts threat squares
// on their other lines. Near the root those squares gain hits and the tag 1 (0 under a
// quiet parent); from ply 2 on nothing is gathered.
TEST(GenerateMoves, ThreatSquareHitsNearTheRootOnly) {
    const std::initializer_list<stone> stones = {{3, 3, 1},   {3, 4, 1},   {3, 5, 1},  {3, 2, -1},
                                                 {4, 7, 1},   {6, 5, 1},   {9, 9, -1}, {10, 9, -1},
                                                 {9, 10, -1}, {11, 12, -1}};
    set_position(15, 1, stones);
    EXPECT_EQ(generate(1, 1, 2, out).moves,
              "(3,6,3,1,1,0,2,2) (3,7,3,1,1,0,2,2) (5,6,2,3,1,0,3,1) (4,5,2,2,1,0,0,1) "
              "(5,5,2,2,1,0,0,1) (2,5,2,1,1,1,0,1) (3,8,2,2,0,0,3,1) (7,4,2,2,0,0,3,1) "
              "(5,7,1,4,1,1,0,1) (6,7,1,3,1,1,0,1) (1,4,1,2,1,1,0,1) (1,7,1,2,1,1,0,1) "
              "(5,8,1,4,0,1,1,1) (2,7,1,3,0,1,0,1)");
    // Under a quiet parent the hits still rank the records but tag them 0, so the quiet
    // squares below the cut skip them.
    EXPECT_EQ(generate(1, 1, 0, out).moves,
              "(3,6,3,1,1,0,2,0) (3,7,3,1,1,0,2,0) (5,6,2,3,1,0,3,0) (4,5,2,2,1,0,0,0) "
              "(5,5,2,2,1,0,0,0) (4,3,1,4,1,0,0,0) (4,4,1,4,1,0,0,0) (4,6,1,4,1,0,1,0)");
    generated deep = generate(1, 2, 2, out);
    EXPECT_EQ(deep.moves, "(3,6,3,1,1,0,2,2) (3,7,3,1,1,0,2,2) (5,6,2,3,1,0,3,1) "
                          "(4,5,2,2,1,0,0,1) (5,5,2,2,1,0,0,1) (3,8,2,2,0,0,3,1) "
                          "(7,4,2,2,0,0,3,1) (8,9,2,3,2,0,0,0) (9,8,2,3,1,0,2,0) "
                          "(10,11,2,3,1,0,1,0) (11,9,2,3,1,0,0,0) (9,12,2,2,1,0,2,0)");
    EXPECT_EQ(deep.score, -17);
}

} // namespace
