#pragma once
#include "game/game.h"

// Point analysis: what a stone of one colour on one square could still become along the
// four line directions.
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

// The analysis of a square where the colour has no viable window, or may not play.
constexpr point_info NO_POINT = {0, 0, 0, 0, -1};

// What a stone of the analysed colour on an empty square makes, by its point_info: `count`
// is the number of own stones it joins in one window, `windows` how many windows reach
// that count on its best line, `threat` whether it threatens on two lines at once.
inline bool makes_five(const point_info &p) {
    return p.count == 4;
}
inline bool makes_four(const point_info &p) {
    return p.count == 3;
}
inline bool makes_open_four(const point_info &p) {
    return p.count == 3 && p.windows >= 2;
}
inline bool makes_simple_four(const point_info &p) {
    return p.count == 3 && p.windows == 1;
}
inline bool makes_open_three(const point_info &p) {
    return p.count == 2 && p.windows >= 2;
}
inline bool makes_double_threat(const point_info &p) {
    return p.threat == 2;
}
inline bool makes_double_open_four(const point_info &p) {
    return p.threat == 3;
}

// A line's figures, its largest own count m among the viable windows and the number c of
// windows reaching it, as one number m << 4 | c (c is at most 5).
constexpr int packed_figures(int m, int c) {
    return m << 4 | c;
}

// The one rule for a square's best line: a line takes the lead from the best so far only with
// larger packed figures (more count, or equal count and more windows), so on a tie the
// earlier direction keeps it.
constexpr bool line_leads(int figures, int best) {
    return figures > best;
}

// Copies the 11 cells of square x,y along direction d into `line`, OFF_BOARD past the edge.
void line_window(const int *board, int x, int y, int d, int line[LINE_LEN]);

// Largest own count m (0..5) over the viable windows of `line`; *windows_out receives the
// number of viable windows holding m (0 when m is 0). Reads the exact-five rule.
int count_fives(const int line[LINE_LEN], int colour, int *windows_out);

// Classifies square x,y (on the board) for `colour` over all four directions.
point_info analyse_point(const int *board, int x, int y, int colour);
