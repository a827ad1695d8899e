// The generator's forced replies on sample positions, for both colours, and the hits near
// the root. Lists are asserted in full, in our fixed order (equal records in scan order, x
// outer and y inner). The reference test holds the scan to the plain one on many positions
// and the selection test the ordinary selection to a plain one.
#include <gtest/gtest.h>

#include "lists.h"

namespace {

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

// Near the root (plies 0 and 1) the squares on the lines around simple fours gain hits, the
// same at both plies: a square listed at both carries the same hits.
TEST(GenerateMoves, HitsAtPlyZeroAndOne) {
    static move_list root_list, ply1_list;
    int compared = 0, hit = 0;
    for (const bench_position &p : bench_suite) {
        const int side = set_bench(p.name, 0);
        int score, n0 = generate_moves(game.board, side, 0, root_list, &score, TAG_QUIET);
        int n1 = generate_moves(game.board, side, 1, ply1_list, &score, TAG_QUIET);
        for (int i = 0; i < n0; i++)
            for (int j = 0; j < n1; j++) {
                const move_rec &a = root_list.rec[i], &b = ply1_list.rec[j];
                if (a.x != b.x || a.y != b.y) continue;
                EXPECT_EQ(a.info.hits, b.info.hits) << p.name << " " << a.x << "," << a.y;
                compared++;
                hit += a.info.hits > 0;
            }
    }
    EXPECT_GT(hit, 1) << compared;
}

} // namespace
