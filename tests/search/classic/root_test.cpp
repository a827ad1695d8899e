// The root move choice: the choice among searched candidates, root_ply, the last-resort
// stop and the memory budget. Lone candidates and resignation are the protocol tests'.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "search/classic/alphabeta.h"
#include "support/position.h"

namespace {

struct turn {
    square move;
    std::string out; // what the move choice printed
};

// One move choice on the shared board (which choose_move asserts it restores); no tree may
// outlive the move.
turn play(int side) {
    said();
    square s = choose_move(game.board, side);
    EXPECT_EQ(root.tree_root, nullptr);
    return turn{s, said()};
}

// Each candidate valued on its own with the full window: the choice must be the first of
// the best, and the reported value the best. With root_ply 2 (after a found win) the
// root's candidates are those of ply 2 and its children are searched from ply 3.
TEST(ChooseMove, PlaysTheFirstOfTheBestCandidates) {
    const struct {
        const char *name;
        int level, root_ply;
    } cases[] = {
        {"opening 15", 0, 0}, {"open three 15", 0, 0}, {"edge 15", 0, 0},
        {"corner 20", 1, 0},  {"midgame 15", 1, 2},    {"opening 20", 1, 2},
    };
    int ties = 0;
    for (const auto &c : cases) {
        int side = set_bench(c.name, c.level), score = 0;
        static move_list list;
        list.n = generate_moves(game.board, side, c.root_ply, list, &score, 2);
        ASSERT_GE(list.n, 2) << c.name;
        int best = -1025, first = -1, at_best = 0;
        for (int i = 0; i < list.n; i++) {
            const move_rec &m = list.rec[i];
            game.board[cell(m.x, m.y)] = side;
            new_tree();
            int v = -alphabeta(game.board, -side, c.root_ply + 1, -1024, 1024, m.tag);
            game.board[cell(m.x, m.y)] = 0;
            if (v > best) best = v, first = i, at_best = 0;
            at_best += v == best;
        }
        ties += at_best > 1;

        set_bench(c.name, c.level);
        root.root_ply = c.root_ply;
        turn t = play(side);
        EXPECT_EQ(t.move.x * 100 + t.move.y, list.rec[first].x * 100 + list.rec[first].y) << c.name;
        EXPECT_EQ(t.out, value_line(best)) << c.name;
        EXPECT_EQ(root.root_ply, next_root_ply(best));
    }
    EXPECT_GE(ties, 1) << "no position tests the tie rule";
}

// A found win makes the next search start at ply 2, a quiet position brings it back to 0.
TEST(ChooseMove, RootPlyFollowsAFoundWin) {
    play(set_bench("attack 15", 1));
    EXPECT_GT(report.value, 512);
    EXPECT_EQ(root.root_ply, 2);
    int side = set_bench("opening 15", 1);
    root.root_ply = 2; // as the found win left it
    play(side);
    EXPECT_LT(report.value, 512);
    EXPECT_EQ(root.root_ply, 0);
}

// The last-resort stop, by a clock that passes the deadline once `stop_after` nodes are done:
// the move is a root candidate, its value the best of the candidates fully searched (so it
// only grows with the time given), the static score when none was; and nothing of the
// stopped search is left behind: the next move choice plays as from a fresh state.
int stop_after = 0;
long long clock_by_nodes() {
    return timing.node_count > stop_after ? 10000 : 0;
}

TEST(ChooseMove, StopPlaysTheBestFullySearchedCandidate) {
    const int side = set_bench("opening 15", 2);
    static move_list list;
    int static_score = 0;
    list.n = generate_moves(game.board, side, 0, list, &static_score, 2);
    const turn full = play(side);
    const int full_nodes = report.nodes, full_value = report.value;
    ASSERT_GT(full_nodes, 1000);

    int last_value = -WIN - 1;
    for (int limit : {0, 1, 130, 300, 1000, full_nodes / 2, full_nodes}) {
        set_bench("opening 15", 2);
        stop_after = limit;
        settings.timeout_turn = 5;
        deadline_clock = [] { return 0LL; };
        arm_stop(); // the deadline lies between the two readings of clock_by_nodes
        deadline_clock = clock_by_nodes;
        turn t = play(side);
        disarm_stop();
        settings.timeout_turn = 0;
        EXPECT_TRUE(std::any_of(list.rec, list.rec + list.n, [&](const move_rec &m) {
            return m.x == t.move.x && m.y == t.move.y;
        })) << limit;
        EXPECT_EQ(t.out, value_line(report.value));
        EXPECT_LE(report.value, full_value) << limit;
        if (limit == 0) {
            EXPECT_EQ(report.value, static_score);
        } else {
            EXPECT_GE(report.value, last_value) << limit;
            last_value = report.value;
        }
        if (limit >= full_nodes) {
            EXPECT_EQ(t.out, full.out);
        }
        const turn next = play(side); // plays as from a fresh state
        EXPECT_EQ(next.out + std::to_string(report.nodes), full.out + std::to_string(full_nodes));
    }
}

// A move choice starts with nothing of the last one: the same stones under the other five
// rule are searched as in a fresh engine (the memo of leaf values must not carry over).
TEST(ChooseMove, ForgetsTheLastMoveChoice) {
    for (const char *name : {"midgame 15", "opening 20"}) {
        int side = set_bench(name, 2);
        settings.exact_five = 1;
        const turn fresh = play(side);
        const int nodes = report.nodes, value = report.value;
        set_bench(name, 2);
        play(side);
        settings.exact_five = 1;
        root.root_ply = 0;
        const turn again = play(side);
        EXPECT_EQ(again.move.x * 100 + again.move.y, fresh.move.x * 100 + fresh.move.y) << name;
        EXPECT_EQ(report.value, value) << name;
        EXPECT_EQ(report.nodes, nodes) << name;
    }
}

// max_memory bounds the tree: at no moment does it hold more nodes than the budget leaves
// after the fixed arrays, and a budget below them keeps only the root entry; 0 means no
// limit. The search goes on without storing and still plays a legal move.
TEST(ChooseMove, TreeKeepsWithinTheMemoryBudget) {
    const double mb = 1048576.0;
    const struct {
        double max_memory;
        long limit;
    } cases[] = {
        {0, LONG_MAX},
        {static_cast<double>(fixed_bytes() + 300 * NODE_BYTES) / mb, 300},
        {1.0, 1},
    };
    for (const auto &c : cases) {
        int side = set_bench("corner 20", 2);
        settings.max_memory = c.max_memory;
        EXPECT_EQ(tree_node_limit(), c.limit) << c.max_memory;
        turn t = play(side);
        EXPECT_EQ(tree_memory.nodes, 0);
        EXPECT_TRUE(on_board(t.move.x, t.move.y) && game.board[cell(t.move.x, t.move.y)] == 0);
        if (c.limit < LONG_MAX)
            EXPECT_EQ(tree_memory.peak, c.limit) << c.max_memory;
        else
            EXPECT_GT(tree_memory.peak, 300);
    }
}

} // namespace
