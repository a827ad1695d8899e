// The shared positions and their set-up.
#include "positions.h"

#include <cstring>

#include "search/classic/classic.h"
#include "search/classic/timectl.h"
#include "search/mode.h"

const bench_position bench_suite[BENCH_SUITE_SIZE] = {
    // 15 x 15, exactly five
    {"opening 15", 15, 1, 4, "h8 i9 h9 h10 j8"},
    {"test position 15", 15, 1, 4, "h8 g9 h9 i9 i7 j9 j7 h7"},
    {"open three 15", 15, 1, 4, "h8 h9 i8 i10 j8"},
    {"midgame 15", 15, 1, 4, "h8 i9 h9 h10 j8 i8 h7 i7 i10 i6 i5 f7 j11 k12"},
    {"attack 15", 15, 1, 4,
     "h8 i9 h9 h10 j8 i8 h7 i7 i10 i6 i5 f7 j11 k12 j9 j7 k8 l7 h11 g12 i11 k7 m7 g11"},
    {"defence 15", 15, 1, 4,
     "h8 i9 h9 h10 j8 i8 h7 i7 i10 i6 i5 f7 j11 k12 j9 j7 k8 l7 h11 g12 i11 k7 m7 g11 k5"},
    // 15 x 15, five or more
    {"edge 15", 15, 0, 4, "b2 c3 b3 b4 c2 d2 a1 d4 e5 c4"},
    // 20 x 20, five or more
    {"opening 20", 20, 0, 4, "j10 k11 k10 l10 j12"},
    {"midgame 20", 20, 0, 4, "j10 k11 k10 l10 i9 h8 j11 j9 l12 i12 m13 k9 n14"},
    {"crowded 20", 20, 0, 4,
     "j10 k11 k10 l10 j12 j11 i10 l11 i11 m11 n11 g10 i12 i9 h12 g12 g13 f14 k9 l8 l12 k12"},
    // 20 x 20, exactly five
    {"corner 20", 20, 1, 4, "c3 d4 d3 e4 c6 e3 d6 c5 b6 e6 e5"},
    {"corner attack 20", 20, 1, 4, "c3 d4 d3 e4 c6 e3 d6 c5 b6 e6 e5 f2 g1"},
};

const bench_position renju_suite[RENJU_SUITE_SIZE] = {
    {"renju opening 15", 15, RULE_RENJU, 4, "h8 h9 h10 g9 g7"},
    {"renju midgame 15", 15, RULE_RENJU, 4, "h8 h9 h10 g9 g7 i9 j9 i8 j7 g10 j8 j10 i7 f9 e9 h7"},
    // Black to move; h8 would make two open threes.
    {"renju forbidden 15", 15, RULE_RENJU, 2, "f8 a15 g8 o1 h6 o15 h7 a1"},
};

const bench_position &bench_named(const char *name) {
    for (const bench_position &p : bench_suite)
        if (std::strcmp(p.name, name) == 0) return p;
    for (const bench_position &p : renju_suite)
        if (std::strcmp(p.name, name) == 0) return p;
    fatal("no bench position called '%s'", name);
}

void set_up_engine(int dim, int rule, int level) {
    reset_engine(classic_mode);
    game.dim = dim;
    settings.exact_five = rule != 0;
    settings.renju = rule == RULE_RENJU;
    settings.timeout_turn = 0;
    fix_level(level);
}

int set_up_moves(int *board, int dim, int rule, int level, const char *moves) {
    set_up_engine(dim, rule, level);
    for (int i = 0; i < BOARD_CELLS; i++) board[i] = 0;
    int colour = 1;
    for (const char *s = moves; *s;) {
        if (*s == ' ') {
            s++;
            continue;
        }
        int x = *s++ - 'a', y = 0;
        while (*s >= '0' && *s <= '9') y = y * 10 + (*s++ - '0');
        y--;
        if (!on_board(x, y) || board[cell(x, y)] != 0) fatal("bad square in '%s'", moves);
        board[cell(x, y)] = colour;
        colour = -colour;
    }
    return colour;
}

int set_up_bench(int *board, const bench_position &p, int level) {
    return set_up_moves(board, p.dim, p.rule, level, p.moves);
}

void set_up_crowded(int *board) {
    // Top row first (y = 19), x from left to right, as the board printer shows it.
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
            board[cell(x, y)] = rows[19 - y][x] == 'X' ? 1 : rows[19 - y][x] == 'O' ? -1 : 0;
}

void set_up_grid(int *board) {
    for (int x = 0; x < 20; x++)
        for (int y = 0; y < 20; y++) board[cell(x, y)] = x % 3 == 0 && y % 3 == 0 ? 1 : 0;
}
