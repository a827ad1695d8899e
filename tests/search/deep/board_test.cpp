// The deep board's incremental upkeep against a board built from scratch, and the pattern
// classes its tables give.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "deep_support.h"
#include "search/deep/vcf.h"

namespace {

deep_board saved, scratch;

// The board as kept equals the board loaded afresh from its stones.
void expect_as_from_scratch() {
    saved = dboard;
    board_load(saved.cells, saved.dim);
    scratch = dboard;
    dboard = saved;
    ASSERT_EQ(saved.key, scratch.key);
    ASSERT_EQ(saved.stones, scratch.stones);
    ASSERT_EQ(0, std::memcmp(saved.code, scratch.code, sizeof saved.code));
    // A stone's square keeps no line classes; an empty one the classes of its codes.
    for (int c = 0; c < BOARD_CELLS; c++)
        for (int i = 0; i < 2 && board_has(c) && saved.cells[c] == 0; i++)
            for (int d = 0; d < 4; d++) {
                ASSERT_EQ(saved.line[i][d][c], scratch.line[i][d][c]);
                ASSERT_EQ(saved.combo[i][c], scratch.combo[i][c]);
            }
    // The stones' bounds hold every stone.
    for (int c = 0; c < BOARD_CELLS; c++)
        if (saved.cells[c] != 0) {
            ASSERT_TRUE(c / MAX_DIM >= saved.lo_x && c / MAX_DIM <= saved.hi_x);
            ASSERT_TRUE(c % MAX_DIM >= saved.lo_y && c % MAX_DIM <= saved.hi_y);
        }
    ASSERT_EQ(0, std::memcmp(saved.kind, scratch.kind, sizeof saved.kind));
    ASSERT_EQ(0, std::memcmp(saved.score, scratch.score, sizeof saved.score));
    ASSERT_EQ(0, std::memcmp(saved.suspect, scratch.suspect, sizeof saved.suspect));
    ASSERT_EQ(0, std::memcmp(saved.near, scratch.near, sizeof saved.near));
    ASSERT_EQ(0, std::memcmp(saved.total, scratch.total, sizeof saved.total));
    ASSERT_EQ(0, std::memcmp(saved.kind_count, scratch.kind_count, sizeof saved.kind_count));
    // The loaded codes themselves match the stones, square by square.
    for (int c = 0; c < BOARD_CELLS; c++) {
        if (!board_has(c)) continue;
        for (int i = 0; i < 2; i++)
            for (int d = 0; d < 4; d++) ASSERT_EQ(board_code(c, d, i), scratch_code(c, d, i));
    }
}

// The kind a square would have with the other colour's stone further along a line equals
// its kind once that stone is put.
void expect_look_ahead_as_put(test_random &r) {
    const int t = cell(r.below(dboard.dim), r.below(dboard.dim)), d = r.below(4);
    const int k = r.below(2 * LINE_SIDE + 1) - LINE_SIDE, s = t + k * dir_step[d];
    const int x = t / MAX_DIM + k * directions[d].dx, y = t % MAX_DIM + k * directions[d].dy;
    if (k == 0 || x < 0 || y < 0 || x >= dboard.dim || y >= dboard.dim) return;
    if (dboard.cells[t] != 0 || dboard.cells[s] != 0) return;
    for (int i = 0; i < 2; i++) {
        const int seen = kind_if_blocked(t, d, k, i);
        board_put(s, i == 0 ? -1 : 1);
        ASSERT_EQ(seen, dboard.kind[i][t]);
        board_take(s);
    }
}

TEST(DeepBoard, IncrementalEqualsFromScratch) {
    test_random r{7};
    for (int rule : {0, 1, RULE_RENJU})
        for (int dim : {15, 20}) {
            deep_fresh(dim, rule);
            int stack[BOARD_CELLS], depth = 0;
            for (int step = 0; step < 400; step++) {
                if (depth > 0 && (r.below(3) == 0 || depth > 120)) {
                    // Now and then a stone other than the last put is taken.
                    if (r.below(8) == 0) std::swap(stack[r.below(depth)], stack[depth - 1]);
                    board_take(stack[--depth]);
                } else {
                    const int c = cell(r.below(dim), r.below(dim));
                    if (dboard.cells[c] != 0) continue;
                    board_put(c, r.below(2) ? 1 : -1);
                    stack[depth++] = c;
                }
                if (step % 7 == 0) expect_as_from_scratch();
                for (int n = 0; n < 8; n++) expect_look_ahead_as_put(r);
            }
            while (depth > 0) board_take(stack[--depth]);
            expect_as_from_scratch();
            EXPECT_EQ(dboard.key, 0u);
        }
}

// The class of an 11-cell line for the colour of index i: centre '*', 'X' own, 'O' and '|'
// blocked, '.' empty.
int class_of(const char *line, int i) {
    int cells[2 * LINE_SIDE];
    for (int k = 0, j = 0; k < 11; k++)
        if (k != LINE_SIDE)
            cells[j++] = line[k] == 'X' ? CODE_OWN : line[k] == '.' ? CODE_EMPTY : CODE_BLOCKED;
    return patterns.line[i][line_code(cells)];
}

TEST(DeepPatterns, LineClassesPerRule) {
    struct line_case {
        const char *line;
        int rule, colour_index, expected;
    };
    const line_case cases[] = {
        {"OXXXX*.....", 1, 0, L_FIVE},       {"XXXXX*.....", 0, 0, L_FIVE},
        {"XXXXX*.....", 1, 0, L_OVERLINE},   {"XXXXX*.....", 4, 0, L_OVERLINE},
        {"XXXXX*.....", 4, 1, L_FIVE},       {"....X*XX...", 1, 0, L_FOUR_OPEN},
        {"...OX*XX...", 1, 0, L_FOUR},       {"X.XXX*.X...", 0, 0, L_FOUR_OPEN},
        {"X.XXX*.X...", 1, 0, L_NONE},       {"X.XXX*.X...", 4, 1, L_FOUR_OPEN},
        {"....X*X....", 1, 0, L_THREE_OPEN}, {"...OX*X....", 1, 0, L_THREE},
        {".....*X....", 0, 1, L_TWO_OPEN},   {"....|*X.O..", 0, 0, L_NONE},
        {"...X.*.X...", 0, 0, L_THREE},      {"X...X*X...X", 1, 0, L_THREE_OPEN},
    };
    for (const line_case &t : cases) {
        deep_fresh(15, t.rule);
        EXPECT_EQ(class_of(t.line, t.colour_index), t.expected) << t.line << " rule " << t.rule;
    }
}

// Square kinds from the four lines, and renju's suspects settled by the verdict.
TEST(DeepPatterns, SquareKindsAndForbiddenSquares) {
    const char *double_three[] = {"..........", ".......X..", ".......X..", ".....XX...."};
    const char *four_three[] = {"..........", "........X.", "........X.", "....OXXX...."};
    for (int rule : {1, RULE_RENJU}) {
        deep_fresh(15, rule);
        put_rows(double_three, 4);
        const int c = cell(3, 7);
        EXPECT_EQ(dboard.kind[0][c], K_DOUBLE_THREE);
        EXPECT_EQ(black_forbidden(c), rule == RULE_RENJU);
        deep_fresh(15, rule);
        put_rows(four_three, 4);
        EXPECT_EQ(dboard.kind[0][cell(3, 8)], K_FOUR_THREE);
        EXPECT_FALSE(black_forbidden(cell(3, 8)));
    }
}

} // namespace
