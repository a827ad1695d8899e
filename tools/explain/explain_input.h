#pragma once
// The explainer's input: a game from an SGF file (the match runner's or another manager's)
// or a position as the protocol's BOARD lines, read into one plain record of stones.
#include <string>

#include "game/game.h"

struct placed_stone {
    int x, y;
    int colour; // +1 the colour of the first stone, -1 the other
};

struct game_record {
    int size;  // board side the input gives; 0 when it does not say
    int count; // stones, in playing order
    placed_stone stones[BOARD_CELLS];
};

// Game `index` (1 the first) of the SGF collection `text`: SZ and the B and W moves of its
// main line, two-letter coordinates (x then y, from 'a'). Comments and other properties
// are skipped. The first move's colour is +1. On failure false, with a one-line reason.
// The coordinates are checked against the board later (check_record), when the side is
// known.
bool read_sgf(const std::string &text, int index, game_record &out, std::string &error);

// BOARD lines "x,y,k", one a line, first stone first; lines BOARD and DONE and empty
// lines are skipped. Stones with the first stone's k are +1, the others -1, as the engine
// reads them. False with a one-line reason on a line of another form.
bool read_board_lines(const std::string &text, game_record &out, std::string &error);

// Every stone on a dim x dim board and on a free square; false with the reason.
bool check_record(const game_record &g, int dim, std::string &error);
