// Threat squares: the empty squares on the other lines through a four square that share a
// viable window with stones of the same colour.
#include <bit>
#include <initializer_list>

#include "analysis/point.h"
#include "analysis/threats.h"
#include "analysis/window.h"

// Only three windows mark squares: W2 (cells 2-6) marks the three cells before the square
// and the one after it, within three cells of W2's last own stone; W3 (3-7) and W4 (4-8)
// mark the cells two and three after the square, and only when they hold an own stone
// beyond their first cell.
int threat_mask(const int line[LINE_LEN], int colour) {
    const line_bits b = bits_of_line(line, colour);
    const unsigned viable = viable_windows(b.own, b.other, b.block, exact_for(colour));
    int mask = 0;
    // 1. W2: L is its last own stone; it is not the square, which is empty or unmarked.
    if (viable & 1u << 2) {
        int last = std::bit_width(b.own & (FIVE_CELLS << 2)) - 1;
        for (int j : {2, 3, 4, 6})
            if (line[j] == 0 && (j > last ? j - last : last - j) <= 3) mask |= 1 << j;
    }
    // 2. W3: needs an own stone on cells 4-7.
    if ((viable & 1u << 3) && (b.own & (0xFu << 4)) != 0 && line[7] == 0) mask |= 1 << 7;
    // 3. W4: needs an own stone on cells 5-8.
    if ((viable & 1u << 4) && (b.own & (0xFu << 5)) != 0 && line[8] == 0) mask |= 1 << 8;
    return mask;
}

void threat_squares(const int *board, int x, int y, int colour, square_list &squares,
                    int skip_dir) {
    for (int d = 0; d < 4; d++) {
        if (d == skip_dir) continue;
        int line[LINE_LEN];
        line_window(board, x, y, d, line);
        int mask = threat_mask(line, colour);
        for (int j = 2; j <= 8; j++)
            if (mask & (1 << j))
                uloz_tah_t(x + (j - 5) * directions[d].dx, y + (j - 5) * directions[d].dy, squares);
    }
}

int uloz_tah_t(int x, int y, square_list &squares) {
    if (squares.n >= MAX_SQUARES) fatal("uloz_tah_t: preteceni ts, n=%d", squares.n);
    squares.sq[squares.n][0] = x;
    squares.sq[squares.n][1] = y;
    squares.n++;
    return 0;
}
