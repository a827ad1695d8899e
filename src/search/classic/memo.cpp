// The memos of the generator's verdicts: leaf values and the candidate lists of searched
// nodes, for one move choice. Most transpositions near the depth limit are leaves, and a
// searched node is met again under another window as often; either way the position is
// then valued or listed without syncing the live analysis to it and scanning it again.
#include <initializer_list>

#include "search/classic/memo.h"

memo_state memo;

namespace {

// The slots of a position key.
leaf_entry &leaf_slot(const hash_key &key) {
    return memo.leaf[static_cast<uint32_t>(key.h0) & (LEAF_SLOTS - 1)];
}
list_entry &list_slot(const hash_key &key) {
    return memo.list[static_cast<uint32_t>(key.h0) & (LIST_SLOTS - 1)];
}

// Whether slot e holds this position key under this context (an empty slot's context, -1,
// matches none).
template <typename Entry> bool holds(const Entry &e, const hash_key &key, int context) {
    return context >= 0 && e.context == context && e.h0 == key.h0 && e.h1 == key.h1;
}

} // namespace

void reset_memo() {
    for (leaf_entry &e : memo.leaf) e = leaf_entry{0, 0, -1, 0};
    for (list_entry &e : memo.list) e = list_entry{0, 0, -1, 0, {}};
}

// Packed as ply (9 bits), tag + 3 (3), the side (1) and each limit (6).
int memo_context(int colour, int ply, int tag) {
    if (ply < 0 || ply >= 512) return -1;
    int context = (ply * 8 + tag + 3) * 2 + (colour == 1);
    for (int limit : {levels.full_depth, levels.threat_depth, levels.max_depth}) {
        if (limit < 0 || limit >= 64) return -1;
        context = context * 64 + limit;
    }
    return context;
}

bool leaf_known(const hash_key &key, int context, int *value) {
    const leaf_entry &e = leaf_slot(key);
    if (!holds(e, key, context)) return false;
    *value = e.value;
    return true;
}

void leaf_store(const hash_key &key, int context, int value) {
    if (context >= 0) leaf_slot(key) = leaf_entry{key.h0, key.h1, context, value};
}

int listed_moves(const hash_key &key, int context, move_list &list) {
    const list_entry &e = list_slot(key);
    if (!holds(e, key, context)) return -1;
    for (int i = 0; i < e.n; i++) {
        const int c = e.moves[i] >> 3;
        list.rec[i] = move_rec{c / MAX_DIM, c % MAX_DIM, NO_POINT, (e.moves[i] & 7) - 3};
    }
    list.n = e.n;
    return e.n;
}

void list_store(const hash_key &key, int context, const move_list &list, int n) {
    if (context < 0 || n > LISTED_MOVES) return;
    list_entry &e = list_slot(key);
    e = list_entry{key.h0, key.h1, context, static_cast<uint16_t>(n), {}};
    for (int i = 0; i < n; i++)
        e.moves[i] =
            static_cast<uint16_t>(cell(list.rec[i].x, list.rec[i].y) * 8 + list.rec[i].tag + 3);
}
