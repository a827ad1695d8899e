// The alpha-beta search on small positions: terminal values, the depth rules, the
// fail-hard window, and agreement with the plain search, the tree's reuse included.
// How often the tree answers shows in node counts: the bench signature's.
#include <gtest/gtest.h>

#include <algorithm>

#include "search/classic/alphabeta.h"
#include "search/classic/ply_lists.h"
#include "search/classic/reference.h"
#include "support/position.h"

namespace {

constexpr const char *OPEN_THREE = "h8 a1 i8 o15 j8 a15"; // +1 open three h8..j8, +1 to move

struct searched {
    int value, nodes; // nodes: those the search completed
};

// One search of the shared board from a fresh tree.
searched search(int colour, int ply, int alpha, int beta, int tag) {
    new_tree();
    int nodes = timing.node_count;
    int v = alphabeta(game.board, colour, ply, alpha, beta, tag);
    return {v, timing.node_count - nodes};
}

// A five now or an unstoppable five is scored by ply, no candidate (the empty board) by the
// static score 0: the window (5, 10) does not clamp these returns, and nothing is stored
// or counted.
TEST(AlphaBeta, LeavesAreScoredWithoutSearching) {
    const struct {
        const char *moves;
        int ply, value;
    } cases[] = {
        {WIN_IN_ONE, 1, 1023}, {WIN_IN_ONE, 6, 1018}, {WIN_IN_ONE, 300, 724}, {"", 5, 0},
        {LOST, 1, -1023},      {LOST, 4, -1020},      {LOST, 300, -724},
    };
    for (const auto &c : cases) {
        searched r = search(set_moves(15, 1, 0, c.moves), c.ply, 5, 10, 0);
        EXPECT_EQ(r.value, c.value) << c.moves << " ply " << c.ply;
        EXPECT_EQ(r.nodes, 0);
        EXPECT_EQ(tree_count(root.tree_root, root.tree_root), 1);
    }
}

// Level 1 limits 3/6/8. The open three gives two candidates at every ply, each an open
// four that wins at once, so a searched node is worth a win and a node stopped by the
// depth tests its static score.
TEST(AlphaBeta, DepthTestsReadTheNodesOwnTag) {
    const struct {
        int ply, tag;
        bool searched;
    } cases[] = {
        {3, 0, true},   {4, 0, false}, {6, 1, true},  {7, 1, false}, {7, -1, false},
        {7, 0, false},  {7, 2, true},  {7, -2, true}, {8, 2, true},  {9, 2, false},
        {9, -2, false}, {2, 0, true},  {6, -1, true},
    };
    for (const auto &c : cases) {
        int colour = set_moves(15, 1, 1, OPEN_THREE), score = 0;
        ASSERT_EQ(generate_moves(game.board, colour, c.ply, ply_list(c.ply), &score, c.tag), 2);
        searched r = search(colour, c.ply, -1024, 1024, c.tag);
        EXPECT_EQ(r.nodes, c.searched ? 1 : 0) << c.ply << " " << c.tag;
        EXPECT_EQ(r.value, c.searched ? 1024 - (c.ply + 1) : score) << c.ply << " " << c.tag;
    }
}

// With the full window the search returns the plain search's value, the tree's reuse included;
// with a narrower window the value clamped to it (fail-hard).
TEST(AlphaBeta, AgreesWithThePlainSearchAndFailsHard) {
    const struct {
        const char *name;
        int level, ply, tag;
    } cases[] = {
        {"opening 15", 0, 1, 1}, {"open three 15", 0, 0, 2}, {"midgame 15", 1, 1, 1},
        {"edge 15", 1, 1, 1},    {"corner 20", 0, 1, 0},     {"midgame 20", 1, 3, 2},
    };
    for (const auto &c : cases) {
        int colour = set_bench(c.name, c.level);
        int want = search_reference(game.board, colour, c.ply, c.tag);
        searched full = search(colour, c.ply, -1024, 1024, c.tag);
        EXPECT_EQ(full.value, want) << c.name;
        ASSERT_GE(full.nodes, 1) << c.name; // a searched node: the window binds it
        const int offsets[][2] = {{-10, 10}, {1, 20}, {-20, -1}, {0, 1}, {-1, 0}, {-1, 1}};
        for (const auto &o : offsets) {
            int alpha = want + o[0], beta = want + o[1];
            searched r = search(colour, c.ply, alpha, beta, c.tag);
            EXPECT_EQ(r.value, std::clamp(want, alpha, beta))
                << c.name << " " << alpha << " " << beta;
            EXPECT_LE(r.nodes, full.nodes + 1);
        }
    }
}

} // namespace
