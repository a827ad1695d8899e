// Pins the generator's results: one checksum over the lists and scores of a sweep of
// positions, sides, plies and parent tags. Speed work on the generator must leave it
// unchanged; a change of play must update it knowingly.
#include <gtest/gtest.h>

#include <cstdint>

#include "crowded.h"

namespace {

move_list out;

struct lcg {
    std::uint32_t s;
    int next(int n) {
        s = s * 1664525u + 1013904223u;
        return static_cast<int>((s >> 8) % static_cast<std::uint32_t>(n));
    }
};

// FNV-1a over ints.
struct checksum {
    std::uint64_t h = 14695981039346656037ull;
    void add(int v) {
        auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; i++) {
            h ^= (u >> (8 * i)) & 0xFF;
            h *= 1099511628211ull;
        }
    }
};

// Every side, ply and parent tag on the current position.
void add_all_calls(checksum &sum, int &calls) {
    for (int side : {1, -1}) {
        for (int ply : {0, 1, 2, 3, 5}) {
            for (int parent_tag : {2, 1, -1, 0}) {
                int score = SCORE_UNTOUCHED;
                int n = generate_moves(game.board, side, ply, out, &score, parent_tag);
                sum.add(n);
                sum.add(score);
                for (int i = 0; i < n; i++) {
                    const move_rec &r = out.rec[i];
                    for (int v : {r.x, r.y, r.info.count, r.info.windows, r.info.threat,
                                  r.info.hits, r.info.dir, r.tag})
                        sum.add(v);
                }
                calls++;
            }
        }
    }
}

// Plays a game of the generator against itself from the centre, each move one of the
// first three candidates at random, and sums every fourth position on the way and the last.
void play_and_sum(lcg &rng, checksum &sum, int &calls) {
    const int dim = game.dim;
    game.board[cell(dim / 2, dim / 2)] = 1;
    int colour = -1;
    for (int move = 1; move < 150; move++) {
        if (move % 4 == 0) add_all_calls(sum, calls);
        int score;
        int n = generate_moves(game.board, colour, 2, out, &score, 2);
        if (n == 0 || out.rec[0].tag == 3 || out.rec[0].tag == -3) break;
        const move_rec &r = out.rec[rng.next(n < 3 ? n : 3)];
        game.board[cell(r.x, r.y)] = colour;
        colour = -colour;
    }
    add_all_calls(sum, calls);
}

TEST(PinnedResults, SweepChecksum) {
    lcg rng{2024};
    checksum sum;
    int calls = 0;
    for (int dim : {15, 20}) {
        for (int exact : {1, 0}) {
            for (int game_no = 0; game_no < 3; game_no++) {
                set_position(dim, exact, {});
                play_and_sum(rng, sum, calls);
            }
        }
    }
    for (auto set_crowded : {set_grid, set_own_fours, set_opp_fours}) {
        set_crowded();
        add_all_calls(sum, calls);
    }
    EXPECT_EQ(calls, 3600);
    EXPECT_EQ(sum.h, 13526790170434208676u) << "checksum " << sum.h;
}

} // namespace
