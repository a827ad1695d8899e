#pragma once
// Test helpers shared by the analysis and move generator tests: lines and positions as text.
#include <cstdio>
#include <sstream>
#include <string>

#include "analysis/analysis.h"

// An 11-cell line, for colour X = +1: X own, O the other colour, . empty, # off the board.
// Character 6 is the square.
inline void parse_line(const std::string &text, int line[LINE_LEN]) {
    for (int i = 0; i < LINE_LEN; i++) {
        char ch = text.at(static_cast<size_t>(i));
        line[i] = ch == 'X' ? 1 : ch == 'O' ? -1 : ch == '#' ? OFF_BOARD : 0;
    }
}

// A fresh game state with level 0's depth limits (full_depth 2, threat_depth 4) and a board
// of side `dim` holding the stones of `stones`: "X 4,7 5,7 O 8,7" puts X (+1) on 4,7 and
// 5,7 and O (-1) on 8,7.
inline void set_board(int dim, int exact_five, const std::string &stones) {
    reset_game_state();
    reset_levels();
    levels.full_depth = level_table[0][0];
    levels.threat_depth = level_table[0][1];
    levels.max_depth = level_table[0][2];
    game.dim = dim;
    settings.exact_five = exact_five;
    std::istringstream in(stones);
    std::string word;
    int colour = 1, x, y;
    while (in >> word) {
        if (word == "X" || word == "O")
            colour = word == "X" ? 1 : -1;
        else if (std::sscanf(word.c_str(), "%d,%d", &x, &y) == 2)
            game.board[cell(x, y)] = colour;
    }
}

// Swaps the colours of every stone of the board.
inline void swap_colours() {
    for (int &v : game.board) v = -v;
}

inline std::string info_text(const point_info &p) {
    char text[80];
    std::snprintf(text, sizeof text, "(%d,%d,%d,%d,%d)", p.count, p.windows, p.threat, p.hits,
                  p.dir);
    return text;
}
