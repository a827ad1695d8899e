// Point analysis: the windows of five through a square, for one colour.
#include "analysis/point.h"
#include "analysis/window.h"

void line_window(const int *board, int x, int y, int d, int line[LINE_LEN]) {
    for (int i = 0; i < LINE_LEN; i++) {
        int cx = x + (i - 5) * directions[d].dx;
        int cy = y + (i - 5) * directions[d].dy;
        line[i] = on_board(cx, cy) ? board[cell(cx, cy)] : OFF_BOARD;
    }
}

int count_fives(const int line[LINE_LEN], int colour, int *windows_out) {
    line_figures f = scan_line(bits_of_line(line, colour), exact_for(colour));
    *windows_out = f.c;
    return f.m;
}

point_info analyse_point(const int *board, int x, int y, int colour) {
    const bool exact = exact_for(colour);
    point_tally t = start_tally();
    for (int d = 0; d < 4; d++) {
        int line[LINE_LEN];
        line_window(board, x, y, d, line);
        line_figures f = scan_line(bits_of_line(line, colour), exact);
        tally_direction(t, d, f.m, f.c);
    }
    return finish_tally(t);
}
