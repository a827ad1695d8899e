// Renju's forbidden squares: where a black stone would make an overline, two fours or two
// open threes, unless it makes exactly five.
//
// Each direction is judged on the 11-cell line of the square with a black stone put on it
// (line cell 5): every five, four or three that the stone makes on that line lies within
// those cells, their outer neighbours included. Whether a three is real depends on whether
// the square that would turn it into a straight four is itself forbidden, with the stone
// in place; that question is followed a few levels down and no further.
#include <bit>
#include <cstring>

#include "analysis/point.h"
#include "analysis/renju.h"
#include "analysis/window.h"

namespace {

constexpr int SETTLE_DEPTH = 3; // nested three checks followed before giving up

// What a black stone on line cell 5 makes along one line.
struct line_verdict {
    bool five;     // exactly five
    bool overline; // six or more in a row
    int fours;     // distinct fours (a straight four counts once)
    unsigned keys; // bit i: a stone on line cell i makes a straight four with the square
};

// The run of black cells through cell 5 of `black`: its first and last cell. Counted by
// bit scans, not cell by cell: the run's length is what the loops mispredicted on.
void run_through_centre(unsigned black, int *lo, int *hi) {
    *lo = 5 - std::countl_one(black << 27);        // cells 4, 3, ... 0 at the top bits
    *hi = 5 + std::countr_one(black >> 6 & 0x1Fu); // cells 6, 7, ... 10
}

// Set bits among line cells 0..9.
int ten_cell_count(unsigned cells) {
    return five_count[cells & FIVE_CELLS] + five_count[cells >> 5 & FIVE_CELLS];
}

// Exactly five through cell 5: a run of five whose outer neighbours lie inside the line
// and so are known not to be black.
bool exact_five_through_centre(unsigned black) {
    int lo, hi;
    run_through_centre(black, &lo, &hi);
    return hi - lo + 1 == 5 && lo > 0 && hi < LINE_LEN - 1;
}

// A straight four through cell 5: four in a row with both ends empty, and each end a
// square where black makes exactly five (the cell beyond it is not black).
bool straight_four_through_centre(unsigned black, unsigned empty) {
    int lo, hi;
    run_through_centre(black, &lo, &hi);
    if (hi - lo + 1 != 4 || lo < 2 || hi > LINE_LEN - 3) return false;
    return (empty >> (lo - 1) & 1) && (empty >> (hi + 1) & 1) && !(black >> (lo - 2) & 1) &&
           !(black >> (hi + 2) & 1);
}

// `black` holds the square (cell 5); `empty` the empty cells on the board.
line_verdict judge_line(unsigned black, unsigned empty) {
    line_verdict v{false, false, 0, 0};
    int lo, hi;
    run_through_centre(black, &lo, &hi);
    v.five = exact_five_through_centre(black);
    v.overline = hi - lo + 1 >= 6;
    if (v.five || v.overline) return v;
    // Five squares: a stone there makes exactly five with the square. Two of them five
    // cells apart flank one straight four, which is one four, not two.
    unsigned fives = 0;
    for (unsigned e = empty & WINDOW_SPAN; e != 0; e &= e - 1) {
        const unsigned bit = e & (0u - e);
        if (exact_five_through_centre(black | bit)) fives |= bit;
    }
    v.fours = ten_cell_count(fives) - ten_cell_count(fives & fives >> 5);
    if (v.fours > 0) return v;
    for (unsigned e = empty & WINDOW_SPAN; e != 0; e &= e - 1) {
        const unsigned bit = e & (0u - e);
        if (straight_four_through_centre(black | bit, empty & ~bit)) v.keys |= bit;
    }
    return v;
}

// Line cells of square x,y in direction d as bits: black stones (with the square itself)
// and empty cells on the board.
void line_bits_of(const int *board, int x, int y, int d, unsigned *black, unsigned *empty) {
    int line[LINE_LEN];
    line_window(board, x, y, d, line);
    *black = 1u << 5;
    *empty = 0;
    for (int i = 0; i < LINE_LEN; i++) {
        if (i == 5) continue;
        if (line[i] == 1) *black |= 1u << i;
        if (line[i] == 0) *empty |= 1u << i;
    }
}

int verdict(int *board, int x, int y, int depth);

// The threes that the lines in `v` offer, judged with a black stone on x,y: a three is
// real when one of its keys is a legal square, doubtful when one is unsettled.
int judge_threes(int *board, int x, int y, int depth, const line_verdict (&v)[4]) {
    int real = 0, doubtful = 0;
    board[cell(x, y)] = 1;
    for (int d = 0; d < 4; d++) {
        int best = RENJU_FORBIDDEN;
        for (unsigned keys = v[d].keys; keys != 0 && best != RENJU_LEGAL; keys &= keys - 1) {
            const int k = std::countr_zero(keys) - 5;
            const int r =
                verdict(board, x + k * directions[d].dx, y + k * directions[d].dy, depth + 1);
            if (r < best) best = r;
        }
        if (v[d].keys == 0) continue;
        real += best == RENJU_LEGAL;
        doubtful += best == RENJU_UNSETTLED;
    }
    board[cell(x, y)] = 0;
    if (real >= 2) return RENJU_FORBIDDEN;
    return real + doubtful >= 2 ? RENJU_UNSETTLED : RENJU_LEGAL;
}

// The verdict on the empty square x,y for black, following threes `depth` levels down.
int verdict(int *board, int x, int y, int depth) {
    line_verdict v[4];
    for (int d = 0; d < 4; d++) {
        unsigned black, empty;
        line_bits_of(board, x, y, d, &black, &empty);
        v[d] = judge_line(black, empty);
    }
    int fours = 0, three_lines = 0;
    for (const line_verdict &l : v)
        if (l.five) return RENJU_LEGAL;
    for (const line_verdict &l : v) {
        if (l.overline) return RENJU_FORBIDDEN;
        fours += l.fours;
        three_lines += l.keys != 0;
    }
    if (fours >= 2) return RENJU_FORBIDDEN;
    if (three_lines < 2) return RENJU_LEGAL;
    if (depth >= SETTLE_DEPTH) return RENJU_UNSETTLED;
    return judge_threes(board, x, y, depth, v);
}

// Whether a black stone on x,y could make six in a row: five black stones next to it
// along one line.
bool overline_possible(const int *board, int x, int y) {
    for (const direction &dir : directions) {
        int run = 0;
        for (int s = -1; s <= 1; s += 2)
            for (int k = 1; k <= 5; k++) {
                const int cx = x + s * k * dir.dx, cy = y + s * k * dir.dy;
                if (!on_board(cx, cy) || board[cell(cx, cy)] != 1) break;
                run++;
            }
        if (run >= 5) return true;
    }
    return false;
}

} // namespace

int renju_verdict(const int *board, int x, int y) {
    int scratch[BOARD_CELLS]; // the threes' checks put stones on it and take them back
    std::memcpy(scratch, board, sizeof scratch);
    return verdict(scratch, x, y, 0);
}

bool renju_forbidden(const int *board, int x, int y, const point_info &black) {
    if (makes_five(black)) return false;
    // Two fours or two threes need two lines of three or more, or one line with two ways
    // to a five; without them only an overline can forbid the square.
    const bool two_threats = black.threat >= 2 || (makes_four(black) && black.windows >= 2);
    if (!two_threats && !overline_possible(board, x, y)) return false;
    return renju_verdict(board, x, y) != RENJU_LEGAL;
}

void start_screen(renju_screen &s, const int *board,
                  point_info (*black_view)(const int *, int, int, int)) {
    s.renju = settings.renju != 0;
    if (!s.renju) return;
    s.board = board;
    s.black_view = black_view;
    for (int w = 0; w < CELL_WORDS; w++) s.screened[w] = s.barred[w] = 0;
}

bool black_barred(renju_screen &s, int x, int y) {
    if (!s.renju) return false;
    const int c = cell(x, y);
    const std::uint64_t bit = std::uint64_t{1} << (c & 63);
    if ((s.screened[c >> 6] & bit) == 0) {
        s.screened[c >> 6] |= bit;
        if (renju_forbidden(s.board, x, y, s.black_view(s.board, x, y, 1))) s.barred[c >> 6] |= bit;
    }
    return (s.barred[c >> 6] & bit) != 0;
}
