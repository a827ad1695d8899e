// The speed benchmark: the level rule, and a whole benchmark run with an injected clock.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "game/benchmark.h"
#include "search/search.h"
#include "search/timectl.h"
#include "search/tree.h"

namespace {

TEST(LevelForSpeed, DeepestLevelWhoseBudgetFits) {
    const struct {
        int speed;
        double timeout_turn;
        int level;
    } cases[] = {
        {2400, 30, 4}, // 72000 / 2400 is exactly 30: still fits
        {2399, 30, 3},
        {800, 30, 3},
        {799, 30, 2},
        {267, 30, 2},
        {266, 30, 1},
        {67, 30, 1},
        {66, 30, 0},
        {1, 30, 0},
        {0, 30, 0}, // not measured: every
                    // level is too slow
        {0, 1e9, 0},
        {INT_MAX, 30, 4},
        {INT_MAX, 0, 0},  // timeout_turn 0: any speed gives
                          // level 0
        {INT_MAX, -1, 0}, // a negative turn time is exceeded by every level
        {72000, 1, 4},
        {71999, 1, 3},
    };
    for (const auto &c : cases)
        EXPECT_EQ(level_for_speed(c.speed, c.timeout_turn), c.level)
            << c.speed << " nps, " << c.timeout_turn << " s";
}

long long frozen_clock() {
    return 0;
}

// A fresh engine in a game on 15 x 15 with a few stones played.
void fresh_game() {
    reset_game_state();
    reset_levels();
    reset_timing();
    reset_root();
    reset_keys();
    game.dim = 15;
    game.status = STATUS_PLAYS_SECOND;
    game.side = -1;
    put_stone(3, 4, 1);
    put_stone(5, 6, -1);
    put_stone(12, 1, 1);
}

// A clock that never moves makes the first check's speed node_count * 1000: far above
// every budget, so level 4.
TEST(Benchmark, MessagesInOrderAndTheGameUntouched) {
    fresh_game();
    timing_clock = frozen_clock;
    settings.timeout_turn = 30;
    game_state before = game;

    testing::internal::CaptureStdout();
    int level = benchmark();
    std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(level, 4);
    EXPECT_EQ(levels.max_depth, level_table[4][2]);
    EXPECT_GE(timing.nodes_per_sec, 129 * 1000);
    EXPECT_TRUE(testing::internal::RE::FullMatch(out, "MESSAGE Level\\.\\.\\. 0\n"
                                                      "MESSAGE Val\\.\\.\\. -?[0-9]+\n"
                                                      "MESSAGE Nods per sec\\.\\.\\. [0-9]+\n"
                                                      "MESSAGE Level\\.\\.\\. 4\n"))
        << out;
    EXPECT_EQ(std::memcmp(&before, &game, sizeof game), 0);
    EXPECT_EQ(root.tree_root, nullptr);
    EXPECT_EQ(timing.node_count, 1);
    reset_timing();
}

} // namespace
