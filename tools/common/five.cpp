// The five check of the tools: the longest run through a stone along each line.
#include "five.h"

namespace {

constexpr int DIRS[4][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}};

// Stones of the colour on x,y in an unbroken run through x,y along direction d.
int run_length(const int *board, int dim, int x, int y, int d) {
    const int colour = board[x * 20 + y];
    int n = 1;
    for (int s = -1; s <= 1; s += 2) {
        int cx = x + s * DIRS[d][0], cy = y + s * DIRS[d][1];
        while (cx >= 0 && cx < dim && cy >= 0 && cy < dim && board[cx * 20 + cy] == colour) {
            n++;
            cx += s * DIRS[d][0];
            cy += s * DIRS[d][1];
        }
    }
    return n;
}

} // namespace

bool stone_makes_five(const int *board, int dim, int x, int y, int rule) {
    const int colour = board[x * 20 + y];
    if (colour == 0) return false;
    const bool exact = rule == EXACTLY_FIVE || (rule == RENJU_RULE && colour == 1);
    for (int d = 0; d < 4; d++) {
        const int n = run_length(board, dim, x, y, d);
        if (n == 5 || (n > 5 && !exact)) return true;
    }
    return false;
}
