// The threat solver: fixed cases of each way a threat sequence wins or fails, and on random
// positions a check of its proofs against every reply, not just the ones it tries.
#include <gtest/gtest.h>

#include "deep_support.h"
#include "search/deep/vcf.h"
#include "search/deep/vct.h"

namespace {

struct vct_case {
    const char *name;
    int rule;
    int colour; // the attacker, to move
    bool wins;
    const char *rows[13]; // x = 0.., columns y = 0.. of a 15 x 15 board
};

const vct_case cases[] = {
    // Two twos cross on an empty square: its double three wins, for either colour where no
    // rule forbids it.
    {"double three", 1, -1, true, {"", "", "", "", "", "......O", "......O", "", "...OO"}},
    {"double three, black", 0, 1, true, {"", "", "", "", "", "......X", "......X", "", "...XX"}},
    {"lone two", 1, -1, false, {"", "", "", "", "", "", "", "", "...OO"}},
    // The defender's open three becomes an open four against any three.
    {"counter open four",
     1,
     -1,
     false,
     {"", "", "", "", "", "......O", "......O", "", "...OO", "", "", "", "........XXX"}},
};

void load(const vct_case &k) {
    deep_fresh(15, k.rule);
    int count = 0;
    while (count < 13 && k.rows[count]) count++;
    put_rows(k.rows, count);
}

TEST(DeepVct, FixedCases) {
    for (const vct_case &k : cases) {
        load(k);
        const uint64_t key = dboard.key;
        EXPECT_EQ(solve_vct(k.colour, 3, 1 << 20), k.wins) << k.name;
        EXPECT_EQ(dboard.key, key) << k.name << ": the board is left as it was";
    }
}

// Black's win in three threats (an open three, a four-three, an open four) from a renju game,
// where threats that lead nowhere order first: found within a few thousand nodes, not lost
// in the depth of the first ones.
TEST(DeepVct, ShortWinFirst) {
    deep_fresh(15, RULE_RENJU);
    const char *rows[] = {"",           "",           "",           ".....O...X",  "......X..O",
                          ".......O.O", ".......XOO", ".......X.O", ".......OXXX", ".........O",
                          "........X.X"};
    put_rows(rows, 11);
    EXPECT_TRUE(solve_vct(1, 12, 3000));
    EXPECT_EQ(vct.first, cell(10, 11));
}

// After the solver's first move, every reply the defender may make, however useless, still
// loses: the attacker has five, an open four, or a threat win of its own again.
TEST(DeepVct, ProofsHoldAgainstEveryReply) {
    test_random r{77};
    int proofs = 0;
    for (int rule : {0, 1, RULE_RENJU})
        for (int round = 0; round < 60; round++) {
            deep_fresh(15, rule);
            random_position(r, 10 + r.below(10), 7);
            const int colour = r.below(2) ? 1 : -1, a = colour_index(colour);
            if (dboard.kind_count[1 - a][K_FIVE] > 0 || !solve_vct(colour, 3, 1 << 30)) continue;
            if (dboard.kind_count[a][K_FIVE] > 0) continue;
            proofs++;
            const int first = vct.first;
            ASSERT_GE(first, 0);
            board_put(first, colour);
            for (int c = 0; c < BOARD_CELLS; c++) {
                if (!board_has(c) || dboard.cells[c] != 0) continue;
                if (-colour == 1 && black_forbidden(c)) continue;
                if (dboard.kind[1 - a][c] == K_FIVE) {
                    ADD_FAILURE() << "rule " << rule << " round " << round << ": a counter five";
                    continue;
                }
                board_put(c, -colour);
                const bool holds = dboard.kind_count[a][K_FIVE] > 0 ||
                                   solve_vct(colour, 3, 1 << 30) || solve_vcf(colour, 6, 1 << 30);
                board_take(c);
                EXPECT_TRUE(holds) << "rule " << rule << " round " << round << " reply " << c;
            }
            board_take(first);
        }
    EXPECT_GT(proofs, 10);
}

} // namespace
