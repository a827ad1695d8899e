#pragma once
// The deadline every search keeps to: the time a move may take, from the turn time and the
// game clock, and the last-resort stop that the command loop arms for each move.

// The clock every search reads, in milliseconds (clock_ms unless a test sets its own;
// reset_deadline puts the real one back).
extern long long (*deadline_clock)();

struct deadline_state {
    bool armed;        // this move has a deadline
    long long stop_at; // clock reading (ms) at which the search stops, when armed
    bool stopped;      // the search was stopped: its unfinished work is discarded
};
extern deadline_state deadline;

// Not armed, not stopped, the real clock: as at process start.
void reset_deadline();

// The time one move may take, in seconds: the turn time, or the game clock when a match
// limit is in force and less is left on it. Infinite when neither limit is in force.
double move_time();

// A move is asked for: the last-resort stop is set for this move's deadline, less a margin
// for the reply to reach the manager. Without a limit the search is never stopped.
void arm_stop();

// The move has been answered: no deadline until the next request.
void disarm_stop();

// Reads the clock when a stop is armed: true (and `stopped` set) once the deadline is near.
bool out_of_time();
