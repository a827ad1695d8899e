#pragma once
// The search: root move choice and fail-hard negamax alpha-beta over the generator's
// candidates, with the transposition tree and the clock checks.
#include <cassert>

#include "movegen/movegen.h"
#include "search/hash.h"
#include "search/mode.h"
#include "search/tree.h"

// Completing five is worth WIN less the ply; being unable to stop one, the ply less WIN.
constexpr int WIN = 1024;

struct root_state {
    int root_ply;         // ply given to the root: 2 while following a found win, else 0
    tree_node *tree_root; // this move choice's tree, nullptr between moves
};
extern root_state root;

// root_ply 0, no tree (a leftover one is released) and no last move, as at process start.
void reset_root();

// The classic search as the protocol drives it.
extern const search_mode classic_mode;

// Puts value v (0 takes the stone) on cell c of the search's board and notes the change in
// the board watch, which the live analysis and the hash read during a move choice.
inline void place(int *board, int c, int v) {
    assert(v == 0 ? board[c] != 0 : board[c] == 0 && (v == 1 || v == -1));
    board[c] = v;
    note_change(c);
}

// Value of the position for `colour` to move, fail-hard inside (alpha, beta). `tag` is
// the tag of the move that led here. The board is restored before returning.
int alphabeta(int *board, int colour, int ply, int alpha, int beta, int tag);

// Whether a node at `ply` reached by a move tagged `tag`, with two or more candidates, is
// valued by its static score instead of being searched.
bool past_limits(int ply, int tag);

// A look at the root search for tools that explain a move (nullptr, as in play: none).
// Called after root candidate i of `list` is searched, with its value, while the tree
// still holds everything searched. It may put stones with place() to read the tree, but
// leaves the board, the tree and the counters as it found them.
extern void (*root_watch)(int *board, int side, const move_list &list, int i, int value);

// The engine's turn: the square where `side` plays, {-1, -1} when no square is free. With
// no candidate it plays the centre of an empty board or the first free square. The board is
// as it was when it returns.
square choose_move(int *board, int side);

// root_ply for the move choice after one whose best value was `best`: 2 after a found win
// (only a win scores above 512), else 0.
int next_root_ply(int best);

// ---- Memos of the generator's verdicts ---------------------------------------------------
//
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

// Per-ply candidate lists for the search, in static storage: a run of lone forced replies
// is followed past every depth limit until the board fills, so plies go up to
// root_ply + 400, far too deep for a list on every stack frame. A ply outside 0..MAX_PLY-1
// is an internal fault and ends the process with status 1.
constexpr int MAX_PLY = 2 + BOARD_CELLS + 2;
move_list &ply_list(int ply);
