#pragma once
// The deep mode's incremental board: the stones, the position key, and for every square and
// each colour the codes of its four lines, its kind and its score, all brought up to date by
// a put or a take for just the squares the stone can reach (five cells each way on the four
// lines), and the candidate squares near the stones.
#include <cstdint>

#include "analysis/renju.h"
#include "game/game.h"
#include "search/deep/patterns.h"

constexpr int NEAR_RADIUS = 2; // candidates lie at most this far from a stone, in both axes

struct deep_board {
    int dim;
    int stones;
    uint64_t key;           // Zobrist key of the stones (the side is not in it)
    int cells[BOARD_CELLS]; // as the shared board: 0, +1, -1
    // Line codes by direction and square, colour index 0's in the low half and 1's in the
    // high: one add moves both.
    uint32_t code[4][BOARD_CELLS];
    uint8_t line[2][4][BOARD_CELLS]; // their line classes
    uint16_t combo[2][BOARD_CELLS];  // combo_index of each empty square's four classes
    uint8_t kind[2][BOARD_CELLS];    // square_kind of each empty square (K_NONE on stones)
    int16_t score[2][BOARD_CELLS];   // score of each empty square (0 on stones)
    uint8_t suspect[BOARD_CELLS];    // renju: black's square may be forbidden
    uint8_t near[BOARD_CELLS];       // stones within NEAR_RADIUS
    int total[2];                    // sum of the scores of the empty squares
    int kind_count[2][SQUARE_KINDS]; // empty squares of each kind
    // Rows and columns that hold every stone (or more, after a take out of order); an
    // empty board has lo > hi.
    int lo_x, hi_x, lo_y, hi_y;
};
extern deep_board dboard;

// What a put changed, so that taking the same stone back restores it instead of working it
// out again: the line classes and the squares' kinds and scores before the put, and the
// totals and counts. Puts and takes nest, as the searches make them; a take out of that
// order works the board out again and forgets every frame.
constexpr int UNDO_LINES = 4 * 2 * LINE_SIDE; // squares on the four lines through a stone
constexpr int UNDO_SQUARES = UNDO_LINES + 1;  // those refreshed, and the stone's own
constexpr int UNDO_FRAMES = 512;
struct undo_frame {
    int cell;
    int lo_x, hi_x, lo_y, hi_y;
    int total[2];
    int kind_count[2][SQUARE_KINDS];
    int lines, squares;
    uint16_t line_at[UNDO_LINES]; // square * 4 + direction
    uint8_t line_was[UNDO_LINES][2];
    uint16_t square_at[UNDO_SQUARES];
    uint8_t kind_was[UNDO_SQUARES][2];
    int16_t score_was[UNDO_SQUARES][2];
    uint8_t suspect_was[UNDO_SQUARES];
};
struct board_undo {
    int frames; // frames in use
    undo_frame frame[UNDO_FRAMES];
};
extern board_undo dundo;

// Zobrist keys by colour index and square, filled by init_zobrist from a fixed seed.
extern uint64_t zobrist[2][BOARD_CELLS];
void init_zobrist();

// Index step of each line direction on the 20-wide board, in the shared order.
constexpr int dir_step[4] = {MAX_DIM, MAX_DIM + 1, 1, -MAX_DIM + 1};

// An empty dim x dim board; the pattern tables must be built for the rule in force.
void board_clear(int dim);

// board_clear, then every stone of `board` (the shared layout).
void board_load(const int *board, int dim);

// Puts a stone of `colour` on the empty square c, and takes it off again.
void board_put(int c, int colour);
void board_take(int c);

// The code of square c's line in direction d for colour index i, from the stones alone.
int scratch_code(int c, int d, int i);

// The code kept for square c's line in direction d and colour index i.
inline int board_code(int c, int d, int i) {
    return static_cast<int>(i == 0 ? dboard.code[d][c] & 0xFFFF : dboard.code[d][c] >> 16);
}

// The kind square t would have for colour index i were the empty square at offset k
// (-5..5, not 0) along its line d taken by the other colour: a look ahead without a put.
int kind_if_blocked(int t, int d, int k, int i);

// Whether square c lies on the board in use.
inline bool board_has(int c) {
    return c >= 0 && c < BOARD_CELLS && c / MAX_DIM < dboard.dim && c % MAX_DIM < dboard.dim;
}

// The square k steps from t along line direction d, -1 when that is off the board.
inline int line_square(int t, int d, int k) {
    const int x = t / MAX_DIM + k * directions[d].dx, y = t % MAX_DIM + k * directions[d].dy;
    return x < 0 || y < 0 || x >= dboard.dim || y >= dboard.dim ? -1 : cell(x, y);
}

// The candidate squares: empty and near a stone.
inline bool is_candidate(int c) {
    return dboard.cells[c] == 0 && dboard.near[c] > 0;
}

// The rectangle that holds every candidate square: the stones' rows and columns widened by
// NEAR_RADIUS, within the board. Scans over it meet the squares in the board's rising order.
struct square_box {
    int x0, x1, y0, y1;
};
inline square_box candidate_box() {
    if (dboard.lo_x > dboard.hi_x) return square_box{0, -1, 0, -1};
    const int m = dboard.dim - 1;
    auto clip = [m](int v) { return v < 0 ? 0 : v > m ? m : v; };
    return square_box{clip(dboard.lo_x - NEAR_RADIUS), clip(dboard.hi_x + NEAR_RADIUS),
                      clip(dboard.lo_y - NEAR_RADIUS), clip(dboard.hi_y + NEAR_RADIUS)};
}

// Whether a square of kind k makes a four (not yet a five).
inline bool makes_four(int k) {
    return k == K_FOUR || k == K_FOUR_THREE || k == K_FOUR_OPEN;
}

// Whether colour index i has a square that makes a four.
inline bool has_four_square(int i) {
    return dboard.kind_count[i][K_FOUR] + dboard.kind_count[i][K_FOUR_THREE] +
               dboard.kind_count[i][K_FOUR_OPEN] >
           0;
}
