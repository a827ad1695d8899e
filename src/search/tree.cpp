// Transposition tree: an unbalanced binary search tree on h0 (signed order). The keys are
// pseudo-random, so the tree stays shallow without rebalancing. The whole tree goes at the
// end of every move choice; its nodes return to a free list, and the next move's tree takes
// them from there before it asks the heap for more, a chunk at a time. Live nodes are
// counted, so that the tree keeps within the max_memory budget.
#include <cassert>
#include <cstdio>
#include <new>

#include "search/tree.h"

namespace {

// Nodes come from the heap a chunk at a time and are never given back: the tree of every
// move reuses what the largest one before it needed.
constexpr int CHUNK_NODES = 4096;
struct node_chunk {
    node_chunk *older; // every chunk stays reachable, for the life of the process
    tree_node nodes[CHUNK_NODES];
};
tree_node *free_nodes = nullptr; // released nodes, linked through `right`
node_chunk *newest = nullptr;    // the chunk being handed out
int handed_out = CHUNK_NODES;    // nodes of `newest` handed out so far

tree_node *pool_node() {
    if (free_nodes) {
        tree_node *n = free_nodes;
        free_nodes = n->right;
        return n;
    }
    if (handed_out == CHUNK_NODES) {
        node_chunk *chunk = new (std::nothrow) node_chunk;
        if (!chunk) return nullptr;
        chunk->older = newest;
        newest = chunk;
        handed_out = 0;
    }
    return &newest->nodes[handed_out++];
}

// Every node the tree lets go of.
void release(tree_node *n) {
    n->right = free_nodes;
    free_nodes = n;
    assert(tree_memory.nodes > 0);
    tree_memory.nodes--;
}

} // namespace

tree_node *(*node_source)() = pool_node;

// The count starts again and the pool is the source again, whatever a test put in its place.
void reset_tree_memory() {
    tree_memory = tree_memory_state{0, 0};
    node_source = pool_node;
}

tree_node *node_alloc() {
    if (tree_memory.nodes >= tree_node_limit()) return nullptr;
    tree_node *n = node_source();
    if (!n) return nullptr;
    tree_memory.nodes++;
    if (tree_memory.nodes > tree_memory.peak) tree_memory.peak = tree_memory.nodes;
    return n;
}

void node_clear(tree_node *node) {
    *node = tree_node{0, 0, 0, nullptr, nullptr};
}

tree_node *tree_find(tree_node *root, int32_t h0) {
    tree_node *n = root;
    while (n && n->h0 != h0) n = h0 < n->h0 ? n->left : n->right;
    return n;
}

int tree_insert(tree_node *root, int32_t h0, int32_t h1, int32_t cena) {
    if (!root) return -1;
    tree_node *parent = root;
    for (;;) {
        if (h0 == parent->h0) return 1;
        tree_node *next = h0 < parent->h0 ? parent->left : parent->right;
        if (!next) break;
        parent = next;
    }
    tree_node *n = node_alloc();
    if (!n) return 2;
    *n = tree_node{h0, h1, cena, nullptr, nullptr};
    if (h0 < parent->h0)
        parent->left = n;
    else
        parent->right = n;
    return 0;
}

// Removal keeps the root node in place whenever the tree stays non-empty, so the caller's
// root reference only changes when the last node goes.
int tree_remove(tree_node **root, int32_t h0) {
    if (!*root) return -1;
    // 1. Find the node and the link that holds it.
    tree_node **link = root;
    while (*link && (*link)->h0 != h0) link = h0 < (*link)->h0 ? &(*link)->left : &(*link)->right;
    tree_node *n = *link;
    if (!n) return 1;

    // 2. Two children: the in-order predecessor's entry replaces n's, and the predecessor,
    //    which has no right child, is replaced by its left subtree.
    if (n->left && n->right) {
        tree_node **plink = &n->left;
        while ((*plink)->right) plink = &(*plink)->right;
        tree_node *p = *plink;
        n->h0 = p->h0;
        n->h1 = p->h1;
        n->cena = p->cena;
        *plink = p->left;
        release(p);
        return 0;
    }
    tree_node *child = n->left ? n->left : n->right;
    // 3. The root with one child takes over the child's entry and subtrees.
    if (n == *root && child) {
        *n = *child;
        release(child);
        return 0;
    }
    // 4. Otherwise the only child (or nothing) takes n's place; for a lone root the tree
    //    becomes empty.
    *link = child;
    release(n);
    return 0;
}

void tree_free(tree_node *root) {
    if (!root) return;
    tree_free(root->left);
    tree_free(root->right);
    release(root);
}

int tree_count(tree_node *root, tree_node *node) {
    static int counted = 0;
    if (node == root) counted = 0;
    if (!node) return counted;
    tree_count(root, node->left);
    tree_count(root, node->right);
    return ++counted;
}

void tree_dump(tree_node *node) {
    if (!node) return;
    tree_dump(node->left);
    tree_dump(node->right);
    std::printf("h0=%ld, h1=%ld, cena=%d,  adr=%p\n", static_cast<long>(node->h0),
                static_cast<long>(node->h1), node->cena, static_cast<void *>(node));
}
