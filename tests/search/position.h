#pragma once
// Test positions written as move lists, and a search state ready for one search.
#include <cstdlib>

#include "fresh_state.h"

// Puts the stones of `moves` ("h8 i9 ...": letter a.. for x, number 1.. for y) on an
// empty board, the first +1 and colours alternating; returns the colour to move.
inline int place_moves(int *board, const char *moves) {
    for (int i = 0; i < BOARD_CELLS; i++) board[i] = 0;
    int colour = 1;
    const char *s = moves;
    for (;;) {
        while (*s == ' ') s++;
        if (!*s) return colour;
        int x = *s++ - 'a';
        int y = static_cast<int>(std::strtol(s, const_cast<char **>(&s), 10)) - 1;
        board[cell(x, y)] = colour;
        colour = -colour;
    }
}

// A fresh process on a dim x dim board at `level`, with the time control idle (no turn
// time, the speed known), so searches depend only on the position.
inline void fresh_search(int dim, int exact_five, int level) {
    fresh_state(dim);
    settings.exact_five = exact_five;
    settings.timeout_turn = 0;
    timing.nodes_per_sec = 1;
    levels.level = level;
    levels.full_depth = level_table[level][0];
    levels.threat_depth = level_table[level][1];
    levels.max_depth = level_table[level][2];
}

// A move choice's tree: one cleared root entry.
inline void new_tree() {
    tree_free(root.tree_root);
    root.tree_root = node_alloc();
    node_clear(root.tree_root);
}
