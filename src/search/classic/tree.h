#pragma once
// Transposition tree: a plain unbalanced binary search tree on a position's hash h0
// (search/hash.h), with h1 as a check word; it lives for one move choice.
#include <cstdint>

struct tree_node {
    int32_t h0;
    int32_t h1;
    int32_t cena; // stored value, from the side of the player who moved into the position
    tree_node *right;
    tree_node *left;
};

// ---- Memory budget ----------------------------------------------------------------------
// The tree may use what the memory budget leaves after the shared records and the classic
// search's own (key tables, per-ply lists, memos, the benchmark's board): fixed_bytes() in
// all, whatever happens. It takes NODE_BYTES a node.
// At the limit node_alloc fails as when the heap runs out, so the search goes on without
// storing. The first node of a tree, its root entry, is always granted. A budget of 0 (or
// below) means no limit.

// One node and room to spare: nodes come from the heap in chunks of a few thousand, and
// the look-up filter (tree_may_hold) takes at most 4 bytes a node.
constexpr long NODE_BYTES = static_cast<long>(sizeof(tree_node)) + 16;
long fixed_bytes();
long classic_bytes(); // the classic search's own share of fixed_bytes()

struct tree_memory_state {
    long nodes; // nodes alive, in this move's tree
    long peak;  // most nodes alive at once since the last reset
};
extern tree_memory_state tree_memory;

// No node counted (call it with no tree alive), peak 0.
void reset_tree_memory();

// Most nodes a tree may hold under the max_memory setting in force (at least 1).
long tree_node_limit();

// Where nodes come from: a pool that takes them from the heap a chunk at a time and reuses
// every node the tree releases. Tests replace it to run out of memory; a replacement returns
// nodes that live for the whole process (released ones go to the pool) or nullptr.
extern tree_node *(*node_source)();

tree_node *node_alloc(); // nullptr when memory or the budget is exhausted
void node_clear(tree_node *node);

// The node with this h0, or nullptr.
tree_node *tree_find(tree_node *root, int32_t h0);

// False when no tree holds a node with this h0; true when one may. It knows every h0
// tree_insert stored since the last node was released, and 0, the root entry; a false
// answer spares the search the walk, and its positions are nearly all new ones.
bool tree_may_hold(int32_t h0);

// 0 stored, 1 h0 present (unchanged), 2 out of memory, -1 empty tree.
int tree_insert(tree_node *root, int32_t h0, int32_t h1, int32_t cena);

// 0 removed, 1 no such h0, -1 empty tree. Takes the root reference so it can empty the tree.
int tree_remove(tree_node **root, int32_t h0);

// Releases the node and everything below it; nullptr is accepted.
void tree_free(tree_node *root);

// Diagnostics: node count below `node` (restarting when node is root), post-order dump.
int tree_count(tree_node *root, tree_node *node);
void tree_dump(tree_node *node);
