// The clock check's state machines, driven by an injected clock.
#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>

#include "support/position.h"

namespace {

long long fake_now = 0;

// A move choice that started at time 0 at `level`: 30 s a move, a 180 s match with ample
// time left.
void start_move(int level) {
    fresh_state(15);
    timing_clock = [] { return fake_now; };
    settings.time_left = 1000;
    levels.level = level;
    fake_now = 0;
    set_level(level);
    turn_begin();
}

// One clock check at `ms` after the move's start; returns what the engine said.
std::string check_at(long long ms) {
    fake_now = ms;
    said();
    clock_check();
    return said();
}

// The next move choice begins; returns what the engine said.
std::string next_move() {
    said();
    turn_begin();
    return said();
}

// "turn_time_state match_time_state level L", L the level whose limits are loaded (each
// level has a max_depth of its own).
std::string state() {
    int loaded = -1;
    for (int l = 0; l < LEVELS; l++)
        if (levels.max_depth == level_table[l][2]) loaded = l;
    return std::to_string(timing.turn_time_state) + " " + std::to_string(timing.match_time_state) +
           " " + std::to_string(levels.level) + " " + std::to_string(loaded);
}

// Two thirds of the move's time, then under one second left, both strict; the next move
// restores the level's own limits.
TEST(ClockCheck, TurnTimeLowersTheLimitsForThisMoveOnly) {
    start_move(3);
    EXPECT_EQ(check_at(20000), ""); // exactly two thirds: not greater
    EXPECT_EQ(state(), "0 0 3 3");
    EXPECT_EQ(check_at(20001), level_line(2));
    EXPECT_EQ(state(), "1 0 3 2");
    EXPECT_EQ(check_at(29000), ""); // exactly one second left
    EXPECT_EQ(check_at(29001), level_line(0));
    EXPECT_EQ(state(), "2 0 3 0");
    EXPECT_EQ(check_at(40000), ""); // state 2 stays put
    EXPECT_EQ(timing.check_count, 6);

    EXPECT_EQ(next_move(), level_line(3));
    EXPECT_EQ(state(), "0 0 3 3");
    EXPECT_EQ(timing.check_count, 1);
    EXPECT_EQ(next_move(), ""); // an unlowered move restores nothing
    start_move(3);
    EXPECT_EQ(check_at(20001), level_line(2));
    EXPECT_EQ(next_move(), level_line(3)); // a move lowered by one step is restored too
}

// Each state moves one step per check. When both rules fire in one check, the match's
// set_level comes last and its limits hold, even above the move's level 0.
TEST(ClockCheck, OneStepPerCheckAndTheMatchRuleLast) {
    start_move(4);
    settings.time_left = 3; // past both match thresholds already
    EXPECT_EQ(check_at(29500), level_line(3) + level_line(3));
    EXPECT_EQ(state(), "1 1 3 3");
    EXPECT_EQ(check_at(29500), level_line(0) + level_line(0));
    EXPECT_EQ(state(), "2 2 0 0");

    start_move(3);
    EXPECT_EQ(check_at(25000), level_line(2));
    settings.time_left = 80; // 80 - 29.5 is below 180 / 3
    EXPECT_EQ(check_at(29500), level_line(0) + level_line(2));
    EXPECT_EQ(state(), "2 1 2 2");
}

TEST(ClockCheck, MatchTimeLowersTheLevelForGood) {
    start_move(3);
    settings.time_left = 50; // already below a third of 180
    EXPECT_EQ(check_at(100), level_line(2));
    EXPECT_EQ(state(), "0 1 2 2");
    EXPECT_EQ(check_at(200), ""); // 49.8 s left: nothing more
    settings.time_left = 4.2;
    EXPECT_EQ(check_at(200), ""); // exactly 4.0 s left: not below
    EXPECT_EQ(check_at(201), level_line(0));
    EXPECT_EQ(state(), "0 2 0 0");
}

// A move may take the turn time, or less when the game clock has less left (and a match
// limit is in force); a turn time of 0 or less sets no limit of its own.
TEST(ClockCheck, TheMoveHasTheEarlierDeadline) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double turn, match, left, limit;
    } cases[] = {{30, 180, 1000, 30}, {30, 180, 1.39, 1.39}, {30, 0, 1.39, 30},
                 {0, 180, 50, 50},    {-1, 0, 50, inf},      {2, 180, -3, -3}};
    for (const auto &c : cases) {
        settings.timeout_turn = c.turn;
        settings.timeout_match = c.match;
        settings.time_left = c.left;
        EXPECT_EQ(move_time(), c.limit) << c.turn << " " << c.match << " " << c.left;
    }
    // The turn rule works on that deadline: two thirds of 6 s.
    start_move(3);
    settings.timeout_match = 3;
    settings.time_left = 6;
    EXPECT_EQ(check_at(4000), "");
    EXPECT_EQ(check_at(4001), level_line(2));
}

// The last-resort stop: armed for a move with a limit, it fires at the first check that
// finds the deadline (less the margin) reached, at any level, and changes no limit.
TEST(ClockCheck, StopsAtTheDeadline) {
    for (int level : {0, 3}) {
        start_move(level);
        settings.timeout_turn = 2;
        arm_stop();
        ASSERT_TRUE(timing.stop_armed);
        EXPECT_GT(timing.stop_at, 1000);
        EXPECT_LT(timing.stop_at, 2000);
        check_at(timing.stop_at - 1);
        EXPECT_FALSE(timing.stopped);
        const std::string before = state();
        EXPECT_EQ(check_at(timing.stop_at), "");
        EXPECT_TRUE(timing.stopped);
        EXPECT_EQ(state(), before);
        next_move(); // the next move choice starts unstopped
        EXPECT_FALSE(timing.stopped);
        disarm_stop();
        EXPECT_FALSE(out_of_time());
    }
    // No limit at all: never armed.
    start_move(0);
    settings.timeout_turn = 0;
    settings.timeout_match = 0;
    arm_stop();
    EXPECT_FALSE(timing.stop_armed);
}

// Without a turn time or at level 0 the checks lower nothing. The first check of a game
// whose speed is unknown measures it (a fixed level or a measured speed is not measured
// again); under a millisecond counts as one.
TEST(ClockCheck, MeasuresTheSpeedOnceAndIdlesWithoutLimits) {
    const struct {
        double timeout_turn;
        int level, node_count;
        long long ms;
        int speed;
    } cases[] = {
        {0, 3, 500, 60000, 8},     {-1, 3, 129, 1000, 129},     {30, 0, 1000, 500, 2000},
        {30, 0, 1000, 0, 1000000}, {0, 0, INT_MAX, 0, INT_MAX},
    };
    for (const auto &c : cases) {
        start_move(c.level);
        settings.timeout_turn = c.timeout_turn;
        settings.time_left = 1;
        timing.node_count = c.node_count;
        EXPECT_EQ(check_at(c.ms), "");
        EXPECT_EQ(state(), "0 0 " + std::to_string(c.level) + " " + std::to_string(c.level));
        EXPECT_EQ(timing.nodes_per_sec, c.speed) << c.node_count << " " << c.ms;
        timing.node_count = c.node_count / 8 * 7;
        check_at(c.ms + 1000);
        EXPECT_EQ(timing.nodes_per_sec, c.speed);
    }
    start_move(0);
    fix_level(0);
    timing.node_count = 500;
    check_at(100);
    EXPECT_EQ(timing.nodes_per_sec, 0);
    // A check is due once every 128 nodes are done: the first at the 129th.
    timing.check_count = 1;
    timing.node_count = 128;
    EXPECT_FALSE(check_due());
    timing.node_count = 129;
    EXPECT_TRUE(check_due());
}

} // namespace
