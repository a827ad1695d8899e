// Incremental upkeep of the deep mode's board.
#include "search/deep/board.h"

#include <cstring>

deep_board dboard;
uint64_t zobrist[2][BOARD_CELLS];

namespace {

constexpr int pow3[2 * LINE_SIDE] = {1, 3, 9, 27, 81, 243, 729, 2187, 6561, 19683};

// Position of offset o (-5..-1, 1..5) in a code.
constexpr int slot(int o) {
    return o < 0 ? LINE_SIDE + o : LINE_SIDE - 1 + o;
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

// The kind and score of square c for both colours from its codes, and the totals and counts
// moved by the change.
void refresh(int c) {
    const bool renju = settings.renju != 0;
    for (int i = 0; i < 2; i++) {
        int k = K_NONE, s = 0, sus = 0;
        if (dboard.cells[c] == 0) {
            const uint8_t *line = patterns.line[i];
            const int a = line[dboard.code[i][0][c]], b = line[dboard.code[i][1][c]],
                      e = line[dboard.code[i][2][c]], d = line[dboard.code[i][3][c]];
            const int ci = combo_index(a, b, e, d);
            k = patterns.kind[ci];
            s = patterns.score[ci];
            if (i == 0 && renju && patterns.suspect[ci]) {
                // A square black may not be allowed to take is worth no more than its best
                // line alone.
                sus = 1;
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

// Adds sign times the stone of colour index i on square c to the codes around it and to the
// near counts, then refreshes the squares it reaches.
void spread(int c, int i, int sign) {
    const int x = c / MAX_DIM, y = c % MAX_DIM;
    for (int d = 0; d < 4; d++) {
        const int dx = directions[d].dx, dy = directions[d].dy;
        for (int k = -LINE_SIDE; k <= LINE_SIDE; k++) {
            if (k == 0 || !on(x + k * dx, y + k * dy)) continue;
            const int t = c + k * dir_step[d], p = pow3[slot(-k)];
            dboard.code[i][d][t] =
                static_cast<uint16_t>(dboard.code[i][d][t] + sign * CODE_OWN * p);
            dboard.code[1 - i][d][t] =
                static_cast<uint16_t>(dboard.code[1 - i][d][t] + sign * CODE_BLOCKED * p);
        }
    }
    for (int ax = -NEAR_RADIUS; ax <= NEAR_RADIUS; ax++)
        for (int ay = -NEAR_RADIUS; ay <= NEAR_RADIUS; ay++)
            if (on(x + ax, y + ay))
                dboard.near[cell(x + ax, y + ay)] =
                    static_cast<uint8_t>(dboard.near[cell(x + ax, y + ay)] + sign);
    refresh(c);
    for (int d = 0; d < 4; d++)
        for (int k = -LINE_SIDE; k <= LINE_SIDE; k++)
            if (k != 0 && on(x + k * directions[d].dx, y + k * directions[d].dy))
                refresh(c + k * dir_step[d]);
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

void board_clear(int dim) {
    std::memset(&dboard, 0, sizeof dboard);
    dboard.dim = dim;
    for (int i = 0; i < 2; i++) dboard.kind_count[i][K_NONE] = BOARD_CELLS;
    for (int c = 0; c < BOARD_CELLS; c++) {
        if (!board_has(c)) continue;
        for (int i = 0; i < 2; i++)
            for (int d = 0; d < 4; d++)
                dboard.code[i][d][c] = static_cast<uint16_t>(scratch_code(c, d, i));
        refresh(c);
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
    spread(c, i, 1);
}

void board_take(int c) {
    const int i = colour_index(dboard.cells[c]);
    dboard.cells[c] = 0;
    dboard.key ^= zobrist[i][c];
    dboard.stones--;
    spread(c, i, -1);
}
