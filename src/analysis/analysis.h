#pragma once
#include <bit>
#include <cstdint>

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

// ---- Live analysis -----------------------------------------------------------------------
//
// The move generator wants every empty square of a position analysed for both colours, at
// every node of the search. A stone changes the figures of one line direction only, and
// only on the squares within five cells of it along that line, so the live analysis keeps
// the analyses of the last position it was brought to and, for the next one, redoes just
// the directions that a put or a taken stone touches. It also keeps the empty squares by
// rank, so the generator can read its lists off in rank order. Its state is its own; these
// procedures are all there is to it.

// Nothing mirrored, as at process start: the next sync rebuilds from an empty board.
void reset_live();

// Brings the live analysis to `board` (shared dim and five rules): every cell that differs
// from its position is applied as a put or a take; on the watched board only the cells
// noted since the last sync are compared (see board_watch). After a change of board side
// or rule it starts again from an empty board.
void sync_live(const int *board);

// The bytes the live analysis holds (its state, the rank sets and the cache of pattern
// figures), for the tree's memory budget.
long live_bytes();

// analyse_point of the empty square with cell index c of the position last synced: [0] for
// +1, [1] for -1. The table is the live analysis's own, shown read-only through this
// pointer; the reader is inline because the generator reads it for every square it files,
// some fifteen million times a bench, where a call cost about 1% of the instructions.
extern const point_info (*const live_info_table)[2];
inline const point_info *live_infos_at(int c) {
    return live_info_table[c];
}
inline const point_info *live_infos(int x, int y) {
    return live_infos_at(cell(x, y));
}
inline const point_info &live_point(int x, int y, int colour) {
    return live_infos(x, y)[colour_index(colour)];
}

// The candidate set: writes the cell indices of the empty squares where a stone of either
// colour could join a stone in a viable window (a count above 0 for +1 or -1) to `cells`,
// in scan order (x outer, y inner), and returns how many.
int live_candidates(int cells[BOARD_CELLS]);

// ---- Rank buckets ------------------------------------------------------------------------
//
// The rank of an analysis as one number: 0 for count 0, else count 1..4, threat 0..3 and
// windows 1..5 in that order of weight, 1..80. Analyses of empty squares (hits 0) with
// larger buckets rank first, and equal buckets rank equal.
constexpr int THREAT_CLASSES = 4; // threat 0..3
constexpr int MAX_WINDOWS = 5;    // windows 1..5
constexpr int COUNT_BUCKETS = THREAT_CLASSES * MAX_WINDOWS;
constexpr int RANK_BUCKETS = 1 + 4 * COUNT_BUCKETS;

// The lowest bucket of the analyses of count 1..4; count 5 would be the first past the end.
constexpr int count_bucket(int count) {
    return 1 + (count - 1) * COUNT_BUCKETS;
}
constexpr int rank_bucket(const point_info &p) {
    return p.count == 0 ? 0 : count_bucket(p.count) + p.threat * MAX_WINDOWS + p.windows - 1;
}

// The live analysis keeps the empty squares of the position last synced by rank bucket, per
// colour index k (0: +1, 1: -1); these read them from a rank down.

// How many squares colour index k's buckets from..to-1 hold.
int live_ranked_count(int k, int from, int to);

// The first cell in scan order among colour index k's buckets from `from` up, or -1.
int live_first_ranked(int k, int from);

// Colour index k's buckets as sets of cells in words of 64 bits, bit i of word w for cell
// index w * 64 + i, so the bits run in scan order: live_ranked_table[k][b] is bucket b.
// The table is the live analysis's own, shown read-only through this pointer.
constexpr int CELL_WORDS = (BOARD_CELLS + 63) / 64;
using bucket_sets = std::uint64_t[RANK_BUCKETS][CELL_WORDS];
extern const bucket_sets *const live_ranked_table;

// Which buckets of colour index k may hold a square, bit b % 64 of word b / 64 for bucket
// b: every one that does, and perhaps some emptied since. A bucket found empty is passed to
// live_forget_bucket, which clears its bit: moving a square between buckets sets a bit and
// tests nothing, as the moves far outnumber the reads.
constexpr int FILLED_WORDS = (RANK_BUCKETS + 63) / 64;
extern const std::uint64_t (*const live_filled_table)[FILLED_WORDS];
void live_forget_bucket(int k, int b);

// live_bucket_table[c][k]: the rank bucket of the square with cell index c of the position
// last synced, for colour index k (0: in none, as when the square holds a stone). Read-only.
extern const unsigned char (*const live_bucket_table)[2];

// Whether colour index k's bucket b holds no square.
inline bool live_bucket_empty(int k, int b) {
    std::uint64_t any = 0;
    for (int w = 0; w < CELL_WORDS; w++) any |= live_ranked_table[k][b][w];
    return any == 0;
}

// Calls f(b) for the non-empty buckets b of colour index k from the top down, until f
// returns false.
template <typename F> void live_each_bucket_down(int k, F f) {
    for (int half = FILLED_WORDS - 1; half >= 0; half--)
        for (std::uint64_t bits = live_filled_table[k][half]; bits != 0;) {
            const int top = 63 - std::countl_zero(bits), b = half * 64 + top;
            bits &= ~(std::uint64_t{1} << top);
            if (live_bucket_empty(k, b))
                live_forget_bucket(k, b);
            else if (!f(b))
                return;
        }
}

// Calls f(c) for the cells c of colour index k's bucket b, in scan order, until f returns
// false; returns false when it did. Inline: the generator reads the head of its lists this
// way at every node, where a call a word, a cell, or copying a bucket's cells cost several
// per cent of the search's time.
template <typename F> bool live_each_in_bucket(int k, int b, F f) {
    const std::uint64_t *set = live_ranked_table[k][b];
    for (int w = 0; w < CELL_WORDS; w++)
        for (std::uint64_t bits = set[w]; bits != 0; bits &= bits - 1)
            if (!f(w * 64 + std::countr_zero(bits))) return false;
    return true;
}

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

// ---- Renju's forbidden squares -------------------------------------------------------
//
// Under renju black (+1) must not put a stone where it would make an overline (six or more
// in a row), two fours at once (two on one line included) or two open threes at once,
// unless the stone makes exactly five. A three is open when one more stone turns it into a
// straight four and that stone's square is not itself forbidden: the check recurses, and
// where a few levels do not settle it the answer is "unsettled", which black treats as
// forbidden (a manager's referee may judge stricter than we do; a lost game costs more).
// Verdicts ordered from the best for black.
enum { RENJU_LEGAL = 0, RENJU_UNSETTLED = 1, RENJU_FORBIDDEN = 2 };

// The verdict on the empty square x,y for black on `board`.
int renju_verdict(const int *board, int x, int y);

// Whether black must not play the empty square x,y, given black's analysis of it: the
// verdict, with quick answers where the analysis rules out two threats and no line could
// become six.
bool renju_forbidden(const int *board, int x, int y, const point_info &black);
