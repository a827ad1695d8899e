#pragma once
// Test helpers for the generator: move lists as text and pictured positions.
#include "movegen/movegen.h"
#include "support/position.h"

// A record as (x,y,count,windows,threat,hits,dir,tag); a list as records joined by spaces.
inline std::string list_text(const move_list &list, int n) {
    std::string text;
    for (int i = 0; i < n; i++) {
        const move_rec &r = list.rec[i];
        char rec[96];
        std::snprintf(rec, sizeof rec, "%s(%d,%d,%d,%d,%d,%d,%d,%d)", i ? " " : "", r.x, r.y,
                      r.info.count, r.info.windows, r.info.threat, r.info.hits, r.info.dir, r.tag);
        text += rec;
    }
    return text;
}

constexpr int SCORE_UNTOUCHED = -99999;

struct generated {
    int n, score; // score stays SCORE_UNTOUCHED when the generator leaves it alone
    std::string moves;
};

// One call of the generator on the shared board.
inline generated generate(int side, int ply, int parent_tag) {
    static move_list out;
    generated g{0, SCORE_UNTOUCHED, ""};
    g.n = generate_moves(game.board, side, ply, out, &g.score, parent_tag);
    g.moves = list_text(out, g.n);
    return g;
}

// X on every third square of every third row of 20 x 20: no four anywhere, and most empty
// squares are open-three squares of X.
inline void set_grid() {
    set_board(20, 1, "");
    for (int x = 0; x < 20; x += 3)
        for (int y = 0; y < 20; y += 3) game.board[cell(x, y)] = 1;
}

// A crowded 20 x 20 board, 71 X and 70 O, no five, O to move: both colours have many simple
// fours with stones on their other lines. Drawn top row first (y = 19 at the top, x from
// left to right, as the board printer shows it).
inline void set_crowded() {
    set_board(20, 1, "");
    // clang-format off
    const char *rows[20] = {
        "....X.......O...X...",
        "......X.X.XO..O.XXX.",
        ".XX.XXX.....OOO.X..X",
        "XX..X..XO..O...O..X.",
        ".X...X...O.OO.O..XX.",
        ".O....X...O......X..",
        ".X...X.OOO..O.X.X...",
        "..OXXOOO......OOX..O",
        "O.O...O....O....OXOX",
        ".O.....O.......O....",
        "...O.OXXX.....O....O",
        ".OO...XX.XXX..OO..O.",
        "OO.O...X....X..O.O.O",
        "...OOX....X..O......",
        ".O....X....X..O.O...",
        "...X.X....XX....O...",
        "...X......X..O.....O",
        ".XX.XX.XXX..O.OO.O..",
        "....X....X.X.OO..O..",
        ".O.XX.X..XXOXO..O...",
    };
    // clang-format on
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 20; x++)
            game.board[cell(x, y)] = rows[19 - y][x] == 'X' ? 1 : rows[19 - y][x] == 'O' ? -1 : 0;
}
