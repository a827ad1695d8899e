// The transposition tree: insert, find, the removal cases, the empty tree and the entry
// every move choice starts with.
#include <gtest/gtest.h>

#include <string>

#include "search/tree.h"

namespace {

// In-order picture of a tree: "(left)h0(right)" with empty subtrees left out.
std::string shape(const tree_node *n) {
    if (!n) return "";
    std::string s;
    if (n->left) s += "(" + shape(n->left) + ")";
    s += std::to_string(n->h0);
    if (n->right) s += "(" + shape(n->right) + ")";
    return s;
}

// A root node holding h0 (as a move choice makes it), then the other keys inserted in
// order. Every entry carries h1 = h0 + 1000 and cena = 2 * h0, so moved entries can be
// told apart from moved keys.
tree_node *build(std::initializer_list<int> h0s) {
    tree_node *root = node_alloc();
    node_clear(root);
    bool first = true;
    for (int h : h0s) {
        if (first) {
            *root = tree_node{h, h + 1000, 2 * h, nullptr, nullptr};
            first = false;
        } else {
            EXPECT_EQ(tree_insert(root, h, h + 1000, 2 * h), 0) << h;
        }
    }
    return root;
}

void expect_entry(tree_node *root, int h0) {
    tree_node *e = tree_find(root, h0);
    ASSERT_NE(e, nullptr) << h0;
    EXPECT_EQ(e->h1, h0 + 1000);
    EXPECT_EQ(e->cena, 2 * h0);
}

tree_node *null_source() {
    return nullptr;
}

TEST(Tree, InsertKeepsSearchOrderUnderSignedComparison) {
    tree_node *root = build({0, -5, 7, -2147483647 - 1, 2147483647, 3});
    EXPECT_EQ(shape(root), "((-2147483648)-5)0((3)7(2147483647))");
    for (int h : {0, -5, 7, -2147483647 - 1, 2147483647, 3}) expect_entry(root, h);
    EXPECT_EQ(tree_find(root, 4), nullptr);
    EXPECT_EQ(tree_count(root, root), 6);
    EXPECT_EQ(tree_count(root, root), 6); // the counter restarts at the root
    tree_free(root);
}

TEST(Tree, DuplicateInsertLeavesTheEntryAlone) {
    tree_node *root = build({50, 30});
    EXPECT_EQ(tree_insert(root, 30, 1, 2), 1);
    EXPECT_EQ(tree_insert(root, 50, 1, 2), 1);
    expect_entry(root, 30);
    expect_entry(root, 50);
    EXPECT_EQ(tree_count(root, root), 2);
    tree_free(root);
}

TEST(Tree, OutOfMemoryStoresNothing) {
    tree_node *root = build({50, 30});
    node_source = null_source;
    EXPECT_EQ(tree_insert(root, 70, 1, 2), 2);
    EXPECT_EQ(node_alloc(), nullptr);
    node_source = [] { return new tree_node{}; };
    EXPECT_EQ(shape(root), "(30)50");
    EXPECT_EQ(tree_insert(root, 70, 1, 2), 0);
    tree_free(root);
}

// The tree 50 < (30 < (20, 40 < (35, -)), 70), one removal each.
TEST(Tree, RemovalCases) {
    struct removal {
        int h0;
        int result;
        const char *shape;
    };
    const removal cases[] = {
        // Two children: the predecessor 40 moves into the root, 35 hangs under 30.
        {50, 0, "((20)30(35))40(70)"},
        // Two children: 20 moves into 30's node, which loses its left child.
        {30, 0, "(20((35)40))50(70)"},
        {70, 0, "((20)30((35)40))50"},     // leaf on the right
        {20, 0, "(30((35)40))50(70)"},     // leaf on the left
        {40, 0, "((20)30(35))50(70)"},     // one child takes the node's place
        {35, 0, "((20)30(40))50(70)"},     // leaf below a one-child node
        {45, 1, "((20)30((35)40))50(70)"}, // missing: nothing changes
        {-1, 1, "((20)30((35)40))50(70)"},
    };
    for (const removal &c : cases) {
        tree_node *root = build({50, 30, 70, 20, 40, 35});
        tree_node *before = root;
        EXPECT_EQ(tree_remove(&root, c.h0), c.result) << c.h0;
        EXPECT_EQ(root, before) << c.h0; // the root object stays
        EXPECT_EQ(shape(root), c.shape) << c.h0;
        EXPECT_EQ(tree_find(root, c.h0), nullptr) << c.h0;
        for (int h : {50, 30, 70, 20, 40, 35})
            if (h != c.h0) expect_entry(root, h);
        tree_free(root);
    }
}

TEST(Tree, RootWithOneChildTakesOverTheChild) {
    for (auto keys :
         {std::initializer_list<int>{50, 70, 60, 80}, std::initializer_list<int>{50, 30, 20, 40}}) {
        tree_node *root = build(keys);
        tree_node *before = root;
        int child = keys.begin()[1];
        ASSERT_EQ(tree_remove(&root, 50), 0);
        EXPECT_EQ(root, before);
        EXPECT_EQ(root->h0, child);
        expect_entry(root, child);
        std::string want = "(" + std::to_string(child - 10) + ")" + std::to_string(child) + "(" +
                           std::to_string(child + 10) + ")";
        EXPECT_EQ(shape(root), want);
        tree_free(root);
    }
}

TEST(Tree, RemovingTheOnlyNodeEmptiesTheTree) {
    tree_node *root = build({50});
    EXPECT_EQ(tree_remove(&root, 50), 0);
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(tree_find(root, 50), nullptr);
    EXPECT_EQ(tree_insert(root, 50, 1, 2), -1);
    EXPECT_EQ(tree_remove(&root, 50), -1);
    EXPECT_EQ(tree_count(root, root), 0);
    tree_free(root); // accepts the empty tree
}

// Each move choice's tree starts with the cleared entry (0, 0, cena 0): a position keyed
// (0, 0) reads 0 from it, and a store under h0 0 clashes and removes it.
TEST(Tree, TheStartingEntry) {
    tree_node *root = node_alloc();
    ASSERT_NE(root, nullptr);
    root->h0 = root->h1 = root->cena = 99;
    node_clear(root);
    tree_node *e = tree_find(root, 0);
    ASSERT_EQ(e, root);
    EXPECT_EQ(e->h1, 0);
    EXPECT_EQ(e->cena, 0);
    EXPECT_EQ(root->left, nullptr);
    EXPECT_EQ(root->right, nullptr);
    EXPECT_EQ(tree_insert(root, 0, 5, 5), 1);
    EXPECT_EQ(tree_remove(&root, 0), 0);
    EXPECT_EQ(root, nullptr);
}

TEST(Tree, DumpIsPostOrder) {
    tree_node *root = build({50, 30, 70});
    testing::internal::CaptureStdout();
    tree_dump(root);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(testing::internal::RE::FullMatch(out,
                                                 "h0=30, h1=1030, cena=60,  adr=0x[0-9a-f]+\n"
                                                 "h0=70, h1=1070, cena=140,  adr=0x[0-9a-f]+\n"
                                                 "h0=50, h1=1050, cena=100,  adr=0x[0-9a-f]+\n"))
        << out;
    tree_free(root);
}

} // namespace
