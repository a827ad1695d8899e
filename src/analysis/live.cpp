// Live analysis: the point analysis of every square for both colours, kept current from
// position to position by redoing only what a changed stone can reach.
#include <bit>
#include <cstdint>
#include <cstring>

#include "analysis/live.h"
#include "analysis/patterns.h"
#include "analysis/point.h"
#include "analysis/ranks.h"
#include "analysis/window.h"

namespace {

// The line rows hold the stones as bits: bit p + 5 of a row word is the cell at position p
// along the row, so positions -5..dim+4 use bits 0..29 and the 11-cell line of the square
// at position p is bits p..p+10. Rows and positions per direction:
//   0 (1,0): row y,                 position x
//   1 (1,1): row x - y + MAX_DIM-1, position x
//   2 (0,1): row x,                 position y
//   3 (-1,1): row x + y,            position y
constexpr int LINE_ROWS = 2 * MAX_DIM - 1;
static_assert(MAX_DIM + 10 <= 32, "a row word holds a board line and five cells each side");

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
    point_info info[BOARD_CELLS][2];          // analyse_point of each empty square, +1 and -1
    unsigned char bucket[BOARD_CELLS][2];     // rank bucket of each info (0: none, or taken)
    watch_mark mark;                          // its last sync, against the board watch
    // stale[k]: the figures of the square for colour index k changed since that info was
    // classified; the sync classifies it once at its end, however often it changed. A set
    // of cells as bits, bit c % 64 of word c / 64 for cell index c.
    std::uint64_t stale[2][CELL_WORDS];
};
live_state live;

// Row and position of square x,y in direction d (see LINE_ROWS).
int row_of(int d, int x, int y) {
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
int pos_of(int d, int x, int y) {
    return d == 0 || d == 1 ? x : y;
}

// Bits of the on-board positions lo..hi of a row.
unsigned span_bits(int lo, int hi) {
    return ((1u << (hi - lo + 1)) - 1) << (lo + 5);
}

// Pattern indices of direction d of square x,y for both colours, from the rows.
void index_from_rows(int x, int y, int d) {
    const int r = row_of(d, x, y), p = pos_of(d, x, y);
    const unsigned plus = live.stones[0][d][r] >> p & LINE_CELLS,
                   minus = live.stones[1][d][r] >> p & LINE_CELLS,
                   off = live.off[d][r] >> p & LINE_CELLS;
    live.pattern[cell(x, y)][d][0] = pattern_of(plus, minus | off);
    live.pattern[cell(x, y)][d][1] = pattern_of(minus, plus | off);
}

// An empty board of the shared side and rule: every position of a row is off the board
// except its on-board span; no figures, no candidates.
void restart() {
    const int dim = game.dim;
    live.dim = dim;
    live.exact[0] = exact_for(1);
    live.exact[1] = exact_for(-1);
    for (int d = 0; d < 4; d++)
        for (int r = 0; r < LINE_ROWS; r++) {
            live.stones[0][d][r] = live.stones[1][d][r] = 0;
            live.off[d][r] = ~0u;
        }
    for (int r = 0; r < dim; r++) {
        live.off[0][r] = ~span_bits(0, dim - 1);
        live.off[2][r] = ~span_bits(0, dim - 1);
    }
    for (int k = -(dim - 1); k <= dim - 1; k++) // x - y = k: x runs from max(0,k) to dim-1+min(0,k)
        live.off[1][k + MAX_DIM - 1] = ~span_bits(k > 0 ? k : 0, k < 0 ? dim - 1 + k : dim - 1);
    for (int s = 0; s <= 2 * dim - 2; s++) // x + y = s: y runs from max(0,s-dim+1) to min(dim-1,s)
        live.off[3][s] = ~span_bits(s > dim - 1 ? s - dim + 1 : 0, s < dim - 1 ? s : dim - 1);
    for (int c = 0; c < BOARD_CELLS; c++) {
        live.board[c] = 0;
        for (int d = 0; d < 4; d++) live.figures[c][0][d] = live.figures[c][1][d] = 0;
        live.info[c][0] = live.info[c][1] = NO_POINT;
        live.bucket[c][0] = live.bucket[c][1] = 0;
    }
    for (int w = 0; w < CELL_WORDS; w++) live.stale[0][w] = live.stale[1][w] = 0;
    for (int x = 0; x < dim; x++)
        for (int y = 0; y < dim; y++)
            for (int d = 0; d < 4; d++) index_from_rows(x, y, d);
    reset_ranks();
}

// The packed figures of direction d of cell c looked up again from its pattern indices,
// each colour under its own five rule; returns which colours' figures changed (bit k:
// colour index k).
int refigure(int c, int d) {
    const unsigned char f0 = figures_of(live.exact[0], live.pattern[c][d][0]);
    const unsigned char f1 = figures_of(live.exact[1], live.pattern[c][d][1]);
    unsigned char(&figures)[2][4] = live.figures[c];
    const int changed = (figures[0][d] != f0) | (figures[1][d] != f1) << 1;
    // stored whether they changed or not: stores are cheaper than mispredicted branches
    figures[0][d] = f0;
    figures[1][d] = f1;
    return changed;
}

// Direction d of every empty square within five cells of x,y along it, after the cell x,y
// changed to `now`: the pattern indices moved by `delta`, new figures,
// and the squares touched where they changed. A square off x,y lies on this one line
// through x,y, so no other direction of it changed. Squares holding a stone are passed
// over: when the stone is taken, its four directions are rebuilt from the rows.
void refresh_line(int x, int y, int d, int now, const int (&delta)[2][LINE_LEN]) {
    const int step = cell(directions[d].dx, directions[d].dy);
    const int r = row_of(d, x, y), centre = pos_of(d, x, y);
    const unsigned occupied = live.stones[0][d][r] | live.stones[1][d][r] | live.off[d][r];
    if (now == 0) {
        index_from_rows(x, y, d);
        refigure(cell(x, y), d);
    }
    // Line cell i is the square k = i - 5 cells along: the empty ones on the board.
    for (unsigned cells = ~(occupied >> centre) & LINE_CELLS & ~(1u << 5); cells != 0;
         cells &= cells - 1) {
        const int i = std::countr_zero(cells), k = i - 5, c = cell(x, y) + k * step;
        live.pattern[c][d][0] += delta[0][10 - i];
        live.pattern[c][d][1] += delta[1][10 - i];
        // The stale bits are written whether the figures changed or not, without a branch.
        const int changed = refigure(c, d);
        const std::uint64_t bit = std::uint64_t{1} << (c & 63);
        const int w = c >> 6;
        live.stale[0][w] |= (changed & 1) != 0 ? bit : 0;
        live.stale[1][w] |= (changed & 2) != 0 ? bit : 0;
    }
}

// Puts value v (0 takes the stone) on x,y: its bit in the four rows, then the lines it
// reaches, then the square itself.
void change_cell(int x, int y, int v) {
    const int old = live.board[cell(x, y)];
    live.board[cell(x, y)] = v;
    for (int d = 0; d < 4; d++) {
        const int r = row_of(d, x, y);
        const unsigned bit = 1u << (pos_of(d, x, y) + 5);
        live.stones[0][d][r] &= ~bit;
        live.stones[1][d][r] &= ~bit;
        live.off[d][r] &= ~bit;
        if (v == 1)
            live.stones[0][d][r] |= bit;
        else if (v == -1)
            live.stones[1][d][r] |= bit;
        else if (v != 0)
            live.off[d][r] |= bit; // any other value blocks both colours
    }
    // by the cell's index in the line of the square it changes
    const int(&delta)[2][LINE_LEN] = deltas.v[value_kind(old)][value_kind(v)];
    for (int d = 0; d < 4; d++) refresh_line(x, y, d, v, delta);
    const std::uint64_t bit = std::uint64_t{1} << (cell(x, y) & 63); // its bucket changes
    live.stale[0][cell(x, y) >> 6] |= bit;
    live.stale[1][cell(x, y) >> 6] |= bit;
}

// The analysis of the square with cell index c for colour index k classified again, and
// filed under its bucket while the square is empty.
void reclassify(int c, int k) {
    const point_info p = classify(live.figures[c][k]);
    // Field by field: as one assignment the compiler gathered the fields on the stack and
    // copied them in one wide load, which waited on the narrow stores before it.
    point_info &slot = live.info[c][k];
    slot.count = p.count;
    slot.windows = p.windows;
    slot.threat = p.threat;
    slot.hits = p.hits;
    slot.dir = p.dir;
    const int b =
        live.board[c] == 0 ? figure_buckets.v[packed_figures(p.count, p.windows)][p.threat] : 0;
    move_rank(c, k, live.bucket[c][k], b); // from a bucket to itself: no change
    live.bucket[c][k] = static_cast<unsigned char>(b);
}

} // namespace

void reset_live() {
    // The next sync starts afresh whatever the board (a side of 0 too, before any START);
    // the patterns worked out stay: they depend on nothing.
    live.dim = -1;
    live.exact[0] = live.exact[1] = 0;
    live.mark = void_mark();
}

void sync_live(const int *board) {
    bool noted_only = noted_since(live.mark, board);
    if (live.dim != game.dim || live.exact[0] != exact_for(1) || live.exact[1] != exact_for(-1)) {
        restart();
        noted_only = false;
    }
    const int dim = live.dim;
    if (noted_only) { // the final state does not depend on the order of the changes
        for (unsigned i = live.mark.seen; i != watch.noted; i++) {
            const int c = watch.ring[i % WATCH_RING];
            if (board[c] != live.board[c]) change_cell(c / MAX_DIM, c % MAX_DIM, board[c]);
        }
    } else {
        for (int x = 0; x < dim; x++) {
            const int *row = board + cell(x, 0), *mirror = live.board + cell(x, 0);
            if (std::memcmp(row, mirror, sizeof(int) * static_cast<unsigned>(dim)) == 0) continue;
            for (int y = 0; y < dim; y++)
                if (row[y] != mirror[y]) change_cell(x, y, row[y]);
        }
    }
    live.mark = mark_of_visit(board);
    for (int k = 0; k < 2; k++)
        for (int w = 0; w < CELL_WORDS; w++) {
            for (std::uint64_t bits = live.stale[k][w]; bits != 0; bits &= bits - 1)
                reclassify(w * 64 + std::countr_zero(bits), k);
            live.stale[k][w] = 0;
        }
}

long live_bytes() {
    return static_cast<long>(sizeof(live_state) + sizeof(figures_cache) + sizeof(rank_sets));
}

const point_info (*const live_info_table)[2] = live.info;
const unsigned char (*const live_bucket_table)[2] = live.bucket;

// Worked out when asked, near the root only: keeping the set current cost every square a
// change reaches two more writes.
int live_candidates(int cells[BOARD_CELLS]) {
    int n = 0;
    for (int x = 0; x < live.dim; x++)
        for (int c = cell(x, 0); c < cell(x, live.dim); c++) {
            std::uint64_t figures;
            std::memcpy(&figures, live.figures[c], sizeof figures);
            if (live.board[c] == 0 && figures != 0) cells[n++] = c;
        }
    return n;
}
