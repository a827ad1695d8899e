#pragma once
#include <cstdint>

#include "analysis/point.h"

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

// Renju's screen of one position: which of black's squares were looked at so far and which
// of them black must not play. Each square is screened once, when first asked about, with
// black's analysis of it as `black_view` gives it. Under the other rules nothing is barred.
struct renju_screen {
    bool renju;
    const int *board;
    point_info (*black_view)(const int *board, int x, int y, int colour);
    std::uint64_t screened[CELL_WORDS];
    std::uint64_t barred[CELL_WORDS];
};

// A fresh screen of `board` under the rule in force.
void start_screen(renju_screen &s, const int *board,
                  point_info (*black_view)(const int *, int, int, int));

// Under renju, whether black must not play the empty square x,y of the screened position;
// false under the other rules.
bool black_barred(renju_screen &s, int x, int y);
