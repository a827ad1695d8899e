#pragma once
// Private to line analysis: the window scan shared by count_fives, analyse_point, the
// board-wide line rows and threat_mask. An 11-cell line is held as two bit masks over its
// cell indices (bit i = line cell i): the colour's own stones, and the cells that block a
// window for it (the other colour's stones and off-board cells). Every routine that looks
// at windows goes through these few functions, so they cannot disagree.
#include <bit>

#include "analysis/analysis.h"

constexpr unsigned FIVE_CELLS = 0x1F;
constexpr unsigned LINE_CELLS = (1u << LINE_LEN) - 1;

struct line_bits {
    unsigned own;   // own stones
    unsigned block; // other stones and off-board cells
};

inline line_bits bits_of_line(const int line[LINE_LEN], int colour) {
    line_bits b{0, 0};
    for (int i = 0; i < LINE_LEN; i++) {
        if (line[i] == colour)
            b.own |= 1u << i;
        else if (line[i] != 0)
            b.block |= 1u << i;
    }
    return b;
}

// Window s covers cells s..s+4 (s = 1..5). Viable: nothing blocks it, it holds an own stone,
// and under the exact-five rule no own stone touches it from outside (that would make six).
inline bool window_viable(line_bits b, int s, bool exact) {
    unsigned w = FIVE_CELLS << s;
    if ((b.block & w) != 0 || (b.own & w) == 0) return false;
    return !exact || (b.own & ((1u << (s - 1)) | (1u << (s + 5)))) == 0;
}

// Largest own count m over the viable windows and, in *windows, how many windows reach it.
inline int scan_windows(line_bits b, bool exact, int *windows) {
    int m = 0, c = 0;
    for (int s = 1; s <= 5; s++) {
        if (!window_viable(b, s, exact)) continue;
        int k = std::popcount(b.own & (FIVE_CELLS << s));
        if (k > m) {
            m = k;
            c = 1;
        } else if (k == m) {
            c++;
        }
    }
    *windows = c;
    return m;
}

// Running classification of one square over its four directions, fed in direction order.
struct point_tally {
    point_info best;
    int open_four_dirs; // a stone here makes an open four on this line
    int three_dirs;     // a four, or an open three
    int two_dirs;       // anything with room, beyond a lone stone in one window
};

inline point_tally start_tally() {
    return point_tally{{0, 0, 0, 0, -1}, 0, 0, 0};
}

inline void tally_direction(point_tally &t, int d, int m, int c) {
    if (m == 0) return;
    // Strictly better figures only: on a tie the earlier direction keeps the lead.
    if (m > t.best.count || (m == t.best.count && c > t.best.windows)) {
        t.best.count = m;
        t.best.windows = c;
        t.best.dir = d;
    }
    if (m == 3 && c >= 2) t.open_four_dirs++;
    if (m == 3 || (m == 2 && c >= 2)) t.three_dirs++;
    if (m >= 2 || c >= 2) t.two_dirs++;
}

inline point_info finish_tally(const point_tally &t) {
    point_info p = t.best;
    p.threat = t.open_four_dirs >= 2 ? 3 : t.three_dirs >= 2 ? 2 : t.two_dirs >= 2 ? 1 : 0;
    p.hits = 0;
    return p;
}
