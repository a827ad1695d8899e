#pragma once
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
// only on the squares within five cells of it along that line (a window's outer neighbours
// lie five cells out), so the live state keeps the analysis of the last position it was
// brought to and, for the next one, redoes just the directions that a put or a taken stone
// touches. Its line rows hold the stones as bits: bit p + 5 of a row word is the cell at
// position p along the row, so positions -5..dim+4 use bits 0..29 and the 11-cell line of
// the square at position p is bits p..p+10. Rows and positions per direction:
//   0 (1,0): row y,                 position x
//   1 (1,1): row x - y + MAX_DIM-1, position x
//   2 (0,1): row x,                 position y
//   3 (-1,1): row x + y,            position y
constexpr int LINE_ROWS = 2 * MAX_DIM - 1;
static_assert(MAX_DIM + 10 <= 32, "a row word holds a board line and five cells each side");

// The rank of an analysis as one number: 0 for count 0, else count 1..4, threat 0..3 and
// windows 1..5 in that order of weight, 1..80. Analyses of empty squares (hits 0) with
// larger buckets rank first, and equal buckets rank equal.
constexpr int RANK_BUCKETS = 81;
inline int rank_bucket(const point_info &p) {
    return p.count == 0 ? 0 : 1 + (p.count - 1) * 20 + p.threat * 5 + p.windows - 1;
}

constexpr int RANKED_WORDS = (BOARD_CELLS + 63) / 64;

struct live_state {
    int dim;                          // board side the state was built for; -1: nothing yet
    int exact[2];                     // five rule it was built under: exact_for(+1), (-1)
    int board[BOARD_CELLS];           // the position it describes (dim x dim cells)
    unsigned stones[2][4][LINE_ROWS]; // [0]: colour +1, [1]: colour -1
    unsigned off[4][LINE_ROWS];       // cells past the edge, and any cell value but 0, +1, -1
    // Per empty square and direction, each colour's pattern index, kept current by the
    // digit a put or take changes, and the packed figures it looks up.
    int pattern[BOARD_CELLS][4][2];
    unsigned char figures[BOARD_CELLS][2][4]; // per square, colour (+1, -1) and direction
    unsigned char windowed[BOARD_CELLS];      // bit d: direction d has figures above 0
    point_info info[BOARD_CELLS][2];          // analyse_point of each empty square, +1 and -1
    unsigned char bucket[BOARD_CELLS][2];     // rank_bucket of each info
    watch_mark mark;                          // its last sync, against the board watch
    // Sets of cells as bits, bit c % 64 of word c / 64 for cell index c, in scan order.
    // candidates: the square is empty and a stone of either colour could join a stone in a
    // viable window there (a count above 0 for +1 or -1).
    std::uint64_t candidates[RANKED_WORDS];
    // stale[k]: the figures of the square for colour index k changed since that info was
    // classified; the sync classifies it once at its end, however often it changed.
    std::uint64_t stale[2][RANKED_WORDS];
    // The empty squares by rank, per colour: bit c % 64 of word c / 64 of ranked[k][b] is
    // set when the square with cell index c has bucket b for colour index k (b above 0).
    // Cell order is scan order, x outer and y inner.
    std::uint64_t ranked[2][RANK_BUCKETS][RANKED_WORDS];
    int ranked_size[2][RANK_BUCKETS];
    unsigned ranked_words[2][RANK_BUCKETS]; // bit w: word w of the bucket's set is not 0
    std::uint64_t filled[2][2]; // bit b % 64 of [k][b / 64]: bucket b of colour k not empty
};
extern live_state live;

// The bytes the live analysis holds, its state and the cache of pattern figures, for the
// tree's memory budget.
extern const long LIVE_BYTES;

// Nothing mirrored, as at process start: the next sync rebuilds from an empty board.
void reset_live();

// Brings the live state to `board` (shared dim and five rules): every cell that differs
// from the state's position is applied as a put or a take; on the watched board only the
// cells noted since the last sync are compared (see board_watch). After a change of board
// side or rule it starts again from an empty board.
void sync_live(const int *board);

// Whether the square with cell index c is in the live state's candidate set.
inline bool live_candidate(int c) {
    return (live.candidates[c >> 6] >> (c & 63) & 1) != 0;
}

// analyse_point of the empty square x,y of the position the live state was last brought
// to: [0] for +1, [1] for -1.
inline const point_info *live_infos(int x, int y) {
    return live.info[cell(x, y)];
}

inline const point_info &live_point(int x, int y, int colour) {
    return live_infos(x, y)[colour == 1 ? 0 : 1];
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
