// The speed benchmark: the level rule, and a whole benchmark run with an injected clock.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "search/benchmark.h"
#include "support/position.h"

namespace {

TEST(LevelForSpeed, DeepestLevelWhoseBudgetFits) {
    const struct {
        int speed;
        double timeout_turn;
        int level;
    } cases[] = {
        // Every threshold at 30 s, the top one at 1 s too; an unmeasured speed (0) is too slow
        // for every level, and without turn time every speed gets level 0.
        {2400, 30, 4}, {2399, 30, 3},    {800, 30, 3},    {799, 30, 2},     {267, 30, 2},
        {266, 30, 1},  {67, 30, 1},      {66, 30, 0},     {72000, 1, 4},    {71999, 1, 3},
        {0, 1e9, 0},   {INT_MAX, 30, 4}, {INT_MAX, 0, 0}, {INT_MAX, -1, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(level_for_speed(c.speed, c.timeout_turn), c.level)
            << c.speed << " nps, " << c.timeout_turn << " s";
}

// A fresh engine in a game with a few stones played. A clock that never moves makes the
// first check's speed node_count * 1000: far above every budget, so level 4.
TEST(Benchmark, MessagesInOrderAndTheGameUntouched) {
    fresh_state(15);
    game.status = STATUS_PLAYS_SECOND;
    game.side = -1;
    put_stone(3, 4, 1);
    put_stone(5, 6, -1);
    timing_clock = [] { return 0LL; };
    game_state before = game;

    said();
    EXPECT_EQ(benchmark(), 4);
    std::string out = said();
    EXPECT_EQ(levels.max_depth, level_table[4][2]);
    EXPECT_GE(timing.nodes_per_sec, 129 * 1000);
    EXPECT_TRUE(out.starts_with(level_line(0)) && out.ends_with(level_line(4))) << out;
    EXPECT_EQ(std::memcmp(&before, &game, sizeof game), 0);
    EXPECT_EQ(root.tree_root, nullptr);
    EXPECT_EQ(timing.node_count, 1);
    reset_timing();
}

} // namespace
