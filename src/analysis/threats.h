#pragma once
// Threat squares: the squares that turn a line into a threat around a four.
#include "analysis/point.h"

// ---- Threat squares -------------------------------------------------------------------

// A list of squares, appended to only by uloz_tah_t; entries may repeat.
// Capacity: the generator gathers threat squares around the simple-four squares it files,
// each empty square under at most one side, so the two lists of one position get at most
// BOARD_CELLS calls between them; one call adds at most 6 squares (line cells 2, 3, 4, 6,
// 7, 8) in each of the 3 directions it examines: BOARD_CELLS * 18. The squares collected
// on one four's line (at most LINE_LEN) fit as well.
constexpr int MAX_SQUARES = BOARD_CELLS * 3 * 6;

struct square_list {
    int n;
    int sq[MAX_SQUARES][2]; // (x, y)
};

// Bit j set: line cell j is a threat square. Only bits 2, 3, 4, 6, 7 and 8 can be set.
int threat_mask(const int line[LINE_LEN], int colour);

// Appends the threat squares of `colour` on the lines through x,y, direction by direction
// (skip_dir is left out; a value outside 0..3 skips nothing), each line from its lowest
// cell index to its highest.
void threat_squares(const int *board, int x, int y, int colour, square_list &squares, int skip_dir);

// Appends x,y; a full list is an internal fault and ends the process with status 1.
int uloz_tah_t(int x, int y, square_list &squares);
