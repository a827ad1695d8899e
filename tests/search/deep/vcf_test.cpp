// The four-threat solver against a reference written straight from its definition: brute
// force over the squares of a plain board, no patterns.
#include <gtest/gtest.h>

#include "analysis/renju.h"
#include "deep_support.h"
#include "search/deep/vcf.h"

namespace {

int ref_board[BOARD_CELLS];

// Whether the stone on c makes a line of five (exactly five where the rule asks it).
bool five_through(int c) {
    const int colour = ref_board[c], x = c / MAX_DIM, y = c % MAX_DIM;
    for (const direction &d : directions) {
        int run = 1;
        for (int s = -1; s <= 1; s += 2)
            for (int k = 1;; k++) {
                const int tx = x + s * k * d.dx, ty = y + s * k * d.dy;
                if (!on_board(tx, ty) || ref_board[cell(tx, ty)] != colour) break;
                run++;
            }
        if (run == 5 || (run > 5 && !exact_for(colour))) return true;
    }
    return false;
}

// The squares where `colour` would make five, at most two.
int five_squares(int colour, int out[2]) {
    int n = 0;
    for (int c = 0; c < BOARD_CELLS && n < 2; c++) {
        if (!on_board(c / MAX_DIM, c % MAX_DIM) || ref_board[c] != 0) continue;
        ref_board[c] = colour;
        if (five_through(c)) out[n++] = c;
        ref_board[c] = 0;
    }
    return n;
}

bool forbidden(int c) {
    return settings.renju && renju_verdict(ref_board, c / MAX_DIM, c % MAX_DIM) != RENJU_LEGAL;
}

bool reference_vcf(int colour, int depth) {
    int five[2];
    if (five_squares(colour, five) > 0) return true;
    if (five_squares(-colour, five) > 0 || depth <= 0) return false;
    for (int c = 0; c < BOARD_CELLS; c++) {
        if (!on_board(c / MAX_DIM, c % MAX_DIM) || ref_board[c] != 0) continue;
        if (colour == 1 && forbidden(c)) continue;
        ref_board[c] = colour;
        const int n = five_squares(colour, five);
        bool win = n >= 2 || (n == 1 && colour == -1 && forbidden(five[0]));
        if (!win && n == 1) {
            ref_board[five[0]] = -colour;
            win = reference_vcf(colour, depth - 1);
            ref_board[five[0]] = 0;
        }
        ref_board[c] = 0;
        if (win) return true;
    }
    return false;
}

// Plays the solver's line on the deep board and checks it: every attacker's move a four
// (or the five), every defender's move the one block, the last a five or a four that wins.
void expect_line_wins(int colour) {
    const int i = colour_index(colour);
    for (int k = 0; k < vcf.length; k++) {
        const int c = vcf.line[k];
        ASSERT_EQ(dboard.cells[c], 0);
        if (k % 2 == 0) {
            if (colour == 1) {
                EXPECT_FALSE(black_forbidden(c));
            }
            ASSERT_GE(dboard.kind[i][c], K_FOUR);
        } else {
            EXPECT_EQ(dboard.kind[i][c], K_FIVE);
        }
        board_put(c, k % 2 == 0 ? colour : -colour);
    }
    for (int k = vcf.length - 1; k >= 0; k--) board_take(vcf.line[k]);
}

TEST(DeepVcf, AgreesWithTheReference) {
    test_random r{2026};
    int wins = 0, cases = 0;
    // Renju gets more and denser rounds: its forbidden fours and blocks need crowded lines.
    for (int rule : {0, 1, RULE_RENJU})
        for (int round = 0; round < (rule == RULE_RENJU ? 300 : 100); round++) {
            deep_fresh(15, rule);
            random_position(r, rule == RULE_RENJU ? 12 + r.below(13) : 8 + r.below(9), 6);
            const int colour = r.below(2) ? 1 : -1;
            for (int c = 0; c < BOARD_CELLS; c++) ref_board[c] = dboard.cells[c];
            for (int depth = 1; depth <= 3; depth++) {
                const bool expected = reference_vcf(colour, depth);
                const bool found = solve_vcf(colour, depth, 1 << 30);
                ASSERT_EQ(found, expected)
                    << "rule " << rule << " round " << round << " depth " << depth;
                cases++;
                if (!found) continue;
                wins++;
                expect_line_wins(colour);
                break;
            }
        }
    EXPECT_GT(wins, cases / 20); // the positions hold wins as well as refutations
}

// A four whose one block square is forbidden to black wins for white under renju; under
// exactly five black blocks it (with six, which is no win there but a stone all the same).
TEST(DeepVcf, WhiteWinsByAFourBlackMayNotBlock) {
    const char *const rows[] = {"",         "",         "",          "",         ".......X",
                                ".......X", ".......X", "..X.OOO.X", ".......X", ".......X"};
    for (int rule : {RULE_RENJU, 1}) {
        deep_fresh(15, rule);
        put_rows(rows, 10);
        for (int c = 0; c < BOARD_CELLS; c++) ref_board[c] = dboard.cells[c];
        const bool wins = rule == RULE_RENJU;
        EXPECT_EQ(reference_vcf(-1, 1), wins) << rule;
        EXPECT_EQ(solve_vcf(-1, 1, 1 << 30), wins) << rule;
    }
}

} // namespace
