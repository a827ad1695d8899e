// Time control and speed measurement. Checks run every 128 completed nodes; each check
// may move the move's state and the match's state one step each, never more, so a second
// step always needs a later check.
#include "search/classic/timectl.h"

#include <climits>
#include <cmath>

#include "game/game.h"
#include "search/deadline.h"

timing_state timing;

namespace {

// How far time has pushed the limits down: for the move (its own limits, restored by the
// next move) and for the game (the level itself, for the rest of the game).
enum pressure { UNPRESSED, ONE_LEVEL_DOWN, AT_LEVEL_0 };

struct clock_state {
    long long turn_start;    // clock reading (ms) at the start of the move choice
    int check_count;         // clock checks in this move, plus one
    bool level_fixed;        // the level is fixed for this game: no benchmark, no measuring
    pressure turn_pressure;  // limits lowered for this move
    pressure match_pressure; // level lowered for this game
};
clock_state control; // the time control's own state

constexpr int NODES_PER_CHECK = 128;
constexpr double TURN_RESERVE = 1.0;  // seconds of the move kept back before level 0
constexpr double MATCH_RESERVE = 4.0; // seconds of the match kept back before level 0

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
    if (control.turn_pressure == UNPRESSED) {
        if (elapsed > limit * 2.0 / 3.0) {
            set_level(levels.level - 1);
            control.turn_pressure = ONE_LEVEL_DOWN;
        }
    } else if (control.turn_pressure == ONE_LEVEL_DOWN) {
        if (limit - elapsed < TURN_RESERVE) {
            set_level(0);
            control.turn_pressure = AT_LEVEL_0;
        }
    }
}

// The game's time: below a third of the match time the level itself drops by one, below
// the reserve it drops to 0. Both hold for the rest of the game.
void match_rule(double elapsed) {
    double remaining = settings.time_left - elapsed;
    if (control.match_pressure == UNPRESSED && remaining < settings.timeout_match / 3.0) {
        set_game_level(levels.level - 1);
        control.match_pressure = ONE_LEVEL_DOWN;
    } else if (control.match_pressure == ONE_LEVEL_DOWN && remaining < MATCH_RESERVE) {
        set_game_level(0);
        control.match_pressure = AT_LEVEL_0;
    }
}

} // namespace

long timing_bytes() {
    return static_cast<long>(sizeof(timing_state) + sizeof(clock_state));
}

void reset_timing() {
    timing = timing_state{1, 0};
    control = clock_state{0, 1, false, UNPRESSED, UNPRESSED};
}

void new_game_clock() {
    timing.nodes_per_sec = 0;
    control.level_fixed = false;
    control.match_pressure = UNPRESSED;
}

void turn_time_set() {
    if (settings.timeout_turn == 0) fix_level(0);
}

void fix_level(int level) {
    control.level_fixed = true;
    set_game_level(level);
}

bool speed_unknown() {
    return !control.level_fixed && timing.nodes_per_sec == 0;
}

void turn_begin() {
    control.turn_start = deadline_clock();
    control.check_count = 1;
    deadline.stopped = false;
    if (control.turn_pressure != UNPRESSED) {
        set_level(levels.level);
        control.turn_pressure = UNPRESSED;
    }
}

bool check_due() {
    return control.check_count * NODES_PER_CHECK < timing.node_count;
}

void clock_check() {
    // 1. Count the check and read the clock.
    control.check_count++;
    long long ms = deadline_clock() - control.turn_start;
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
