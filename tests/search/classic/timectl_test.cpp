// The clock checks as the search and the manager see them: the level lines they say, the
// stop of the search and the speed they measure, driven by an injected clock.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "search/classic/alphabeta.h"
#include "support/position.h"

namespace {

long long fake_now = 0;

// A move choice that started at time 0 at `level`, in a game whose speed is not measured
// yet: 30 s a move, a 180 s match with ample time left.
void start_move(int level) {
    fresh_state(15);
    deadline_clock = [] { return fake_now; };
    settings.time_left = 1000;
    fake_now = 0;
    set_game_level(level);
    turn_begin();
    said();
}

// One clock check at `ms` after the move's start; returns what the engine said.
std::string check_at(long long ms) {
    fake_now = ms;
    clock_check();
    return said();
}

// The next move choice begins; returns what the engine said.
std::string next_move() {
    fake_now = 0;
    turn_begin();
    return said();
}

// Two thirds of the move's time, then under one second left, both strict; the next move
// restores the level's own limits, whether they went one step down or two.
TEST(ClockCheck, TurnTimeLowersTheLimitsForThisMoveOnly) {
    start_move(3);
    EXPECT_EQ(check_at(20000), ""); // exactly two thirds: not greater
    EXPECT_EQ(check_at(20001), level_line(2));
    EXPECT_EQ(check_at(29000), ""); // exactly one second left
    EXPECT_EQ(check_at(29001), level_line(0));
    EXPECT_EQ(check_at(40000), "");
    EXPECT_EQ(next_move(), level_line(3));
    EXPECT_EQ(next_move(), ""); // an unlowered move restores nothing
    start_move(3);
    EXPECT_EQ(check_at(20001), level_line(2));
    EXPECT_EQ(next_move(), level_line(3));
}

// Each rule moves one step per check. When both fire in one check the match's line comes
// last and its limits hold; the next move starts at the game's lowered level.
TEST(ClockCheck, OneStepPerCheckAndTheMatchRuleLast) {
    start_move(4);
    settings.time_left = 3; // past both match thresholds already
    EXPECT_EQ(check_at(29500), level_line(3) + level_line(3));
    EXPECT_EQ(check_at(29500), level_line(0) + level_line(0));
    EXPECT_EQ(next_move(), level_line(0));

    start_move(3);
    EXPECT_EQ(check_at(25000), level_line(2));
    settings.time_left = 80; // 80 - 29.5 is below 180 / 3
    EXPECT_EQ(check_at(29500), level_line(0) + level_line(2));
    EXPECT_EQ(next_move(), level_line(2));
}

// Below a third of the match time the level drops by one for the rest of the game, below
// four seconds to 0; a move's own rule then starts from the lowered level.
TEST(ClockCheck, MatchTimeLowersTheLevelForGood) {
    start_move(3);
    settings.time_left = 50; // already below a third of 180
    EXPECT_EQ(check_at(100), level_line(2));
    EXPECT_EQ(check_at(200), ""); // 49.8 s left: nothing more
    EXPECT_EQ(next_move(), "");
    EXPECT_EQ(check_at(20001), level_line(1));
    start_move(3);
    settings.time_left = 4.2;
    EXPECT_EQ(check_at(200), level_line(2));
    EXPECT_EQ(check_at(200), ""); // exactly 4.0 s left: not below
    EXPECT_EQ(check_at(201), level_line(0));
}

// The move's deadline is the turn time, or the game clock when a match limit is in force
// and less is left on it; a turn time of 0 or less sets none of its own. The stop fires
// before the deadline but not before half of it, says nothing, and the next move choice
// starts unstopped.
TEST(ClockCheck, StopsBeforeTheEarlierDeadline) {
    const struct {
        double turn, match, left;
        long long deadline_ms; // LLONG_MAX: none
    } cases[] = {
        {2, 180, 1000, 2000}, {30, 180, 1.39, 1390},  {2, 0, 1.39, 2000},
        {0, 180, 50, 50000},  {-1, 0, 50, LLONG_MAX},
    };
    for (const auto &c : cases) {
        start_move(0);
        settings.timeout_turn = c.turn;
        settings.timeout_match = c.match;
        settings.time_left = c.left;
        arm_stop();
        check_at(c.deadline_ms / 2);
        EXPECT_FALSE(deadline.stopped) << c.deadline_ms;
        EXPECT_EQ(check_at(c.deadline_ms - 1), "");
        EXPECT_EQ(deadline.stopped, c.deadline_ms < LLONG_MAX) << c.deadline_ms;
        next_move();
        EXPECT_FALSE(deadline.stopped);
        disarm_stop();
        EXPECT_FALSE(out_of_time());
    }
}

// Without a turn time or at level 0 the checks lower nothing. The first check of a game
// whose speed is unknown measures it, once; under a millisecond counts as one.
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
        EXPECT_EQ(timing.nodes_per_sec, c.speed) << c.node_count << " " << c.ms;
        timing.node_count = c.node_count / 8 * 7;
        check_at(c.ms + 1000);
        EXPECT_EQ(timing.nodes_per_sec, c.speed);
    }
}

// A search reads the clock at its start and then once every 128 nodes it completes.
TEST(ClockCheck, ReadsTheClockOnceEvery128Nodes) {
    static int reads;
    const int side = set_bench("test position 15", 4);
    reads = 0;
    deadline_clock = [] { return static_cast<long long>(reads++); };
    choose_move(game.board, side);
    EXPECT_NEAR(reads - 1, report.nodes / 128, 1) << report.nodes;
}

} // namespace
