// The generator against the plain reference: the same moves, tags and score on random
// sparse and crowded boards of every side and rule (renju too), on positions of generator-played
// games (fours, open threes and double threats come up as the games go on) and along walks that put
// and take stones as the search does, for every side to move, ply 0 to 5, parent tag and level.
#include <gtest/gtest.h>

#include <cstdint>

#include "lists.h"

namespace {

struct random_source {
    std::uint32_t s;
    int next(int n) { return static_cast<int>((s = s * 1664525u + 1013904223u) >> 8) % n; }
};

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

// Dense and sparse boards, sparse ones with equal fours planted, the grid and the crowded board.
TEST(Reference, RandomBoards) {
    random_source r{99};
    for (int round = 0; round < 144; round++) {
        const int density = round % 3 == 0 ? 20 + r.next(50) : 2 + r.next(12);
        random_board(r, 15 + round % 6, test_rules[round / 6 % 3], density);
        if (round % 3 == 2) plant_equal_fours(r);
        expect_reference(round, "random board");
    }
    set_grid();
    expect_reference(0, "grid");
    set_crowded();
    expect_reference(1, "crowded");
}

// From the shared board, twelve steps that go down to a candidate of the generator or
// back up one ply, as the search does, comparing after each; the board is restored. Every
// other walk, as in the search, the live analysis watches the board and is told each
// change instead of finding it.
void walk(random_source &r, int colour, int &variant) {
    static move_list out;
    int put[6], depth = 0, score;
    const bool watched = variant % 2 == 0;
    watch_live(watched ? game.board : nullptr);
    auto place = [&](int c, int v) {
        game.board[c] = v;
        if (watched) note_live(c);
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
    watch_live(nullptr);
}

// Games of the generator against itself from the centre, each move one of the first three
// candidates; every position is compared, and from every fourth one a walk puts and takes
// stones as the search does.
TEST(Reference, GamesAndSearchWalks) {
    random_source r{2024};
    static move_list out;
    int variant = 0;
    for (int dim : {15, 20, 17}) {
        for (int rule : test_rules) {
            set_board(dim, rule, "");
            game.board[cell(dim / 2, dim / 2)] = 1;
            int colour = -1, score;
            for (int move = 1; move < 120; move++) {
                expect_reference(variant++, "game");
                if (move % 4 == 0) walk(r, colour, variant);
                int n = generate_moves(game.board, colour, 2, out, &score, 2);
                if (n == 0 || out.rec[0].tag == 3 || out.rec[0].tag == -3) break;
                const move_rec &m = out.rec[r.next(n < 3 ? n : 3)];
                game.board[cell(m.x, m.y)] = colour;
                colour = -colour;
            }
        }
    }
}

// The side to move's lists as the scan files them, from the plain analysis: a square goes
// to its own list when its own analysis ranks at least as high, else to the opponent's;
// each list in rank order, equal records in scan order. Only for boards without fours.
void plain_lists(int side, move_list &own, move_list &opp) {
    own.n = opp.n = 0;
    for (int x = 0; x < game.dim; x++)
        for (int y = 0; y < game.dim; y++) {
            if (game.board[cell(x, y)] != 0) continue;
            const point_info o = analyse_point(game.board, x, y, side);
            const point_info p = analyse_point(game.board, x, y, -side);
            const bool own_rank = cmp_point_info(o, p) <= 0;
            if (o.count > 0 || p.count > 0)
                uloz_tah(x, y, own_rank ? o : p, 0, own_rank ? own : opp);
        }
    sort_moves(own);
    sort_moves(opp);
}

// Appends up to n records of `list` from index `from` (all of them when `quiet`, only the
// single-threat ones up to four) to `out`.
void take(const move_list &list, int from, int n, bool quiet, move_list &out) {
    for (int i = from, taken = 0; i < list.n && taken < n; i++)
        if (!quiet || list.rec[i].info.threat == 1) {
            out.rec[out.n++] = list.rec[i];
            taken++;
        }
}

// The ordinary selection, plainly, under a quiet parent on a board without fours: the best
// own records up to the own cap; near the root the quiet single-threat records below them;
// at the root and from ply 2 on the best opponent records up to the opponent cap; at the
// root the quiet ones below those, and every record tagged as a threat.
std::string plain_selection(const move_list &own, const move_list &opp, int ply, const int *cap) {
    static move_list out;
    out.n = 0;
    const int n_own = own.n < cap[0] ? own.n : cap[0], n_opp = opp.n < cap[1] ? opp.n : cap[1];
    take(own, 0, n_own, false, out);
    if (ply < 2 && n_own > 0) take(own, n_own, 4, true, out);
    if (ply != 1) take(opp, 0, n_opp, false, out);
    if (ply == 0 && n_opp > 0) take(opp, n_opp, 4, true, out);
    for (int i = 0; i < out.n; i++) out.rec[i].tag = ply == 0 ? TAG_THREAT : TAG_QUIET;
    return list_text(out, out.n);
}

// The ordinary selection on random boards without fours (so no forced reply), under a quiet
// parent, against the plain one: the longer caps go to the side whose static score is not
// below 0, ties included. The same board with its colours swapped gives the same list and
// score. At the root, under the root's own tag too, every candidate is searched as a threat.
TEST(Selection, CapsByPlyAndScoreColourBlind) {
    constexpr int caps[3][2][2] = {{{5, 9}, {9, 5}}, {{4, 7}, {7, 4}}, {{3, 5}, {5, 3}}};
    static move_list own, opp;
    random_source r{5};
    int boards = 0, ties = 0;
    while (boards < 60) {
        const int dim = 15 + r.next(6), rule = r.next(2);
        random_board(r, dim, rule, 3 + r.next(8));
        bool fours = false;
        for (int x = 0; x < game.dim; x++)
            for (int y = 0; y < game.dim; y++)
                for (int colour : {1, -1})
                    fours |= game.board[cell(x, y)] == 0 &&
                             analyse_point(game.board, x, y, colour).count >= 3;
        if (fours) continue;
        boards++;
        load_level(LEVELS - 1);
        for (int side : {1, -1}) {
            plain_lists(side, own, opp);
            for (int ply = 0; ply <= 3; ply++) {
                const generated g = generate(side, ply, TAG_QUIET);
                ties += g.score == 0;
                const int *cap = caps[ply < 2 ? ply : 2][g.score >= 0 ? 1 : 0];
                EXPECT_EQ(g.moves, plain_selection(own, opp, ply, cap)) << "ply " << ply;
                swap_colours();
                const generated swapped = generate(-side, ply, TAG_QUIET);
                swap_colours();
                EXPECT_EQ(swapped.moves, g.moves);
                EXPECT_EQ(swapped.score, g.score);
            }
            int score;
            for (int i = 0, n = generate_moves(game.board, side, 0, own, &score, TAG_ROOT); i < n;
                 i++)
                EXPECT_EQ(own.rec[i].tag, TAG_THREAT);
        }
    }
    EXPECT_GE(ties, 1) << "no board tests the tie rule";
}

} // namespace
