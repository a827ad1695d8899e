#pragma once
// Test helpers: positions from stone lists, and move lists written as text.
#include <cstdio>
#include <initializer_list>
#include <string>

#include "movegen/movegen.h"

struct stone {
    int x, y, colour;
};

// A fresh game state: an empty board of side `dim` with the stones, the rule, level 0's
// depth limits (full_depth 2, threat_depth 4, max_depth 4).
inline void set_position(int dim, int exact_five, std::initializer_list<stone> stones) {
    reset_game_state();
    reset_levels();
    levels.full_depth = level_table[0][0];
    levels.threat_depth = level_table[0][1];
    levels.max_depth = level_table[0][2];
    game.dim = dim;
    settings.exact_five = exact_five;
    for (const stone &s : stones) game.board[cell(s.x, s.y)] = s.colour;
}

// A record as (x,y,count,windows,threat,hits,dir,tag).
inline std::string record_text(const move_rec &r) {
    char text[96];
    std::snprintf(text, sizeof text, "(%d,%d,%d,%d,%d,%d,%d,%d)", r.x, r.y, r.info.count,
                  r.info.windows, r.info.threat, r.info.hits, r.info.dir, r.tag);
    return text;
}

// The first n records of a list, separated by spaces.
inline std::string list_text(const move_list &list, int n) {
    std::string text;
    for (int i = 0; i < n; i++) {
        if (i > 0) text += ' ';
        text += record_text(list.rec[i]);
    }
    return text;
}

// One call of the generator on the shared board: its result and its static score (the
// score stays at the sentinel when the generator leaves it alone).
struct generated {
    int n;
    int score;
    std::string moves;
};

constexpr int SCORE_UNTOUCHED = -99999;

inline generated generate(int side, int ply, int parent_tag, move_list &out) {
    generated g{0, SCORE_UNTOUCHED, ""};
    g.n = generate_moves(game.board, side, ply, out, &g.score, parent_tag);
    g.moves = list_text(out, g.n);
    return g;
}

// A position drawn as dim rows of dim characters, top row first (y = dim - 1 at the top,
// x from left to right, as the board printer shows it): X is +1, O is -1, anything else
// empty.
inline void set_picture(int dim, int exact_five, std::initializer_list<const char *> rows) {
    set_position(dim, exact_five, {});
    int y = dim - 1;
    for (const char *row : rows) {
        for (int x = 0; x < dim && row[x] != '\0'; x++)
            game.board[cell(x, y)] = row[x] == 'X' ? 1 : row[x] == 'O' ? -1 : 0;
        y--;
    }
}
