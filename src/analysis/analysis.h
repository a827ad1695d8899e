#pragma once
#include "game/game.h"

// Line analysis: what a stone of one colour on one square could still become along the
// four line directions, and the threat squares around a four.
//
// Everything is measured in windows of five consecutive cells. For a square and a
// direction the analysis copies the 11 cells centred on the square (index 5 is the
// square, OFF_BOARD marks cells past the edge) and looks at the five windows that
// contain the square: cells 1-5, 2-6, 3-7, 4-8 and 5-9. A window is viable for a colour
// when it holds only empty cells and own stones, at least one own stone, and, under the
// exact-five rule, no own stone right before or after it (that would make six).

// The four line directions. The order is part of the interface: direction indices are
// stored in point_info::dir and compared later, and ties go to the lower index.
struct direction {
    int dx; // step of the first coordinate x
    int dy; // step of the second coordinate y
};
constexpr direction directions[4] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}};

constexpr int LINE_LEN = 11;
constexpr int OFF_BOARD = 2;

// What a stone of one colour on one (empty) square could make.
struct point_info {
    int count;   // largest own count in a viable window over all directions (0: none)
    int windows; // in the best direction, viable windows reaching `count`
    int threat;  // 3: two open-four lines, 2: two three lines, 1: two two lines, else 0
    int hits;    // 0 here; raised by mark_hits for squares on threat-square lists
    int dir;     // best direction, -1 when no direction has a viable window
};

// A candidate move: a square, the analysis of that square for one colour, and the
// search class of the move (3 completes five, -3 lost, +-2 and +-1 forcing, 0 quiet).
// It lives here because mark_hits re-tags move records; the move lists are in movegen.
struct move_rec {
    int x;
    int y;
    point_info info;
    int tag;
};

// Copies the 11 cells of square x,y along direction d into `line`, OFF_BOARD past the edge.
void line_window(const int *board, int x, int y, int d, int line[LINE_LEN]);

// Largest own count m (0..5) over the viable windows of `line`; *windows_out receives the
// number of viable windows holding m (0 when m is 0). Reads the exact-five rule.
int count_fives(const int line[LINE_LEN], int colour, int *windows_out);

// Classifies square x,y (on the board) for `colour` over all four directions.
point_info analyse_point(const int *board, int x, int y, int colour);

// ---- Line rows of a whole board -------------------------------------------------------
//
// The move generator analyses every empty square of one position for both colours. Instead
// of copying 11 cells per square and direction, it takes the bits of each square's lines
// out of one row word per board line, built once per position. Row words: bit p + 5 is the
// cell at position p along the row, so positions -5..dim+4 use bits 0..29 and the 11-cell
// line of the square at position p is bits p..p+10. Rows and positions per direction:
//   0 (1,0): row y,                 position x
//   1 (1,1): row x - y + MAX_DIM-1, position x
//   2 (0,1): row x,                 position y
//   3 (-1,1): row x + y,            position y
constexpr int LINE_ROWS = 2 * MAX_DIM - 1;
static_assert(MAX_DIM + 10 <= 32, "a row word holds a board line and five cells each side");

struct board_lines {
    unsigned stones[2][4][LINE_ROWS]; // [0]: colour +1, [1]: colour -1
    unsigned off[4][LINE_ROWS];       // cells past the edge of the dim x dim board
    // Bit y of near[x]: x,y is empty and a stone lies within four cells of it along one of
    // the four lines. Only such squares can have a viable window for either colour.
    unsigned near[MAX_DIM];
};

// Fills the rows and the near masks from `board` (shared dim). Only rows that hold board
// squares are set.
void build_board_lines(const int *board, board_lines &lines);

// analyse_point on the rows for both colours at once: the same figures, for the position
// the rows were built from, as analyse_point gives for +1 (plus) and -1 (minus).
void analyse_lines(const board_lines &lines, int x, int y, point_info &plus, point_info &minus);

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

// For every move whose square is listed in `squares`, raises hits once per listing and
// sets its tag: 0 when value is 0, otherwise the smaller in magnitude of flag and value
// (flag on equal magnitude).
void mark_hits(const square_list &squares, move_rec *moves, int move_count, int flag, int value);
