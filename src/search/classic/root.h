#pragma once
// The root move choice of the classic search: the engine's turn.
#include "movegen/movegen.h"
#include "search/classic/tree.h"
#include "search/mode.h"

struct root_state {
    int root_ply;         // ply given to the root: 2 while following a found win, else 0
    tree_node *tree_root; // this move choice's tree, nullptr between moves
};
extern root_state root;

// root_ply 0, no tree (a leftover one is released) and no last move, as at process start.
void reset_root();

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
// (only a win scores above FOUND_WIN), else 0.
int next_root_ply(int best);
