// The root move choice: lone candidates, resignation, the choice among searched
// candidates, root_ply and the turn's bookkeeping.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "support/position.h"

namespace {

struct turn {
    square move;
    std::string out; // what the move choice printed
};

// One move choice on the shared board; the board must come back unchanged and no tree may
// outlive the move.
turn play(int side) {
    int before[BOARD_CELLS];
    std::memcpy(before, game.board, sizeof before);
    said();
    square s = choose_move(game.board, side);
    turn t{s, said()};
    EXPECT_EQ(std::memcmp(before, game.board, sizeof before), 0) << "board not restored";
    EXPECT_EQ(root.tree_root, nullptr);
    EXPECT_EQ(timing.node_count, 1);
    return t;
}

// A forced position is answered by the generator's one move, with no search and no
// message; root_ply keeps its value.
TEST(ChooseMove, LoneCandidateIsPlayedAtOnce) {
    const char *positions[] = {
        "h8 g8 i8 h9 j8 i9 k8 j9",   // +1 completes five at l8
        "a1 h9 o15 i9 a15 j9 o1 k9", // -1 has an open four: one block, the game is lost
        "g9 h9 a1 i9 o15 j9 a15 k9", // -1 has a four: the block at l9
    };
    for (const char *moves : positions) {
        for (int root_ply : {0, 2}) {
            int side = set_moves(15, 1, 2, moves), score = 0;
            root.root_ply = root_ply;
            move_list &list = ply_list(root_ply);
            ASSERT_EQ(generate_moves(game.board, side, root_ply, list, &score, 2), 1) << moves;
            turn t = play(side);
            EXPECT_EQ(t.move.x * 100 + t.move.y, list.rec[0].x * 100 + list.rec[0].y) << moves;
            EXPECT_EQ(t.out, "") << moves;
            EXPECT_EQ(root.root_ply, root_ply);
            EXPECT_EQ(root.last_searched, 0);
        }
    }
}

// With no candidate the move choice still plays: the centre of an empty board, the first
// free square of a board where no line can become five; nothing is searched or printed.
TEST(ChooseMove, NoCandidateStillAMove) {
    int side = set_moves(15, 1, 0, "");
    EXPECT_EQ(play(side).move.x * 100 + play(side).move.y, 707);
    for (int x = 0; x < 15; x++)
        for (int y = 0; y < 15; y++) game.board[cell(x, y)] = (x + 2 * y) / 2 % 2 ? 1 : -1;
    game.board[cell(3, 5)] = game.board[cell(3, 9)] = game.board[cell(10, 2)] = 0;
    turn t = play(1);
    EXPECT_EQ(t.move.x * 100 + t.move.y, 305);
    EXPECT_EQ(t.out, "");
    EXPECT_EQ(root.last_searched, 0);
    game.board[cell(3, 5)] = game.board[cell(3, 9)] = game.board[cell(10, 2)] = 1;
    EXPECT_EQ(play(1).move.x, -1); // a full board
}

// The engine's lines go to standard error in the child, where the death test reads.
TEST(ChooseMoveDeathTest, NoMemoryForTheRoot) {
    int side = set_moves(15, 1, 0, "h8 i9 h9");
    node_source = [] { return static_cast<tree_node *>(nullptr); };
    message_sink = [](const char *line) { std::fprintf(stderr, "%s\n", line); };
    EXPECT_EXIT(choose_move(game.board, side), testing::ExitedWithCode(1),
                "^ERROR No memory for root of binary tree!\n");
    message_sink = keep_said;
    node_source = [] { return new tree_node{}; };
}

// Each candidate valued on its own with the full window: the choice must be the first of
// the best, and the reported value the best. With root_ply 2 (after a found win) the
// root's candidates are those of ply 2 and its children are searched from ply 3.
TEST(ChooseMove, PlaysTheFirstOfTheBestCandidates) {
    const struct {
        int dim, exact_five, level, root_ply;
        const char *moves;
    } cases[] = {
        {15, 1, 0, 0, "h8"},
        {15, 1, 0, 0, "h8 i9"},
        {15, 1, 0, 0, "h8 i9 h9 h10 j8"},
        {15, 1, 1, 0, "h8 i9 h9 h10 j8 i8 h7 i7 i10 i6 i5 f7 j11 k12"},
        {20, 0, 0, 0, "j10 k11 k10 l10 j12"},
        {20, 1, 1, 0, "c3 d4 d3 e4 c6 e3 d6 c5 b6 e6 e5"},
        {15, 1, 1, 2, "h8 i9 h9 h10 j8 i8 h7 i7 i10 i6 i5 f7 j11 k12"},
        {20, 0, 1, 2, "j10 k11 k10 l10 j12"},
    };
    int ties = 0;
    for (const auto &c : cases) {
        int side = set_moves(c.dim, c.exact_five, c.level, c.moves), score = 0;
        static move_list list;
        list.n = generate_moves(game.board, side, c.root_ply, list, &score, 2);
        ASSERT_GE(list.n, 2) << c.moves;
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

        set_moves(c.dim, c.exact_five, c.level, c.moves);
        root.root_ply = c.root_ply;
        turn t = play(side);
        EXPECT_EQ(t.move.x * 100 + t.move.y, list.rec[first].x * 100 + list.rec[first].y)
            << c.moves;
        EXPECT_EQ(t.out, "MESSAGE Val... " + std::to_string(best) + "\n") << c.moves;
        EXPECT_EQ(root.last_value, best);
        EXPECT_EQ(root.root_ply, next_root_ply(best));
    }
    EXPECT_GE(ties, 1) << "no position tests the tie rule";
}

// Only a win scores above 512: a found win makes the next search start at ply 2, a quiet
// position brings it back to 0.
TEST(ChooseMove, RootPlyFollowsAFoundWin) {
    for (int best : {-1023, 0, 432, 512}) EXPECT_EQ(next_root_ply(best), 0) << best;
    for (int best : {513, 1023}) EXPECT_EQ(next_root_ply(best), 2) << best;
    play(set_moves(
        15, 1, 1,
        "h8 i9 h9 h10 j8 i8 h7 i7 i10 i6 i5 f7 j11 k12 j9 j7 k8 l7 h11 g12 i11 k7 m7 g11"));
    EXPECT_GT(root.last_value, 512);
    EXPECT_EQ(root.root_ply, 2);
    int side = set_moves(15, 1, 1, "h8 i9 h9 h10 j8");
    root.root_ply = 2; // as the found win left it
    play(side);
    EXPECT_LT(root.last_value, 512);
    EXPECT_EQ(root.root_ply, 0);
}

// A move whose limits were lowered for that move only is followed by one that loads the
// level's own limits again before searching.
TEST(ChooseMove, RestoresTheLevelAfterALoweredMove) {
    int side = set_moves(15, 1, 2, "h8 i9 h9 h10 j8");
    levels.max_depth = level_table[0][2];
    timing.turn_time_state = 2;
    turn t = play(side);
    EXPECT_EQ(t.out.rfind("MESSAGE Level... 2\nMESSAGE Val... ", 0), 0u) << t.out;
    EXPECT_EQ(timing.turn_time_state, 0);
    EXPECT_EQ(levels.max_depth, level_table[2][2]);
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
    const char *moves = "h8 i9 h9 h10 j8";
    const int side = set_moves(15, 1, 2, moves);
    static move_list list;
    int static_score = 0;
    list.n = generate_moves(game.board, side, 0, list, &static_score, 2);
    const turn full = play(side);
    const int full_nodes = root.last_nodes, full_value = root.last_value;
    ASSERT_GT(full_nodes, 1000);

    int last_value = -WIN - 1;
    for (int limit : {0, 1, 130, 300, 1000, full_nodes / 2, full_nodes}) {
        set_moves(15, 1, 2, moves);
        stop_after = limit;
        timing_clock = clock_by_nodes;
        timing.stop_armed = true;
        timing.stop_at = 5000;
        turn t = play(side);
        disarm_stop();
        bool candidate = false;
        for (int i = 0; i < list.n; i++)
            candidate |= list.rec[i].x == t.move.x && list.rec[i].y == t.move.y;
        EXPECT_TRUE(candidate) << limit;
        EXPECT_EQ(t.out, "MESSAGE Val... " + std::to_string(root.last_value) + "\n");
        EXPECT_LE(root.last_value, full_value) << limit;
        if (limit == 0) {
            EXPECT_EQ(root.last_value, static_score);
        } else {
            EXPECT_GE(root.last_value, last_value) << limit;
            last_value = root.last_value;
        }
        if (limit >= full_nodes) {
            EXPECT_EQ(t.out, full.out);
        }

        turn next = play(side);
        EXPECT_EQ(next.move.x * 100 + next.move.y, full.move.x * 100 + full.move.y) << limit;
        EXPECT_EQ(next.out, full.out) << limit;
        EXPECT_EQ(root.last_nodes, full_nodes) << limit;
    }
    reset_timing();
}

// The same choice, value and node count from a fresh state.
TEST(ChooseMove, SameChoiceFromAFreshState) {
    std::string runs[2];
    for (std::string &r : runs) {
        turn t = play(set_moves(20, 1, 2, "c3 d4 d3 e4 c6 e3 d6 c5 b6 e6 e5"));
        EXPECT_GT(root.last_nodes, 100);
        r = std::to_string(t.move.x) + "," + std::to_string(t.move.y) + " " + t.out +
            std::to_string(root.last_nodes);
    }
    EXPECT_EQ(runs[0], runs[1]);
}

// max_memory bounds the tree: at no moment does it hold more nodes than the budget leaves
// after the fixed arrays, and a budget below them keeps only the root entry; 0 means no
// limit. The search goes on without storing and still plays a legal move.
TEST(ChooseMove, TreeKeepsWithinTheMemoryBudget) {
    const char *moves = "c3 d4 d3 e4 c6 e3 d6 c5 b6 e6 e5";
    const double mb = 1048576.0;
    const struct {
        double max_memory;
        long limit;
    } cases[] = {
        {0, LONG_MAX},
        {static_cast<double>(FIXED_BYTES + 300 * NODE_BYTES) / mb, 300},
        {1.0, 1},
        {1 / mb, 1},
    };
    for (const auto &c : cases) {
        int side = set_moves(20, 1, 2, moves);
        settings.max_memory = c.max_memory;
        EXPECT_EQ(tree_node_limit(), c.limit) << c.max_memory;
        turn t = play(side);
        EXPECT_EQ(tree_memory.nodes, 0);
        EXPECT_TRUE(on_board(t.move.x, t.move.y));
        EXPECT_EQ(game.board[cell(t.move.x, t.move.y)], 0);
        if (c.limit < LONG_MAX)
            EXPECT_EQ(tree_memory.peak, c.limit) << c.max_memory;
        else
            EXPECT_GT(tree_memory.peak, 300);
    }
}

} // namespace
