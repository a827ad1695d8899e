// Leaf memo: the values of the leaves met during one move choice. A leaf's value is the
// generator's verdict on its position, which depends on the stones, the side to move, the
// ply, the tag that led there and the limits, never on the window: so a leaf reached again
// by another move order (most transpositions near the depth limit are leaves) is valued
// without syncing the live analysis to it and scanning it again. The tree keeps only
// counted nodes under a window, so it never holds these.
#include <initializer_list>

#include "search/search.h"

leaf_memo_state leaf_memo;

namespace {

// The slot of a position key: the memo is direct-mapped, a newer leaf replacing the one
// there.
leaf_entry &slot_of(const hash_key &key) {
    return leaf_memo.slot[static_cast<uint32_t>(key.h0) & (LEAF_SLOTS - 1)];
}

} // namespace

void reset_leaf_memo() {
    for (leaf_entry &e : leaf_memo.slot) e = leaf_entry{0, 0, -1, 0};
}

// Packed as ply (9 bits), tag + 3 (3), the side (1) and each limit (6).
int leaf_context(int colour, int ply, int tag) {
    if (ply < 0 || ply >= 512) return -1;
    int context = (ply * 8 + tag + 3) * 2 + (colour == 1);
    for (int limit : {levels.full_depth, levels.threat_depth, levels.max_depth}) {
        if (limit < 0 || limit >= 64) return -1;
        context = context * 64 + limit;
    }
    return context;
}

bool leaf_known(const hash_key &key, int context, int *value) {
    const leaf_entry &e = slot_of(key);
    if (context < 0 || e.context != context || e.h0 != key.h0 || e.h1 != key.h1) return false;
    *value = e.value;
    return true;
}

void leaf_store(const hash_key &key, int context, int value) {
    if (context >= 0) slot_of(key) = leaf_entry{key.h0, key.h1, context, value};
}
