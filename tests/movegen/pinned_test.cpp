// Pins the generator's results: one checksum over the lists and scores of a sweep of
// positions, sides, plies and parent tags. Speed work on the generator must leave it
// unchanged; a change of play must update it knowingly.
#include <gtest/gtest.h>

#include <cstdint>

#include "lists.h"

namespace {

move_list out;

struct sweep {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a over the ints seen
    int calls = 0;
    void add(int v) {
        for (int i = 0; i < 4; i++)
            hash = (hash ^ (static_cast<std::uint32_t>(v) >> 8 * i & 0xFF)) * 1099511628211ull;
    }
    // Every side, ply and parent tag on the shared board.
    void add_position() {
        for (int side : {1, -1}) {
            for (int ply : {0, 1, 2, 3, 5}) {
                for (int parent_tag : {2, 1, -1, 0}) {
                    int score = SCORE_UNTOUCHED;
                    int n = generate_moves(game.board, side, ply, out, &score, parent_tag);
                    add(n);
                    add(score);
                    for (const move_rec &r : out.rec) {
                        if (&r == out.rec + n) break;
                        for (int v : {r.x, r.y, r.info.count, r.info.windows, r.info.threat,
                                      r.info.hits, r.info.dir, r.tag})
                            add(v);
                    }
                    calls++;
                }
            }
        }
    }
};

// Plays the generator against itself from the centre, each move one of the first three
// candidates at random (a fixed generator), and adds every fourth position and the last.
void play_game(std::uint32_t &seed, sweep &sum) {
    const int dim = game.dim;
    game.board[cell(dim / 2, dim / 2)] = 1;
    int colour = -1;
    for (int move = 1; move < 150; move++) {
        if (move % 4 == 0) sum.add_position();
        int score;
        int n = generate_moves(game.board, colour, 2, out, &score, 2);
        if (n == 0 || out.rec[0].tag == 3 || out.rec[0].tag == -3) break;
        seed = seed * 1664525u + 1013904223u;
        const move_rec &r = out.rec[(seed >> 8) % static_cast<std::uint32_t>(n < 3 ? n : 3)];
        game.board[cell(r.x, r.y)] = colour;
        colour = -colour;
    }
    sum.add_position();
}

TEST(PinnedResults, SweepChecksum) {
    std::uint32_t seed = 2024;
    sweep sum;
    for (int dim : {15, 20}) {
        for (int exact : {1, 0}) {
            for (int game_no = 0; game_no < 3; game_no++) {
                set_board(dim, exact, "");
                play_game(seed, sum);
            }
        }
    }
    set_grid();
    sum.add_position();
    set_crowded();
    sum.add_position();
    EXPECT_EQ(sum.calls, 3560);
    EXPECT_EQ(sum.hash, 10225800980231295380u) << "checksum " << sum.hash;
}

} // namespace
