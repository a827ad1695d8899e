// The classic search's share of the memory budget: its fixed records and arrays, and the
// tree nodes that fit into what is left.
#include <climits>

#include "search/budget.h"
#include "search/classic/classic.h"
#include "search/classic/memo.h"
#include "search/classic/ply_lists.h"
#include "search/classic/root.h"
#include "search/classic/timectl.h"
#include "search/mode.h"

// The largest by far are the per-ply candidate lists, then the memos.
long classic_bytes() {
    return static_cast<long>(sizeof(level_state) + timing_bytes() + sizeof(root_state) +
                             sizeof(key_state) + sizeof(tree_memory_state) + sizeof(memo_state) +
                             MAX_PLY * sizeof(move_list) + BOARD_CELLS * sizeof(int));
}

long fixed_bytes() {
    return shared_bytes() + classic_bytes();
}

tree_memory_state tree_memory;

long tree_node_limit() {
    const long left = bytes_left(classic_mode);
    if (left == LONG_MAX) return LONG_MAX;
    const long nodes = left / NODE_BYTES;
    return nodes < 1 ? 1 : nodes;
}
