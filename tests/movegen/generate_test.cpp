// The generator on sample positions: the scan, the static score, each forced reply, and
// the ply and depth-limit behaviour. Lists are asserted in full, in our fixed order (equal
// records in scan order, x outer and y inner).
#include <gtest/gtest.h>

#include "lists.h"

namespace {

TEST(GenerateMoves, EmptyBoardHasNoCandidates) {
    set_board(15, 1, "");
    generated g = generate(1, 0, 2);
    EXPECT_EQ(g.n, 0);
    EXPECT_EQ(g.score, 0);
}

TEST(GenerateMoves, FirstFiveInScanOrderWinsAndLeavesTheScore) {
    set_board(15, 1, "X 3,3 3,4 3,5 3,6");
    for (int parent_tag : {2, 0}) {
        generated g = generate(1, 7, parent_tag);
        EXPECT_EQ(g.moves, "(3,2,4,1,0,0,2,3)");
        EXPECT_EQ(g.score, SCORE_UNTOUCHED);
    }
}

struct rule_case {
    const char *stones;
    int ply, parent_tag;
    const char *expect, *what;
};

// 15 x 15, exact five, level 0 limits, X (+1) to move.
const rule_case rule_cases[] = {
    {"O 7,3 7,4 7,5 7,6 X 1,1 1,2 1,3", 0, 2, "(7,2,4,1,0,0,2,-3)",
     "two opponent fives lose, whatever own fours exist"},
    {"X 7,2 3,4 3,5 3,6 O 7,3 7,4 7,5 7,6", 0, 2, "(7,7,4,1,0,0,2,-2)",
     "one opponent five is blocked before an own open four"},
    {"X 7,2 3,4 3,5 3,6 O 7,3 7,4 7,5 7,6", 3, -1, "(7,7,4,1,0,0,2,-1)",
     "the block takes a +-1 parent's tag"},
    {"X 7,2 3,4 3,5 3,6 O 7,3 7,4 7,5 7,6", 3, 0, "(7,7,4,1,0,0,2,0)",
     "the block is quiet under a quiet parent"},
    {"X 3,4 3,5 3,6 O 10,10 11,10", 1, 1, "(3,3,3,2,0,0,2,1) (3,7,3,2,0,0,2,1)", "open fours only"},
    {"X 1,1 13,13 O 7,5 7,6 7,7", 0, 2, "(7,4,3,2,0,0,2,-2) (7,8,3,2,0,0,2,-2)",
     "an opponent open three: the two open-four blocks"},
    {"X 1,1 13,13 O 7,5 7,6 7,8", 0, 2, "(7,7,3,2,0,0,2,-2) (7,4,3,1,0,0,2,-2) (7,9,3,1,0,0,2,-2)",
     "a split three: the gap, then the four blocks"},
    {"X 7,7 7,8 O 8,8", 5, 0, "", "beyond threat_depth without an own four"},
    {"X 5,4 5,5 5,6 6,7 7,7 O 5,3 10,10", 0, 2, "(5,7,3,1,2,0,2,2)", "a four with a second threat"},
    {"X 5,4 5,5 5,6 6,7 7,7 O 5,3 6,8 7,8 8,8", 0, 2,
     "(5,7,3,1,2,0,2,2) (5,8,3,1,1,0,2,2) (5,8,3,2,0,0,0,-2) (9,8,3,2,0,0,0,-2)",
     "a contested four falls to the opponent's open three; (5,8) stands twice"},
    {"O 5,4 5,5 5,6 6,7 7,7 X 5,3 10,10", 0, 2,
     "(5,7,3,1,2,0,2,-2) (5,8,3,1,1,0,2,-2) (5,7,3,1,2,0,2,-2) (4,7,2,2,1,0,0,-2) "
     "(8,7,2,3,1,0,0,-2) (9,7,2,2,0,0,0,-2)",
     "an opponent double threat: four blocks on its line and again, three blocks across"},
    {"O 5,4 5,5 5,6 6,7 7,7 6,8 7,9 X 5,3 10,10", 0, 2,
     "(5,7,3,1,2,0,2,-2) (5,8,3,1,1,0,2,-2) (5,7,3,1,2,0,2,-2) (4,7,2,2,1,0,0,-2) "
     "(8,7,2,3,1,0,0,-2) (9,7,2,2,1,0,0,-2)",
     "second lines along x and the diagonal tie: the earlier direction"},
};

TEST(GenerateMoves, ForcedRepliesBothColours) {
    for (const rule_case &c : rule_cases) {
        set_board(15, 1, c.stones);
        generated g = generate(1, c.ply, c.parent_tag);
        EXPECT_EQ(g.moves, c.expect) << c.what;
        EXPECT_NE(g.score, SCORE_UNTOUCHED) << c.what;
        swap_colours();
        EXPECT_EQ(generate(-1, c.ply, c.parent_tag).moves, c.expect) << c.what;
    }
}

// X has a blocked three (simple fours at (3,6) and (3,7)) and an open two, O two scattered
// stones; nothing is forced, so the ply and the level's limits decide what is tried.
struct ply_case {
    int ply, parent_tag;
    const char *expect, *what;
};

const ply_case ply_cases[] = {
    {0, 2,
     "(3,6,3,1,0,0,2,2) (3,7,3,1,0,0,2,2) (6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) (10,8,2,3,0,0,0,1) "
     "(11,8,2,2,0,0,0,1) (5,8,2,1,0,0,0,1) (12,8,2,1,0,0,0,1) (4,3,1,4,1,0,0,1) "
     "(4,4,1,4,1,0,0,1) (4,5,1,4,1,0,0,1) (8,9,1,4,1,0,2,1) (9,7,1,4,1,0,2,1) "
     "(10,5,2,3,0,0,3,1) (9,6,2,2,0,0,3,1) (13,2,2,2,0,0,3,1) (8,7,2,1,0,0,3,1) "
     "(14,1,2,1,0,0,3,1) (10,3,1,4,1,0,1,1) (11,3,1,4,1,0,2,1) (12,4,1,4,1,0,2,1) "
     "(11,2,1,3,1,0,2,1)",
     "root: tagged own, own to 9, 4 quiet own, 5 opponent, 4 quiet opponent; all tagged"},
    {1, 2,
     "(3,6,3,1,0,0,2,2) (3,7,3,1,0,0,2,2) (6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) (10,8,2,3,0,0,0,1) "
     "(11,8,2,2,0,0,0,1) (5,8,2,1,0,0,0,0) (4,3,1,4,1,0,0,0) (4,4,1,4,1,0,0,0) "
     "(4,5,1,4,1,0,0,0) (8,9,1,4,1,0,2,0)",
     "ply 1: own to 7 and 4 quiet own; no opponent square, quiet_after finds none"},
    {2, 2,
     "(3,6,3,1,0,0,2,2) (3,7,3,1,0,0,2,2) (6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) (10,8,2,3,0,0,0,1) "
     "(11,8,2,2,0,0,0,1) (10,5,2,3,0,0,3,0) (9,6,2,2,0,0,3,0) (13,2,2,2,0,0,3,0)",
     "ply 2: the six tagged own squares exceed the cap of 5; 3 opponent squares"},
    {2, 0,
     "(3,6,3,1,0,0,2,0) (3,7,3,1,0,0,2,0) (6,8,2,2,1,0,0,0) (7,8,2,3,0,0,0,0) (10,8,2,3,0,0,0,0) "
     "(10,5,2,3,0,0,3,0) (9,6,2,2,0,0,3,0) (13,2,2,2,0,0,3,0)",
     "ply 2 under a quiet parent: nothing tagged, own cut at 5"},
    {3, 1,
     "(3,6,3,1,0,0,2,1) (3,7,3,1,0,0,2,1) (6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) (10,8,2,3,0,0,0,1) "
     "(11,8,2,2,0,0,0,1)",
     "past full_depth: the tagged own squares; fours take the parent's tag 1"},
    {3, -1, "(6,8,2,2,1,0,0,1) (7,8,2,3,0,0,0,1) (10,8,2,3,0,0,0,1) (11,8,2,2,0,0,0,1)",
     "fours tagged -1 are not attacking moves"},
    {4, 0, "", "past full_depth under a quiet parent: nothing is tagged"},
    {5, -1, "(3,6,3,1,0,0,2,-1) (3,7,3,1,0,0,2,-1)", "past threat_depth: own fours only"},
};

TEST(GenerateMoves, PlyAndDepthLimits) {
    for (const ply_case &c : ply_cases) {
        set_board(15, 1, "X 3,3 3,4 3,5 8,8 9,8 O 3,2 12,3 11,4");
        generated g = generate(1, c.ply, c.parent_tag);
        EXPECT_EQ(g.moves, c.expect) << c.what;
        EXPECT_EQ(g.score, 5) << c.what;
    }
    levels.full_depth = 3; // a deeper level: ply 3 is within full_depth
    EXPECT_EQ(generate(1, 3, 2).n, 9);
}

// X at (4,7) puts threat squares on the other lines of the simple fours (3,6) and (3,7).
// Near the root those squares gain hits and the tag 1; from ply 2 on nothing is gathered.
TEST(GenerateMoves, ThreatSquareHitsNearTheRootOnly) {
    const char *stones = "X 3,3 3,4 3,5 4,7 6,5 O 3,2 9,9 10,9 9,10 11,12";
    const ply_case cases[] = {
        {1, 2,
         "(3,6,3,1,1,0,2,2) (3,7,3,1,1,0,2,2) (5,6,2,3,1,0,3,1) (4,5,2,2,1,0,0,1) "
         "(5,5,2,2,1,0,0,1) (2,5,2,1,1,1,0,1) (3,8,2,2,0,0,3,1) (7,4,2,2,0,0,3,1) "
         "(5,7,1,4,1,1,0,1) (6,7,1,3,1,1,0,1) (1,4,1,2,1,1,0,1) (1,7,1,2,1,1,0,1) "
         "(5,8,1,4,0,1,1,1) (2,7,1,3,0,1,0,1)",
         "hits tag the squares 1"},
        {2, 2,
         "(3,6,3,1,1,0,2,2) (3,7,3,1,1,0,2,2) (5,6,2,3,1,0,3,1) (4,5,2,2,1,0,0,1) "
         "(5,5,2,2,1,0,0,1) (3,8,2,2,0,0,3,1) (7,4,2,2,0,0,3,1) (8,9,2,3,2,0,0,0) "
         "(9,8,2,3,1,0,2,0) (10,11,2,3,1,0,1,0) (11,9,2,3,1,0,0,0) (9,12,2,2,1,0,2,0)",
         "no hits at ply 2"},
    };
    for (const ply_case &c : cases) {
        set_board(15, 1, stones);
        EXPECT_EQ(generate(1, c.ply, c.parent_tag).moves, c.expect) << c.what;
    }
}

} // namespace
