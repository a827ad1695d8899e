// Incremental upkeep of the deep mode's board.
#include "search/deep/board.h"

#include <algorithm>
#include <cstring>

deep_board dboard;
board_undo dundo;
uint64_t zobrist[2][BOARD_CELLS];

namespace {

constexpr int pow3[2 * LINE_SIDE] = {1, 3, 9, 27, 81, 243, 729, 2187, 6561, 19683};

// Position of offset o (-5..-1, 1..5) in a code.
constexpr int slot(int o) {
    return o < 0 ? LINE_SIDE + o : LINE_SIDE - 1 + o;
}

// What one class moves a combo_index by, by direction.
constexpr int combo_weight[4] = {combo_index(1, 0, 0, 0), combo_index(0, 1, 0, 0),
                                 combo_index(0, 0, 1, 0), combo_index(0, 0, 0, 1)};

// What a stone of colour index i adds to the packed codes of a square that sees it at slot
// position s: own for its colour, blocked for the other.
constexpr uint32_t stone_code(int i, int s) {
    const uint32_t p = static_cast<uint32_t>(pow3[s]);
    return i == 0 ? CODE_OWN * p + (CODE_BLOCKED * p << 16)
                  : CODE_BLOCKED * p + (CODE_OWN * p << 16);
}

bool on(int x, int y) {
    return x >= 0 && x < dboard.dim && y >= 0 && y < dboard.dim;
}

uint64_t splitmix64(uint64_t &state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// The kind and score of square c for the colours in `colours` (bit i for colour index i) from
// its line classes, and the totals and counts moved by the change.
void refresh(int c, int colours, undo_frame *f) {
    if (f != nullptr) {
        const int n = f->squares++;
        f->square_at[n] = static_cast<uint16_t>(c);
        for (int i = 0; i < 2; i++) {
            f->kind_was[n][i] = dboard.kind[i][c];
            f->score_was[n][i] = dboard.score[i][c];
        }
        f->suspect_was[n] = dboard.suspect[c];
    }
    const bool renju = settings.renju != 0;
    for (int i = 0; i < 2; i++) {
        if ((colours >> i & 1) == 0) continue;
        int k = K_NONE, s = 0, sus = 0;
        if (dboard.cells[c] == 0) {
            const int ci = dboard.combo[i][c];
            k = patterns.kind[ci];
            s = patterns.score[ci];
            if (i == 0 && renju && patterns.suspect[ci]) {
                // A square black may not be allowed to take is worth no more than its best
                // line alone.
                sus = 1;
                const int a = dboard.line[i][0][c], b = dboard.line[i][1][c],
                          e = dboard.line[i][2][c], d = dboard.line[i][3][c];
                const int top = a > b ? a : b, top2 = e > d ? e : d;
                const int best = top > top2 ? top : top2;
                s = patterns.score[combo_index(best == L_OVERLINE ? 0 : best, 0, 0, 0)];
            }
        }
        dboard.kind_count[i][dboard.kind[i][c]]--;
        dboard.kind_count[i][k]++;
        dboard.total[i] += s - dboard.score[i][c];
        dboard.kind[i][c] = static_cast<uint8_t>(k);
        dboard.score[i][c] = static_cast<int16_t>(s);
        if (i == 0) dboard.suspect[c] = static_cast<uint8_t>(sus);
    }
}

// The line classes of square c in direction d from its codes; the colours whose class changed
// (bit i for colour index i). A change is recorded in f when it is given.
int classify(int c, int d, undo_frame *f) {
    const uint32_t code = dboard.code[d][c];
    const uint8_t cls[2] = {patterns.line[0][code & 0xFFFF], patterns.line[1][code >> 16]};
    const int changed = (cls[0] != dboard.line[0][d][c]) | (cls[1] != dboard.line[1][d][c]) << 1;
    if (changed == 0) return 0;
    if (f != nullptr) {
        const int n = f->lines++;
        f->line_at[n] = static_cast<uint16_t>(c * 4 + d);
        f->line_was[n][0] = dboard.line[0][d][c];
        f->line_was[n][1] = dboard.line[1][d][c];
    }
    for (int i = 0; i < 2; i++) {
        dboard.combo[i][c] = static_cast<uint16_t>(
            dboard.combo[i][c] + (cls[i] - dboard.line[i][d][c]) * combo_weight[d]);
        dboard.line[i][d][c] = cls[i];
    }
    return changed;
}

// The offsets k (within LINE_SIDE) for which x + k dx, y + k dy lies on the board.
void reach(int x, int y, int d, int &lo, int &hi) {
    lo = -LINE_SIDE, hi = LINE_SIDE;
    const int m = dboard.dim - 1, dx = directions[d].dx, dy = directions[d].dy;
    if (dx == 1) lo = std::max(lo, -x), hi = std::min(hi, m - x);
    if (dx == -1) lo = std::max(lo, x - m), hi = std::min(hi, x);
    if (dy == 1) lo = std::max(lo, -y), hi = std::min(hi, m - y);
}

// reach for every square and direction of the board in use, set by board_clear.
struct reach_span {
    int8_t lo, hi;
};
reach_span spans[4][BOARD_CELLS];

void build_spans() {
    for (int c = 0; c < BOARD_CELLS; c++)
        for (int d = 0; d < 4; d++) {
            int lo = 0, hi = -1;
            if (board_has(c)) reach(c / MAX_DIM, c % MAX_DIM, d, lo, hi);
            spans[d][c] = reach_span{static_cast<int8_t>(lo), static_cast<int8_t>(hi)};
        }
}

// Puts (sign 1) or takes (-1) the stone of colour index i on square c in the codes of the
// squares its four lines reach and in the near counts around it. With `reclassify` it then
// works out the squares it reaches (each lies on one line through c, so only that line's
// class changes) and c itself, recording the change in f when it is given; without, the
// caller restores them.
void spread(int c, int i, int sign, bool reclassify, undo_frame *f) {
    const int x = c / MAX_DIM, y = c % MAX_DIM;
    for (int d = 0; d < 4; d++) {
        const int lo = spans[d][c].lo, hi = spans[d][c].hi;
        for (int k = lo; k <= hi; k++) {
            if (k == 0) continue;
            const int t = c + k * dir_step[d];
            const uint32_t add = stone_code(i, slot(-k));
            dboard.code[d][t] = sign > 0 ? dboard.code[d][t] + add : dboard.code[d][t] - add;
            // A stone's square has no kind and keeps no line classes (a take works its own
            // out again, or restores them), and a square whose classes stayed keeps its kind.
            if (!reclassify || dboard.cells[t] != 0) continue;
            const int changed = classify(t, d, f);
            if (changed != 0) refresh(t, changed, f);
        }
    }
    const int x0 = std::max(0, x - NEAR_RADIUS), x1 = std::min(dboard.dim - 1, x + NEAR_RADIUS);
    const int y0 = std::max(0, y - NEAR_RADIUS), y1 = std::min(dboard.dim - 1, y + NEAR_RADIUS);
    for (int ax = x0; ax <= x1; ax++)
        for (int ay = y0; ay <= y1; ay++)
            dboard.near[cell(ax, ay)] = static_cast<uint8_t>(dboard.near[cell(ax, ay)] + sign);
    if (!reclassify) return;
    // A stone taken: its square's lines went unkept while it stood.
    if (sign < 0)
        for (int d = 0; d < 4; d++) classify(c, d, nullptr);
    refresh(c, 3, f);
}

// Takes back the put that frame f recorded: the codes and near counts by arithmetic, the
// rest as it was.
void unspread(int c, int i, const undo_frame &f) {
    spread(c, i, -1, false, nullptr);
    for (int n = 0; n < f.lines; n++) {
        const int t = f.line_at[n] / 4, d = f.line_at[n] % 4;
        for (int j = 0; j < 2; j++) {
            dboard.combo[j][t] = static_cast<uint16_t>(
                dboard.combo[j][t] + (f.line_was[n][j] - dboard.line[j][d][t]) * combo_weight[d]);
            dboard.line[j][d][t] = f.line_was[n][j];
        }
    }
    for (int n = 0; n < f.squares; n++) {
        const int t = f.square_at[n];
        for (int j = 0; j < 2; j++) {
            dboard.kind[j][t] = f.kind_was[n][j];
            dboard.score[j][t] = f.score_was[n][j];
        }
        dboard.suspect[t] = f.suspect_was[n];
    }
    dboard.lo_x = f.lo_x, dboard.hi_x = f.hi_x, dboard.lo_y = f.lo_y, dboard.hi_y = f.hi_y;
    std::memcpy(dboard.total, f.total, sizeof dboard.total);
    std::memcpy(dboard.kind_count, f.kind_count, sizeof dboard.kind_count);
}

} // namespace

void init_zobrist() {
    uint64_t state = 0x62727573ull; // fixed seed: the same keys in every run
    for (int i = 0; i < 2; i++)
        for (int c = 0; c < BOARD_CELLS; c++) zobrist[i][c] = splitmix64(state);
}

int scratch_code(int c, int d, int i) {
    const int own = i == 0 ? 1 : -1, x = c / MAX_DIM, y = c % MAX_DIM;
    int code = 0;
    for (int k = -LINE_SIDE; k <= LINE_SIDE; k++) {
        if (k == 0) continue;
        const int tx = x + k * directions[d].dx, ty = y + k * directions[d].dy;
        int v = CODE_BLOCKED;
        if (on(tx, ty)) {
            const int s = dboard.cells[cell(tx, ty)];
            v = s == 0 ? CODE_EMPTY : s == own ? CODE_OWN : CODE_BLOCKED;
        }
        code += v * pow3[slot(k)];
    }
    return code;
}

int kind_if_blocked(int t, int d, int k, int i) {
    const int code = board_code(t, d, i) + (CODE_BLOCKED - CODE_EMPTY) * pow3[slot(k)];
    const int cls = patterns.line[i][code];
    return patterns.kind[dboard.combo[i][t] + (cls - dboard.line[i][d][t]) * combo_weight[d]];
}

void board_clear(int dim) {
    std::memset(&dboard, 0, sizeof dboard);
    dundo.frames = 0;
    dboard.dim = dim;
    dboard.lo_x = dboard.lo_y = dim;
    dboard.hi_x = dboard.hi_y = -1;
    build_spans();
    for (int i = 0; i < 2; i++) dboard.kind_count[i][K_NONE] = BOARD_CELLS;
    for (int c = 0; c < BOARD_CELLS; c++) {
        if (!board_has(c)) continue;
        for (int d = 0; d < 4; d++)
            dboard.code[d][c] = static_cast<uint32_t>(scratch_code(c, d, 0)) +
                                (static_cast<uint32_t>(scratch_code(c, d, 1)) << 16);
        for (int d = 0; d < 4; d++) classify(c, d, nullptr);
        refresh(c, 3, nullptr);
    }
}

void board_load(const int *board, int dim) {
    board_clear(dim);
    for (int x = 0; x < dim; x++)
        for (int y = 0; y < dim; y++)
            if (board[cell(x, y)] != 0) board_put(cell(x, y), board[cell(x, y)]);
}

void board_put(int c, int colour) {
    const int i = colour_index(colour);
    dboard.cells[c] = colour;
    dboard.key ^= zobrist[i][c];
    dboard.stones++;
    undo_frame *f = nullptr;
    if (dundo.frames < UNDO_FRAMES) {
        f = &dundo.frame[dundo.frames++];
        f->cell = c;
        f->lines = f->squares = 0;
        f->lo_x = dboard.lo_x, f->hi_x = dboard.hi_x, f->lo_y = dboard.lo_y, f->hi_y = dboard.hi_y;
        std::memcpy(f->total, dboard.total, sizeof f->total);
        std::memcpy(f->kind_count, dboard.kind_count, sizeof f->kind_count);
    }
    const int x = c / MAX_DIM, y = c % MAX_DIM;
    dboard.lo_x = std::min(dboard.lo_x, x), dboard.hi_x = std::max(dboard.hi_x, x);
    dboard.lo_y = std::min(dboard.lo_y, y), dboard.hi_y = std::max(dboard.hi_y, y);
    spread(c, i, 1, true, f);
}

void board_take(int c) {
    const int i = colour_index(dboard.cells[c]);
    dboard.cells[c] = 0;
    dboard.key ^= zobrist[i][c];
    dboard.stones--;
    if (dundo.frames > 0 && dundo.frame[dundo.frames - 1].cell == c) {
        unspread(c, i, dundo.frame[--dundo.frames]);
        return;
    }
    // Out of order, or past the frames: worked out again (the bounds stay: still around
    // every stone).
    dundo.frames = 0; // the frames below no longer hold
    spread(c, i, -1, true, nullptr);
}
