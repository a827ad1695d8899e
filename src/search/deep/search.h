#pragma once
// The deep mode's search: iterative deepening principal variation search over the deep
// board, with the hash table, the four-threat solver at the root and at the leaves, and the
// move ordering of threats first.
#include <cstdint>

#include "game/game.h"
#include "search/mode.h"

constexpr int DEEP_MAX_PLY = 64;

// The limits INFO may set (0: none).
struct deep_limits {
    long long max_nodes;
    int max_depth;
    bool full_width; // every generated move searched, at full depth (for the tests)
};
extern deep_limits dlimits;

struct deep_search_state {
    long long nodes;
    bool stopped; // the time or node limit ended the search
    int pv_length[DEEP_MAX_PLY];
    int pv[DEEP_MAX_PLY][DEEP_MAX_PLY];
    int killer[DEEP_MAX_PLY][2];
    int history[2][BOARD_CELLS];
    // The root move the current iteration is measured against: the last completed
    // iteration's, or -1 when the root may not play it. root_best: a move of the current
    // iteration that beat the anchor, searched first in the same pass (with no anchor, the
    // pass's best so far); -1 none.
    int root_anchor;
    int root_best;
    bool root_filter;                  // only the root moves marked in root_allowed
    uint8_t root_allowed[BOARD_CELLS]; // the defences against the opponent's win by fours
    int moves[DEEP_MAX_PLY][BOARD_CELLS];
    int order[DEEP_MAX_PLY][BOARD_CELLS];
};
extern deep_search_state dsearch;

// Everything at its process-start value.
void reset_deep_search();

// The deep mode's move for `side` on `board` (dim game.dim); fills the report. {-1, -1}
// when no square is free. The board is left as it was.
square deep_choose(int *board, int side);

// Value of the deep board for `colour` to move, searched to `depth` (no clock; for the
// tests): a found win is above WIN_BOUND.
int deep_value(int colour, int depth);

// The moves of a node at `ply` for `colour` into dsearch.moves[ply], best first (the hash
// move first when it is one), cut to `width` unless forced or full_width; their number.
int generate_moves(int colour, int ply, int hash_move, int width);

// The value of a leaf at `ply`: a quick win by fours, else the static value. A static value
// at or above `beta` is returned as it is, a lower bound.
int leaf_value(int colour, int ply, int beta);

// Replies to open threes searched at full depth, at most, along one line of play.
constexpr int THREE_EXTENSIONS = 4;

// Depth used when no clock and no INFO limit bounds a move.
constexpr int UNLIMITED_DEPTH = 4;
