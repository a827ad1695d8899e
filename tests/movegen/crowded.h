#pragma once
// Crowded 20 x 20 positions, shared by the capacity tests and the pinned sweep.
#include "position.h"

// X on every third square of every third row: no four anywhere, and most empty squares
// are open-three squares of X, each filed in one working list.
inline void set_grid() {
    set_position(20, 1, {});
    for (int x = 0; x < 20; x += 3)
        for (int y = 0; y < 20; y += 3) game.board[cell(x, y)] = 1;
}

// Many simple fours of X, 89 X and 88 O stones, no five on the board.
inline void set_own_fours() {
    // clang-format off
    set_picture(20, 1, {
        "OO.O..OO.OOO.OO.X..O",
        "X.....X..OOO..OXX..X",
        "OX.XX.OOOO.OO.X.X.XO",
        ".X.XO.O.OX.......X..",
        "...X.O..X.....XX...O",
        ".XX..XO..XX...X...O.",
        "OO.....X....X.....XO",
        "OOOOX..XXX...X.X.XOO",
        "OOOO....X..X......XO",
        "O.OO.O.X....X...X...",
        ".O...OOO......XX...O",
        "..OOX.O.X.X.X.XX...O",
        "XX.X.O.OOO..X.X....O",
        "O..X...OOO..OX..XX..",
        "XX..X..XX......X....",
        ".X....X.........X..O",
        "...X..OX.OO.XXX...XO",
        "..X.XOXXOX....XXXO.O",
        "....X...OX.X.X.X..OX",
        "OO...OOO..O....OOXOO",
    });
    // clang-format on
}

// Many simple fours of O, 92 X and 93 O stones, no five on the board.
inline void set_opp_fours() {
    // clang-format off
    set_picture(20, 1, {
        "XXX.O.XXX.OX.XOXX..X",
        "X.X.....O.XX.OXXX.XX",
        ".X...O..OO....O.X.X.",
        "OO..O..OO.....O...OX",
        ".O..OO....O..O..O...",
        ".OO...OO...OOO.O...O",
        ".X...O....O....O.OOX",
        ".O.OO...X....OX.OXOX",
        "OO....OO.O...O...XXX",
        "......O..OOO...XX..X",
        ".XO.OOO...O..XXX.XX.",
        "XO...O.O.O.O...O..XX",
        ".O.....O...X.O.O.XXX",
        "XOX.....O....X.OXXX.",
        "OXO..OO...OOO....O..",
        "XXOOX...OOO..OO.O.XX",
        "XX.X......O....XO...",
        "X..XXX..O.....X.OXX.",
        ".X.XX...XOO..X.X.X.X",
        ".XXX..XX.OX..XX.XXXX",
    });
    // clang-format on
}
