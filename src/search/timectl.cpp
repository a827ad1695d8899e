// Time control and speed measurement. Checks run every 128 completed nodes; each check
// may move the move's state and the match's state one step each, never more, so a second
// step always needs a later check.
#include "search/timectl.h"

#include <climits>
#include <cmath>

#include "game/game.h"
#include "search/clock.h"

timing_state timing;
long long (*timing_clock)() = clock_ms;

namespace {
constexpr int NODES_PER_CHECK = 128;
constexpr double TURN_RESERVE = 1.0;  // seconds of the move kept back before level 0
constexpr double MATCH_RESERVE = 4.0; // seconds of the match kept back before level 0

// What the last-resort stop keeps back of a move's time: the clock is read only every 128
// nodes (checks came up to 71 ms apart on 20 x 20 with the machine loaded by two busy
// processes), the stopped search still has to unwind and answer, and on a busy machine the
// engine may wait for a core before its reply leaves. A fixed part covers a short move, a
// share of the move a long one.
constexpr long long STOP_MARGIN_MS = 100;
constexpr double STOP_MARGIN_SHARE = 0.05;

// Nodes per second over `ms` milliseconds. Less than a millisecond counts as one, so a
// search that finishes its first 128 nodes within the same tick still gets a (very high)
// measured speed instead of 0, which would make the benchmark run again.
int measured_speed(int nodes, long long ms) {
    if (ms < 1) ms = 1;
    long long speed = static_cast<long long>(nodes) * 1000 / ms;
    return speed > INT_MAX ? INT_MAX : static_cast<int>(speed);
}

// The move's time: two thirds gone lowers the limits to the level below for this move;
// under a second left lowers them to level 0.
void turn_rule(double elapsed, double limit) {
    if (timing.turn_time_state == 0) {
        if (elapsed > limit * 2.0 / 3.0) {
            set_level(levels.level - 1);
            timing.turn_time_state = 1;
        }
    } else if (timing.turn_time_state == 1) {
        if (limit - elapsed < TURN_RESERVE) {
            set_level(0);
            timing.turn_time_state = 2;
        }
    }
}

// The game's time: below a third of the match time the level itself drops by one, below
// the reserve it drops to 0. Both hold for the rest of the game.
void match_rule(double elapsed) {
    double remaining = settings.time_left - elapsed;
    if (timing.match_time_state == 0 && remaining < settings.timeout_match / 3.0) {
        levels.level--;
        set_level(levels.level);
        timing.match_time_state = 1;
    } else if (timing.match_time_state == 1 && remaining < MATCH_RESERVE) {
        levels.level = 0;
        set_level(0);
        timing.match_time_state = 2;
    }
}

} // namespace

void reset_timing() {
    timing = timing_state{0, 1, 1, 0, false, 0, 0, false, 0, false};
    timing_clock = clock_ms;
}

void new_game_clock() {
    timing.nodes_per_sec = 0;
    timing.level_fixed = false;
    timing.match_time_state = 0;
}

void set_turn_time(int ms) {
    settings.timeout_turn = ms / 1000.0;
    if (ms == 0) fix_level(0);
}

void set_match_time(int ms) {
    settings.timeout_match = ms / 1000.0;
}

void set_time_left(int ms) {
    settings.time_left = ms / 1000.0;
}

void fix_level(int level) {
    timing.level_fixed = true;
    levels.level = level;
    set_level(level);
}

bool speed_unknown() {
    return !timing.level_fixed && timing.nodes_per_sec == 0;
}

double move_time() {
    double limit = settings.timeout_turn > 0 ? settings.timeout_turn : INFINITY;
    if (settings.timeout_match > 0 && settings.time_left < limit) limit = settings.time_left;
    return limit;
}

void arm_stop() {
    const double limit = move_time();
    timing.stop_armed = std::isfinite(limit);
    if (!timing.stop_armed) return;
    const double ms = limit > 0 ? limit * 1000.0 : 0.0;
    const double margin = static_cast<double>(STOP_MARGIN_MS) + ms * STOP_MARGIN_SHARE;
    // A limit beyond any real game (a huge INFO value) is clamped well inside the range.
    const double budget = std::fmin(ms - margin, 1e12);
    timing.stop_at = timing_clock() + static_cast<long long>(budget);
}

void disarm_stop() {
    timing.stop_armed = false;
}

bool out_of_time() {
    if (timing.stop_armed && !timing.stopped && timing_clock() >= timing.stop_at)
        timing.stopped = true;
    return timing.stopped;
}

void turn_begin() {
    timing.turn_start = timing_clock();
    timing.check_count = 1;
    timing.stopped = false;
    if (timing.turn_time_state != 0) {
        set_level(levels.level);
        timing.turn_time_state = 0;
    }
}

bool check_due() {
    return timing.check_count * NODES_PER_CHECK < timing.node_count;
}

void clock_check() {
    // 1. Count the check and read the clock.
    timing.check_count++;
    long long ms = timing_clock() - timing.turn_start;
    double elapsed = static_cast<double>(ms) / 1000.0;

    // 2. The first check of a game whose speed is unknown measures it.
    if (speed_unknown()) timing.nodes_per_sec = measured_speed(timing.node_count, ms);

    // 3. The deadline is near: stop, whatever the level.
    if (out_of_time()) return;

    // 4. No turn time or already at level 0: nothing to lower.
    if (settings.timeout_turn <= 0 || levels.level <= 0) return;

    // 5. The move's rule first, then the match's, so the match's limits win when both fire.
    turn_rule(elapsed, move_time());
    match_rule(elapsed);
}

void turn_end() {
    timing.node_count = 1;
}
