#pragma once
// Private to line analysis: what the live analysis looks up by a line's pattern. Every
// table here is a pure function of the pattern, filled by calling the window scan and the
// tally rules of window.h on every entry, so a table and the rule it stands for cannot
// disagree.
//
// A pattern describes one colour's 11-cell line: cells 1-9 as base-3 digits (0 empty, 1 own,
// 2 blocked: a stone of the other colour, or off the board) and whether cells 0 and 10 hold
// own stones (they matter only as a window's outer neighbours under the exact-five rule).
#include "analysis/point.h"
#include "analysis/ranks.h"

constexpr int INNER_PATTERNS = 19683; // 3^9
constexpr int LINE_PATTERNS = INNER_PATTERNS * 4;

// Base-3 value of the digits given by 9 bits: ternary.v[b] = sum of 3^i over the set bits i.
struct ternary_table {
    int v[512];
};
extern const ternary_table ternary;

// Pattern index of a line held as bits (bit i: line cell i) for the colour of `own`;
// `blocked` holds the other colour's stones and the cells off the board.
inline int pattern_of(unsigned own, unsigned blocked) {
    return ternary.v[own >> 1 & 0x1FF] + 2 * ternary.v[blocked >> 1 & 0x1FF] +
           INNER_PATTERNS * static_cast<int>((own & 1) | (own >> 9 & 2));
}

// The packed figures of every pattern under each five rule, worked out the first time the
// pattern is met: a search meets a few thousand of the 157,464, and working them all out at
// once would take longer than the first speed measurement of a game. Entries hold the
// figures plus one, so the initial zeros mean "not yet" and need no setting up; nothing
// resets the cache, since its entries depend on nothing.
struct figures_cache {
    unsigned char f[2][LINE_PATTERNS]; // [exact_five][pattern]
};
extern figures_cache pattern_figures;

// Packed figures of pattern k under the rule `exact`, from the window scan; fills the cache.
unsigned char work_out_figures(int exact, int k);

// Packed figures of pattern k under the rule `exact` (1: exactly five wins). Inline: the
// live analysis looks up every square a change reaches.
inline unsigned char figures_of(int exact, int k) {
    const unsigned char f = pattern_figures.f[exact][k];
    return f != 0 ? static_cast<unsigned char>(f - 1) : work_out_figures(exact, k);
}

// line_tally of every packed figures, and threat_class of every summed tally.
struct tally_table {
    int v[256];
};
struct threat_table {
    int v[512];
};
extern const tally_table line_tallies;
extern const threat_table threat_classes;

// A square's analysis from its four directions' packed figures: the best direction is the
// one that leads (line_leads), and two lines of a kind make the threat class. Each figure
// carries 3 - d in two low bits, so the largest tagged value is the leader, the earlier
// direction on a tie; the four compete in pairs and the tallies add in pairs, which keeps
// the chains of dependent steps short (a square is classified some sixty million times a
// bench).
inline point_info classify(const unsigned char figures[4]) {
    const int t0 = figures[0] << 2 | 3, t1 = figures[1] << 2 | 2, t2 = figures[2] << 2 | 1,
              t3 = figures[3] << 2;
    const int a = t0 > t1 ? t0 : t1, b = t2 > t3 ? t2 : t3, top = a > b ? a : b;
    const int best = top >> 2;
    const int sum = (line_tallies.v[figures[0]] + line_tallies.v[figures[1]]) +
                    (line_tallies.v[figures[2]] + line_tallies.v[figures[3]]);
    // without a viable window top is 3 (direction 0), and the direction is -1
    return point_info{best >> 4, best & 15, threat_classes.v[sum], 0,
                      3 - (top & 3) - static_cast<int>(best == 0)};
}

// rank_bucket of the analysis with packed figures f (count f >> 4, windows f & 15) and
// threat class t, for the live analysis, which files a square at every change of its
// figures: a lookup, where the bucket's formula branches on a count of 0.
struct bucket_table {
    unsigned char v[256][THREAT_CLASSES];
};
extern const bucket_table figure_buckets;

// How a pattern index changes with one cell of its line. Cell values come in four kinds:
// 0 empty, 1 the stone +1, 2 the stone -1, 3 any other value, which blocks both colours.
constexpr int VALUE_KINDS = 4;
inline int value_kind(int v) {
    return v == 0 ? 0 : v == 1 ? 1 : v == -1 ? 2 : 3;
}

// deltas.v[old][now][k][i]: what colour index k's pattern index of a square gains when the
// cell at index i of its line goes from a value of kind `old` to one of kind `now`.
struct delta_table {
    int v[VALUE_KINDS][VALUE_KINDS][2][LINE_LEN];
};
extern const delta_table deltas;
