#pragma once
// Private to line analysis: the window scan and the threat-class rules shared by
// count_fives, analyse_point, threat_mask and the pattern tables of the live analysis. An
// 11-cell line is held as bit masks over its cell indices (bit i = line cell i): the stones
// of the colour analysed, the stones of the other colour, and the cells that block both
// (off the board). Every routine that looks at windows or classifies a square goes through
// these few functions, so they cannot disagree.
#include <bit>

#include "analysis/point.h"

constexpr unsigned FIVE_CELLS = 0x1F;
constexpr unsigned LINE_CELLS = (1u << LINE_LEN) - 1;
constexpr unsigned WINDOW_SPAN = 0x3FE; // cells 1..9, all that the five windows cover

struct line_bits {
    unsigned own;   // stones of the colour analysed
    unsigned other; // stones of the other colour
    unsigned block; // off-board cells (and any other value), which block both colours
};

inline line_bits bits_of_line(const int line[LINE_LEN], int colour) {
    line_bits b{0, 0, 0};
    for (int i = 0; i < LINE_LEN; i++) {
        if (line[i] == colour)
            b.own |= 1u << i;
        else if (line[i] == -colour)
            b.other |= 1u << i;
        else if (line[i] != 0)
            b.block |= 1u << i;
    }
    return b;
}

// Stones in five cells, by their bits.
constexpr int five_count[32] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4,
                                1, 2, 2, 3, 2, 3, 3, 4, 2, 3, 3, 4, 3, 4, 4, 5};

// Best window figures of a line for the colour of `own`: m the largest stone count among
// its viable windows, c how many of them reach it (both 0 without a viable window).
struct line_figures {
    int m;
    int c;
};

// Window s covers cells s..s+4 (s = 1..5); sets of windows are masks with bit s for
// window s. Bit s set when window s holds a cell of `cells`:
inline unsigned windows_touching(unsigned cells) {
    return (cells | cells >> 1 | cells >> 2 | cells >> 3 | cells >> 4) & (FIVE_CELLS << 1);
}

// The windows viable for the colour of `own`: they hold an own stone and neither a stone of
// `other` nor a blocking cell, and under the exact-five rule no own stone lies on their
// edges, cells s-1 and s+5 (that would make six).
inline unsigned viable_windows(unsigned own, unsigned other, unsigned block, bool exact) {
    unsigned v = windows_touching(own) & ~windows_touching(other | block);
    if (exact) v &= ~(own << 1 | own >> 5);
    return v;
}

// Largest stone count m among the windows in `viable` and how many reach it.
inline void best_windows(unsigned viable, unsigned stones, int *m, int *c) {
    for (; viable != 0; viable &= viable - 1) {
        const int s = std::countr_zero(viable);
        const int n = five_count[(stones >> s) & FIVE_CELLS];
        if (n > *m) {
            *m = n;
            *c = 1;
        } else if (n == *m) {
            (*c)++;
        }
    }
}

// The window figures of count_fives for the colour of `own`; `exact`: whether that colour
// wins only with exactly five.
inline line_figures scan_line(const line_bits &b, bool exact) {
    line_figures f{0, 0};
    if ((b.own & WINDOW_SPAN) == 0) return f;
    best_windows(viable_windows(b.own, b.other, b.block, exact), b.own, &f.m, &f.c);
    return f;
}

// What one line adds to its square's threat class, by the line's figures (m, c): bit 0 an
// open-four line, bit 3 a four or open-three line, bit 6 a line with at least a two that
// has room. Summed over the four directions each 3-bit field counts its lines (at most 4).
constexpr int line_tally(int m, int c) {
    if (m == 0) return 0;
    return (m == 3 && c >= 2) | (m == 3 || (m == 2 && c >= 2)) << 3 | (m >= 2 || c >= 2) << 6;
}

// The threat class of a square from its summed line tallies: 3 for two open-four lines, 2
// for two four or open-three lines, 1 for two lines with room, else 0.
constexpr int threat_class(int tally) {
    return (tally & 7) >= 2 ? 3 : (tally >> 3 & 7) >= 2 ? 2 : (tally >> 6 & 7) >= 2 ? 1 : 0;
}

// Running classification of one square over its four directions, fed in direction order.
struct point_tally {
    point_info best;
    int tally; // sum of line_tally over the directions so far
};

inline point_tally start_tally() {
    return point_tally{{0, 0, 0, 0, -1}, 0};
}

inline void tally_direction(point_tally &t, int d, int m, int c) {
    if (m == 0) return;
    if (line_leads(packed_figures(m, c), packed_figures(t.best.count, t.best.windows))) {
        t.best.count = m;
        t.best.windows = c;
        t.best.dir = d;
    }
    t.tally += line_tally(m, c);
}

inline point_info finish_tally(const point_tally &t) {
    point_info p = t.best;
    p.threat = threat_class(t.tally);
    p.hits = 0;
    return p;
}
