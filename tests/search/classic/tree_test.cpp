// The transposition tree's removal cases and its look-up filter. Its other answers (a key
// already present, no memory, the empty tree) show in the search's values and in its
// memory-budget test.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "search/classic/tree.h"

namespace {

// In-order picture of a tree: "(left)h0(right)", empty subtrees left out.
std::string shape(const tree_node *n) {
    if (!n) return "";
    std::string l = shape(n->left), r = shape(n->right);
    return (l.empty() ? "" : "(" + l + ")") + std::to_string(n->h0) +
           (r.empty() ? "" : "(" + r + ")");
}

// A root node given the first key, the others inserted in order. Each entry carries
// h1 = ~h0 and cena = h0 / 3, so a moved entry can be told from a moved key.
tree_node *build(std::initializer_list<int> keys) {
    tree_node *root = node_alloc();
    *root = tree_node{*keys.begin(), ~*keys.begin(), *keys.begin() / 3, nullptr, nullptr};
    for (const int *h = keys.begin() + 1; h != keys.end(); h++)
        EXPECT_EQ(tree_insert(root, *h, ~*h, *h / 3), 0);
    return root;
}

bool holds_entry(tree_node *root, int h0) {
    tree_node *e = tree_find(root, h0);
    return e && e->h1 == ~h0 && e->cena == h0 / 3;
}

// The tree 50 < (30 < (20, 40 < (35 < (-, 36), 45)), 70), one removal each; the root node
// stays the same object.
TEST(Tree, RemovalCases) {
    const struct {
        int h0, result;
        const char *shape;
    } cases[] = {
        {50, 0, "((20)30((35(36))40))45(70)"},     // two children: predecessor 45 moves up
        {30, 0, "(20((35(36))40(45)))50(70)"},     // two children: 20 moves into 30's node
        {70, 0, "((20)30((35(36))40(45)))50"},     // leaf
        {20, 0, "(30((35(36))40(45)))50(70)"},     // leaf
        {35, 0, "((20)30((36)40(45)))50(70)"},     // one child takes the node's place
        {44, 1, "((20)30((35(36))40(45)))50(70)"}, // absent: nothing changes
    };
    for (const auto &c : cases) {
        tree_node *root = build({50, 30, 70, 20, 40, 35, 45, 36});
        tree_node *before = root;
        EXPECT_EQ(tree_remove(&root, c.h0), c.result) << c.h0;
        EXPECT_EQ(root, before) << c.h0;
        EXPECT_EQ(shape(root), c.shape) << c.h0;
        for (int h : {50, 30, 70, 20, 40, 35, 45, 36})
            EXPECT_EQ(holds_entry(root, h), h != c.h0) << c.h0 << " " << h;
        tree_free(root);
    }
}

// A root with one child takes over the child's entry and subtrees.
TEST(Tree, RemovingTheRoot) {
    for (auto keys : {std::initializer_list<int>{50, 70, 60, 80}, {50, 30, 20, 40}}) {
        tree_node *root = build(keys);
        tree_node *before = root;
        ASSERT_EQ(tree_remove(&root, 50), 0);
        EXPECT_EQ(root, before);
        EXPECT_TRUE(holds_entry(root, root->h0));
        EXPECT_EQ(shape(root), root->h0 == 70 ? "(60)70(80)" : "(20)30(40)");
        tree_free(root);
    }
}

// The look-up filter never denies a stored key, across its growth (the tree passes the
// filter's first room of 4096 nodes twice over), and forgets them once the tree is gone.
TEST(Tree, FilterKnowsEveryStoredKey) {
    std::uint32_t h = 0;
    auto next = [&h] { return static_cast<int32_t>(h = h * 1664525u + 1013904223u); };
    auto count_held = [&](std::uint32_t seed) {
        h = seed;
        int held = 0;
        for (int i = 0; i < 10000; i++) held += tree_may_hold(next());
        return held;
    };
    for (int round = 0; round < 2; round++) {
        tree_node *root = node_alloc();
        node_clear(root);
        h = 12345u + round;
        for (int i = 0; i < 10000; i++) tree_insert(root, next(), 0, 0);
        EXPECT_TRUE(tree_may_hold(0));
        EXPECT_EQ(count_held(12345u + round), 10000); // every stored key
        EXPECT_LT(count_held(12346u - round), 1000);  // the other round's: about one in 26
        tree_free(root);
    }
}

} // namespace
