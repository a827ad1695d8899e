#pragma once
// The search: root move choice and fail-hard negamax alpha-beta over the generator's
// candidates, with the transposition tree and the clock checks.
#include "movegen/movegen.h"
#include "search/tree.h"

struct square {
    int x;
    int y;
};

struct root_state {
    int root_ply;         // ply given to the root: 2 while following a found win, else 0
    tree_node *tree_root; // this move choice's tree, nullptr between moves
};
extern root_state root;

// root_ply 0 and no tree, as at process start.
void reset_root();

// Value of the position for `colour` to move, fail-hard inside (alpha, beta). `tag` is
// the tag of the move that led here. The board is restored before returning.
int alphabeta(int *board, int colour, int ply, int alpha, int beta, int tag);

// The engine's turn: the square where `side` plays. Resigns (exit 0) when there is no
// candidate. The board is as it was when it returns.
square choose_move(int *board, int side);

// Per-ply candidate lists for the search. A run of lone forced replies is followed past
// every depth limit until the board fills, so plies go up to root_ply + 400.
constexpr int MAX_PLY = 2 + BOARD_CELLS + 2;
move_list &ply_list(int ply);
