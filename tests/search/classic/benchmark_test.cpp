// The speed benchmark: its level rule, and what it says and sets on a clock that stands still.
#include <gtest/gtest.h>

#include <climits>

#include "search/classic/benchmark.h"
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

// The speed is measured at the search's first clock check, once 128 nodes are done (129
// counted, under a millisecond counting as one), and it gives the game its level.
TEST(Benchmark, MeasuresAtTheFirstClockCheckAndSetsTheGameLevel) {
    fresh_state(15);
    deadline_clock = [] { return 0LL; };
    benchmark();
    const std::string lines = said();
    EXPECT_TRUE(lines.starts_with(level_line(0) + "MESSAGE Val... ")) << lines;
    EXPECT_TRUE(lines.ends_with("\nMESSAGE Nods per sec... 129000\n" + level_line(4))) << lines;
    EXPECT_EQ(levels.level, 4);
}

} // namespace
