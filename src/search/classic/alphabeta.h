#pragma once
// Fail-hard negamax alpha-beta over the generator's candidates, with the transposition
// tree and the clock checks.
#include <cassert>

#include "game/game.h"
#include "search/classic/ply_lists.h"
#include "search/mode.h"

// Completing five is worth WIN less the ply; being unable to stop one, the ply less WIN.
constexpr int WIN = 1024;

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

// The principal line below each node being searched, indexed by its ply: the moves from
// the node on that set its value inside the window, as far as the search saw them (a child
// valued by the tree or by the leaf memo ends the line: what lay below it was not searched
// again). The search keeps it in step at no cost to its result; the root copies its best
// line into the report.
struct principal_lines {
    int len[MAX_PLY];
    square line[MAX_PLY][REPORT_LINE];
};
extern principal_lines pv;

// Whether a node at `ply` reached by a move tagged `tag`, with two or more candidates, is
// valued by its static score instead of being searched.
bool past_limits(int ply, int tag);
