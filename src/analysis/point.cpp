// Point analysis: the windows of five through a square, for one colour.
#include "analysis/analysis.h"
#include "analysis/window.h"

void line_window(const int *board, int x, int y, int d, int line[LINE_LEN]) {
    for (int i = 0; i < LINE_LEN; i++) {
        int cx = x + (i - 5) * directions[d].dx;
        int cy = y + (i - 5) * directions[d].dy;
        line[i] = on_board(cx, cy) ? board[cell(cx, cy)] : OFF_BOARD;
    }
}

int count_fives(const int line[LINE_LEN], int colour, int *windows_out) {
    line_figures f = scan_line(bits_of_line(line, colour), settings.exact_five != 0);
    *windows_out = f.c[0];
    return f.m[0];
}

point_info analyse_point(const int *board, int x, int y, int colour) {
    const bool exact = settings.exact_five != 0;
    point_tally t = start_tally();
    for (int d = 0; d < 4; d++) {
        int line[LINE_LEN];
        line_window(board, x, y, d, line);
        line_figures f = scan_line(bits_of_line(line, colour), exact);
        tally_direction(t, d, f.m[0], f.c[0]);
    }
    return finish_tally(t);
}

// ---- Line rows --------------------------------------------------------------------------

// Row and position of square x,y in direction d (see board_lines).
static inline int row_of(int d, int x, int y) {
    switch (d) {
    case 0:
        return y;
    case 1:
        return x - y + MAX_DIM - 1;
    case 2:
        return x;
    default:
        return x + y;
    }
}
static inline int pos_of(int d, int x, int y) {
    return d == 0 || d == 1 ? x : y;
}

// Bits of the on-board positions lo..hi of a row.
static inline unsigned span_bits(int lo, int hi) {
    return ((1u << (hi - lo + 1)) - 1) << (lo + 5);
}

// Spreads the stones of every column four cells along each line, with the columns (rows
// of direction 2, bit y + 5 for y) as 20-bit masks over y: a stone at x+k,y+j marks x,y
// for j = 0 (along x), j = k (diagonal) and j = -k (anti-diagonal).
static void mark_near_squares(board_lines &lines) {
    const int dim = game.dim;
    const unsigned on_board = (1u << dim) - 1;
    unsigned stones[MAX_DIM];
    for (int x = 0; x < dim; x++) stones[x] = (lines.stones[0][2][x] | lines.stones[1][2][x]) >> 5;
    for (int x = 0; x < dim; x++) {
        unsigned near = 0;
        for (int k = 1; k <= 4; k++) {
            near |= stones[x] << k | stones[x] >> k;
            if (x + k < dim) near |= stones[x + k] | stones[x + k] >> k | stones[x + k] << k;
            if (x - k >= 0) near |= stones[x - k] | stones[x - k] << k | stones[x - k] >> k;
        }
        unsigned occupied = (lines.stones[0][2][x] | lines.stones[1][2][x] | lines.off[2][x]) >> 5;
        lines.near[x] = near & ~occupied & on_board;
    }
}

void build_board_lines(const int *board, board_lines &lines) {
    const int dim = game.dim;
    // 1. Edges: every position of a row is off the board except its on-board span.
    for (int r = 0; r < dim; r++) {
        lines.off[0][r] = ~span_bits(0, dim - 1);
        lines.off[2][r] = ~span_bits(0, dim - 1);
    }
    for (int k = -(dim - 1); k <= dim - 1; k++) // x - y = k: x runs from max(0,k) to dim-1+min(0,k)
        lines.off[1][k + MAX_DIM - 1] = ~span_bits(k > 0 ? k : 0, k < 0 ? dim - 1 + k : dim - 1);
    for (int s = 0; s <= 2 * dim - 2; s++) // x + y = s: y runs from max(0,s-dim+1) to min(dim-1,s)
        lines.off[3][s] = ~span_bits(s > dim - 1 ? s - dim + 1 : 0, s < dim - 1 ? s : dim - 1);
    // 2. Stones.
    for (int c = 0; c < 2; c++)
        for (int d = 0; d < 4; d++)
            for (int r = 0; r < LINE_ROWS; r++) lines.stones[c][d][r] = 0;
    for (int x = 0; x < dim; x++) {
        for (int y = 0; y < dim; y++) {
            int v = board[cell(x, y)];
            if (v == 0) continue;
            // Any other value blocks both colours, as an off-board cell does.
            for (int d = 0; d < 4; d++) {
                unsigned bit = 1u << (pos_of(d, x, y) + 5);
                int r = row_of(d, x, y);
                if (v == 1 || v == -1)
                    lines.stones[v == 1 ? 0 : 1][d][r] |= bit;
                else
                    lines.off[d][r] |= bit;
            }
        }
    }
    mark_near_squares(lines);
}

void analyse_lines(const board_lines &lines, int x, int y, point_info &plus, point_info &minus) {
    const bool exact = settings.exact_five != 0;
    point_tally tp = start_tally(), tm = start_tally();
    for (int d = 0; d < 4; d++) {
        int r = row_of(d, x, y), p = pos_of(d, x, y);
        line_bits b;
        b.own = (lines.stones[0][d][r] >> p) & LINE_CELLS;
        b.other = (lines.stones[1][d][r] >> p) & LINE_CELLS;
        b.block = (lines.off[d][r] >> p) & LINE_CELLS;
        line_figures f = scan_line(b, exact);
        tally_direction(tp, d, f.m[0], f.c[0]);
        tally_direction(tm, d, f.m[1], f.c[1]);
    }
    plus = finish_tally(tp);
    minus = finish_tally(tm);
}
