#pragma once
// Memos of the generator's verdicts, for one move choice.
#include <cstdint>

#include "movegen/movegen.h"
#include "search/classic/hash.h"

// A position's candidates and static score depend on the stones and a context (see
// memo_context), never on the window, and the tree keeps only counted nodes under a window.
// So two memos keep, for one move choice, what the generator found: the values of the
// leaves, and the candidate lists of the searched nodes, both by position key (the hash with
// both offsets 0) and context, for positions reached again by another move order or under
// another window. Both are direct-mapped: a newer entry takes the slot of an older one.
struct leaf_entry {
    int32_t h0;
    int32_t h1;
    int32_t context; // memo_context of the position; -1: empty
    int32_t value;
};
constexpr int LEAF_SLOTS = 1 << 14;

// A searched node's candidates, each as cell * 8 + tag + 3, in 32 bytes; lists longer than
// LISTED_MOVES (one searched node in twenty-five in the bench) are not kept.
constexpr int LISTED_MOVES = 9;
struct list_entry {
    int32_t h0;
    int32_t h1;
    int32_t context; // -1: empty
    uint16_t n;
    uint16_t moves[LISTED_MOVES];
};
static_assert(sizeof(list_entry) == 32);
constexpr int LIST_SLOTS = 1 << 13;

struct memo_state {
    leaf_entry leaf[LEAF_SLOTS];
    list_entry list[LIST_SLOTS];
};
extern memo_state memo;

// Every slot empty: at process start and at the start of every move choice, since the
// board side and the rules may differ from one to the next.
void reset_memo();

// What besides the stones the generator's verdict depends on, as one number: the tag of
// the move that led there, the three depth limits (which the clock may lower during a
// search), the side to move and the ply; -1 when they do not fit, and then nothing is
// memoised. Within one move choice the stones fix the side and the ply, but callers that
// search a position from several plies without a new move choice (the tests) rely on them.
int memo_context(int colour, int ply, int tag);

// The value memoised for this leaf's position key and context, if any.
bool leaf_known(const hash_key &key, int context, int *value);
void leaf_store(const hash_key &key, int context, int value);

// The candidates memoised for this position key and context into `list` (squares and tags;
// their analyses read NO_POINT) and their number, or -1 when none are.
int listed_moves(const hash_key &key, int context, move_list &list);
void list_store(const hash_key &key, int context, const move_list &list, int n);
