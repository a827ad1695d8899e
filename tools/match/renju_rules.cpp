// The renju rules, plainly: stones are put on a copy of the board and the rows of black
// stones through the square are measured, for every question the rules ask.
#include "renju_rules.h"

#include <cstring>

namespace {

constexpr int SIDE = 20;
constexpr int DIRS[4][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}};

struct board_copy {
    int cells[SIDE * SIDE];
    int dim;
    bool on(int x, int y) const { return x >= 0 && y >= 0 && x < dim && y < dim; }
    int at(int x, int y) const { return on(x, y) ? cells[x * SIDE + y] : 2; }
    int &put(int x, int y) { return cells[x * SIDE + y]; }
};

// Length of the row of stones like the one on x,y through it along direction d.
int row_length(const board_copy &b, int x, int y, int d) {
    const int colour = b.at(x, y);
    int n = 1;
    for (int s = -1; s <= 1; s += 2)
        for (int k = 1; b.at(x + s * k * DIRS[d][0], y + s * k * DIRS[d][1]) == colour; k++) n++;
    return n;
}

// With a black stone on x,y: whether a black stone on the empty square e (k cells along d
// from x,y) makes exactly five in a row with it.
bool five_with(board_copy &b, int x, int y, int d, int k) {
    const int ex = x + k * DIRS[d][0], ey = y + k * DIRS[d][1];
    if (b.at(ex, ey) != 0) return false;
    b.put(ex, ey) = 1;
    // The row through e must reach x,y: it does when every cell between holds black.
    bool joined = true;
    for (int j = k < 0 ? k + 1 : 1; j < (k < 0 ? 0 : k); j++)
        joined = joined && b.at(x + j * DIRS[d][0], y + j * DIRS[d][1]) == 1;
    const bool five = joined && row_length(b, ex, ey, d) == 5;
    b.put(ex, ey) = 0;
    return five;
}

// With a black stone on x,y: the fours along d. Each five square e makes a five whose
// other four stones are the four; fours with the same stones are one.
int fours_along(board_copy &b, int x, int y, int d) {
    int stone_sets[10], sets = 0;
    for (int k = -4; k <= 4; k++) {
        if (k == 0 || !five_with(b, x, y, d, k)) continue;
        // The five runs from its lowest offset lo to lo + 4; its stones are all but k.
        int lo = k;
        while (b.at(x + (lo - 1) * DIRS[d][0], y + (lo - 1) * DIRS[d][1]) == 1) lo--;
        int set = 0;
        for (int j = lo; j <= lo + 4; j++)
            if (j != k) set |= 1 << (j + 8);
        bool seen = false;
        for (int i = 0; i < sets; i++) seen = seen || stone_sets[i] == set;
        if (!seen) stone_sets[sets++] = set;
    }
    return sets;
}

// With a black stone on x,y: whether the black row through it along d is a straight four,
// four stones with an empty square at each end where black makes exactly five.
bool straight_four(board_copy &b, int x, int y, int d) {
    if (row_length(b, x, y, d) != 4) return false;
    int lo = 0, hi = 0;
    while (b.at(x + (lo - 1) * DIRS[d][0], y + (lo - 1) * DIRS[d][1]) == 1) lo--;
    while (b.at(x + (hi + 1) * DIRS[d][0], y + (hi + 1) * DIRS[d][1]) == 1) hi++;
    return five_with(b, x, y, d, lo - 1) && five_with(b, x, y, d, hi + 1);
}

bool forbidden(board_copy &b, int x, int y);

// With a black stone on x,y: whether the line along d is an open three, one more black
// stone away from a straight four on a square that is not forbidden.
bool open_three_along(board_copy &b, int x, int y, int d) {
    for (int k = -4; k <= 4; k++) {
        const int ex = x + k * DIRS[d][0], ey = y + k * DIRS[d][1];
        if (k == 0 || b.at(ex, ey) != 0) continue;
        b.put(ex, ey) = 1;
        const bool four = straight_four(b, x, y, d);
        b.put(ex, ey) = 0;
        if (four && !forbidden(b, ex, ey)) return true;
    }
    return false;
}

bool forbidden(board_copy &b, int x, int y) {
    b.put(x, y) = 1;
    bool five = false, overline = false;
    for (int d = 0; d < 4; d++) {
        const int n = row_length(b, x, y, d);
        five = five || n == 5;
        overline = overline || n >= 6;
    }
    int fours = 0, threes = 0;
    if (!five && !overline)
        for (int d = 0; d < 4; d++) {
            const int f = fours_along(b, x, y, d);
            fours += f;
            if (f == 0 && open_three_along(b, x, y, d)) threes++;
        }
    b.put(x, y) = 0;
    return !five && (overline || fours >= 2 || threes >= 2);
}

} // namespace

bool renju_reference_forbidden(const int *board, int dim, int x, int y) {
    board_copy b;
    std::memcpy(b.cells, board, sizeof b.cells);
    b.dim = dim;
    return forbidden(b, x, y);
}
