// The tree's memory budget: what INFO max_memory leaves after the engine's fixed arrays.
#include <climits>

#include "search/search.h"

// The time control's two records, counted as the one 56-byte record they were when the
// budget was set, so that the node limit, and with it play under max_memory, stays put.
constexpr long TIMING_BYTES = 56;

// The process-wide records and static arrays of the engine, the largest by far being the
// per-ply candidate lists, then the live analysis of every square and the memos. A
// procedure, not a constant: the live analysis's share is known only inside it, and a
// constant filled by a call would be set by a hidden static initialiser.
long fixed_bytes() {
    return static_cast<long>(sizeof(game_state) + sizeof(settings_state) + sizeof(level_state) +
                             TIMING_BYTES + sizeof(root_state) + sizeof(key_state) +
                             sizeof(tree_memory_state) + sizeof(board_watch) + sizeof(memo_state) +
                             MAX_PLY * sizeof(move_list) + BOARD_CELLS * sizeof(int)) +
           live_bytes();
}

tree_memory_state tree_memory;

long tree_node_limit() {
    if (settings.max_memory <= 0) return LONG_MAX;
    double left = settings.max_memory * 1048576.0 - static_cast<double>(fixed_bytes());
    double nodes = left / static_cast<double>(NODE_BYTES);
    return nodes < 1 ? 1 : static_cast<long>(nodes);
}
