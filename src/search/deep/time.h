#pragma once
// The deep mode's time for one move: a target that iterations aim to finish by and a hard
// limit at which the search stops, from the turn time and the game clock.

struct deep_time {
    bool limited;       // false: no clock, only the node and depth limits
    long long start_ms; // deadline_clock() when the move choice began
    long long target_ms;
    long long hard_ms; // both relative to start_ms
};
extern deep_time dtime;

// Plans the move starting now.
void plan_time();

// Milliseconds since the move choice began.
long long elapsed_ms();

// Whether a new iteration may start: past half the target it would not finish in time,
// unless the target is the hard limit itself.
bool time_for_iteration();

// Whether the search must stop now: past the hard limit, or the last-resort stop.
bool time_is_up();
