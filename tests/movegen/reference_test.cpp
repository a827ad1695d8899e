// The generator against the plain reference: the same moves, tags and score on random
// sparse and crowded boards of every side and rule (renju too) and along walks from them that
// put and take stones as the search does, for every side to move, ply 0 to 5, parent tag and
// level; and properties of the selection.
#include <gtest/gtest.h>

#include "lists.h"
#include <algorithm>

namespace {

constexpr int parent_tags[] = {2, 1, 0, -1, -2};
constexpr int test_rules[] = {0, 1, RULE_RENJU};

// Both generators on the shared board; `variant` picks the level and which parent tags are
// tried, so that a run of positions covers every combination.
void expect_reference(int variant, const char *what) {
    static move_list fast, plain;
    for (int side : {1, -1}) {
        for (int ply = 0; ply <= 5; ply++) {
            const int level = (variant + ply) % LEVELS;
            levels.full_depth = level_table[level][0];
            levels.threat_depth = level_table[level][1];
            for (int t = 0; t < 5; t++) {
                if ((t + variant + ply) % 2 != 0 && t != 0) continue; // half the tags each time
                const int tag = parent_tags[t];
                int fast_score = SCORE_UNTOUCHED, plain_score = SCORE_UNTOUCHED;
                const int n = generate_moves(game.board, side, ply, fast, &fast_score, tag);
                const int m =
                    generate_moves_reference(game.board, side, ply, plain, &plain_score, tag);
                ASSERT_EQ(list_text(fast, n), list_text(plain, m))
                    << what << ": side " << side << " ply " << ply << " tag " << tag;
                ASSERT_EQ(fast_score, plain_score) << what;
            }
        }
    }
}

// A dim x dim board under `rule` with stones of random colours on `density` % of it.
void random_board(random_source &r, int dim, int rule, int density) {
    set_board(dim, rule, "");
    for (int x = 0; x < dim; x++)
        for (int y = 0; y < dim; y++)
            if (r.next(100) < density) game.board[cell(x, y)] = r.next(2) ? 1 : -1;
}

// A square where both colours make a simple four of the same rank (three X on one line and
// three O on another end next to it, each blocked by the other colour), and a square of two
// threes for each colour: the opponent's four there does not rank higher, so it is no
// threat to answer, and the double three just below it is no four.
void plant_equal_fours(random_source &r) {
    const int dim = game.dim, cx = 4 + r.next(dim - 8), cy = 4 + r.next(dim - 8), d = r.next(4);
    const direction a = directions[d], b = directions[(d + 1 + r.next(3)) % 4];
    game.board[cell(cx, cy)] = 0;
    for (int i = 1; i <= 4; i++) {
        game.board[cell(cx - i * a.dx, cy - i * a.dy)] = i < 4 ? 1 : -1;
        game.board[cell(cx - i * b.dx, cy - i * b.dy)] = i < 4 ? -1 : 1;
    }
    for (int colour : {1, -1}) {
        const int tx = 2 + r.next(dim - 4), ty = 2 + r.next(dim - 4);
        for (int k : {-2, -1, 0, 1, 2}) {
            game.board[cell(tx + k, ty)] = k > 0 ? colour : 0;
            game.board[cell(tx, ty + k)] = k > 0 ? colour : 0;
        }
    }
}

// From the shared board, twelve steps that go down to a candidate of the generator or
// back up one ply, as the search does, comparing after each; the board is restored. Every
// other walk, as in the search, the live analysis watches the board and is told each
// change instead of finding it.
void walk(random_source &r, int colour, int &variant) {
    static move_list out;
    int put[6], depth = 0, score;
    const bool watched = variant % 2 == 0;
    watch_board(watched ? game.board : nullptr);
    auto place = [&](int c, int v) {
        game.board[c] = v;
        if (watched) note_change(c);
    };
    for (int step = 0; step < 12; step++) {
        const int c = depth % 2 ? -colour : colour;
        const int n = depth < 6 ? generate_moves(game.board, c, 2, out, &score, 2) : 0;
        if (n > 0 && (depth == 0 || r.next(3) > 0)) {
            const move_rec &m = out.rec[r.next(n)];
            if (game.board[cell(m.x, m.y)] != 0) continue; // a tag-3 five square, say
            put[depth++] = cell(m.x, m.y);
            place(cell(m.x, m.y), c);
        } else if (depth > 0) {
            place(put[--depth], 0);
        }
        expect_reference(variant++, "walk");
    }
    while (depth > 0) place(put[--depth], 0);
    watch_board(nullptr);
}

// Dense and sparse boards, sparse ones with equal fours planted, and from each a walk as the
// search's; then the grid, the crowded board and boards with short lists.
TEST(Reference, RandomBoardsAndSearchWalks) {
    random_source r{99};
    for (int round = 0, variant = 0; round < 144; round++) {
        const int density = round % 3 == 0 ? 20 + r.next(50) : 2 + r.next(12);
        random_board(r, 15 + round % 6, test_rules[round / 6 % 3], density);
        if (round % 3 == 2) plant_equal_fours(r);
        expect_reference(variant++, "random board");
        walk(r, round % 2 ? 1 : -1, variant);
    }
    set_board(20, 1, "");
    set_up_grid(game.board);
    expect_reference(0, "grid");
    set_up_crowded(game.board);
    expect_reference(1, "crowded");
    // Short lists, where the lowest bucket is read too: lone stones in corners, each of whose
    // squares makes one window with it, for one colour and for both.
    for (const char *stones : {"X 0,0", "O 19,0 X 0,19"}) {
        set_board(20, 1, stones);
        expect_reference(2, stones);
    }
}

// The selection on random boards without fours (no forced reply): from ply 2 on, under a
// quiet parent, both lists up to caps of 5 and 3, the longer for the side to move when its
// static score is not below 0 (ties included); the same list and score with the colours
// swapped; at the root every candidate searched as a threat.
TEST(Selection, CapsColourSymmetryAndRootTags) {
    static move_list out;
    random_source r{5};
    int boards = 0, ties = 0;
    while (boards < 60) {
        const int dim = 15 + r.next(6), rule = r.next(2);
        random_board(r, dim, rule, 3 + r.next(8));
        int fours = 0, own_n = 0, opp_n = 0; // the lists' lengths for +1 to move
        for (int c = 0; c < BOARD_CELLS; c++) {
            if (game.board[c] != 0 || !on_board(c / MAX_DIM, c % MAX_DIM)) continue;
            const point_info o = analyse_point(game.board, c / MAX_DIM, c % MAX_DIM, 1),
                             p = analyse_point(game.board, c / MAX_DIM, c % MAX_DIM, -1);
            fours += o.count >= 3 || p.count >= 3;
            if (o.count > 0 || p.count > 0) (cmp_point_info(o, p) <= 0 ? own_n : opp_n)++;
        }
        if (fours > 0) continue;
        boards++;
        load_level(LEVELS - 1);
        for (int ply : {2, 3}) {
            const generated g = generate(1, ply, TAG_QUIET);
            ties += g.score == 0;
            const int own_cap = g.score >= 0 ? 5 : 3, opp_cap = 8 - own_cap;
            EXPECT_EQ(g.n, std::min(own_n, own_cap) + std::min(opp_n, opp_cap)) << g.moves;
            swap_colours();
            const generated swapped = generate(-1, ply, TAG_QUIET);
            swap_colours();
            EXPECT_EQ(swapped.moves, g.moves);
            EXPECT_EQ(swapped.score, g.score);
        }
        int score;
        for (int i = 0, n = generate_moves(game.board, 1, 0, out, &score, TAG_ROOT); i < n; i++)
            EXPECT_EQ(out.rec[i].tag, TAG_THREAT);
    }
    EXPECT_GE(ties, 1) << "no board tests the tie rule";
}

} // namespace
