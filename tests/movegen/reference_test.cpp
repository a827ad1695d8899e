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

TEST(Reference, RandomBoards) {
    random_source r{99};
    for (int round = 0; round < 96; round++) {
        const int dim = 15 + round % 6, density = round % 2 ? 2 + r.next(12) : 20 + r.next(50);
        set_board(dim, test_rules[round / 6 % 3], "");
        for (int x = 0; x < dim; x++)
            for (int y = 0; y < dim; y++)
                if (r.next(100) < density) game.board[cell(x, y)] = r.next(2) ? 1 : -1;
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

} // namespace
