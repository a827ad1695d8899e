#pragma once
// Test helpers: lines written as text and boards set up from stone lists.
#include <cstdio>
#include <initializer_list>
#include <string>

#include "analysis/analysis.h"

// An 11-cell line as text, for colour X = +1: X own, O the other colour, . empty, # off
// the board. Character 6 is the square.
inline void parse_line(const std::string &text, int line[LINE_LEN]) {
    for (int i = 0; i < LINE_LEN; i++) {
        char ch = text.at(static_cast<size_t>(i));
        line[i] = ch == 'X' ? 1 : ch == 'O' ? -1 : ch == '#' ? OFF_BOARD : 0;
    }
}

struct stone {
    int x, y, colour;
};

// A fresh game state with an empty board of side `dim`, the stones put on it, and the rule.
inline void set_position(int dim, int exact_five, std::initializer_list<stone> stones) {
    reset_game_state();
    game.dim = dim;
    settings.exact_five = exact_five;
    for (const stone &s : stones) game.board[cell(s.x, s.y)] = s.colour;
}

inline bool operator==(const point_info &a, const point_info &b) {
    return a.count == b.count && a.windows == b.windows && a.threat == b.threat &&
           a.hits == b.hits && a.dir == b.dir;
}

inline std::string to_string(const point_info &p) {
    char text[80];
    std::snprintf(text, sizeof text, "(%d,%d,%d,%d,%d)", p.count, p.windows, p.threat, p.hits,
                  p.dir);
    return text;
}
