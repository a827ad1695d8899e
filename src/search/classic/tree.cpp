// Transposition tree: an unbalanced binary search tree on h0 (signed order). The keys are
// pseudo-random, so the tree stays shallow without rebalancing. The whole tree goes at the
// end of every move choice; its nodes return to a free list, and the next move's tree takes
// them from there before it asks the heap for more, a chunk at a time. Live nodes are
// counted, so that the tree keeps within the max_memory budget.
#include <bit>
#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "search/classic/tree.h"

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

// The look-up filter: one bit for each h0 that was stored, at a place picked by hashing it,
// in FILTER_BITS bits for each node the filter has room for. A bit may stand for several
// h0; a miss is certain. It grows with the tree, built again from the tree's nodes, and
// goes with the last node, so each move's starts small: at 64 bits a node it spread the
// lookups over more cache than the search's other tables could spare, and ran no faster.
// Without a filter, or memory for it, the answer is "may" to everything.
constexpr long FILTER_BITS = 16; // one in 16 new positions walks the tree in vain, at most
struct look_up_filter {
    std::uint64_t *bits = nullptr;
    long room = 0; // nodes it has room for: a power of two, 0 before the first tree
    int shift = 64;
    bool off = false; // no memory to grow
};
look_up_filter filter;

std::uint64_t filter_place(int32_t h0) {
    return (static_cast<std::uint32_t>(h0) * 0x9E3779B97F4A7C15ull) >> filter.shift;
}
void filter_add(int32_t h0) {
    const std::uint64_t i = filter_place(h0);
    filter.bits[i >> 6] |= std::uint64_t{1} << (i & 63);
}
void filter_add_tree(const tree_node *n) {
    for (; n; n = n->right) {
        filter_add(n->h0);
        filter_add_tree(n->left);
    }
}

// Room for `nodes` nodes or more, with the h0 of the tree under `root`.
void filter_grow(const tree_node *root, long nodes) {
    long room = filter.room > 0 ? filter.room : 4096;
    while (room < nodes) room *= 2;
    auto *bits = new (std::nothrow) std::uint64_t[room * FILTER_BITS / 64]();
    delete[] filter.bits;
    filter.bits = bits;
    filter.room = bits ? room : 0;
    filter.off = !bits;
    if (!bits) return;
    filter.shift = 64 - std::countr_zero(static_cast<unsigned long long>(room * FILTER_BITS));
    filter_add_tree(root);
}

void free_below(tree_node *n) {
    if (!n) return;
    free_below(n->left);
    free_below(n->right);
    release(n);
}

} // namespace

bool tree_may_hold(int32_t h0) {
    if (h0 == 0 || filter.off || !filter.bits) return true;
    const std::uint64_t i = filter_place(h0);
    return (filter.bits[i >> 6] >> (i & 63) & 1) != 0;
}

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
    if (tree_memory.nodes > filter.room && !filter.off) filter_grow(root, tree_memory.nodes);
    if (filter.bits) filter_add(h0);
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
    free_below(root);
    if (tree_memory.nodes == 0) { // nothing stored is left anywhere: start small again
        delete[] filter.bits;
        filter = look_up_filter{};
    }
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
