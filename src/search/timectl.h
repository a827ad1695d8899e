#pragma once
// Time control and speed measurement: the manager's time settings, the level fixed for a
// game or measured for it, and the clock checks of the search. Every 128 counted nodes the search
// checks the clock and, when the move or the game runs short of time, lowers the level's depth
// limits so that the rest of the search is cheaper. As a last resort, when the move's deadline is
// about to pass, the search stops and the move is chosen from what was fully searched.

// What the search counts and reads; the rest of the time control's state is its own.
struct timing_state {
    int node_count;    // nodes completed in this move, plus one
    int nodes_per_sec; // speed measured in this game; 0 not measured yet
    bool stopped;      // the search was stopped: its unfinished nodes are discarded
};
extern timing_state timing;

// The clock the checks read, in milliseconds; tests may replace it, reset_timing puts the
// real one back.
extern long long (*timing_clock)();

// Process-start values: nothing measured, no deadline, no lowered limits, the real clock.
void reset_timing();

// ---- For the command loop -----------------------------------------------------------------

// A new game (START, RESTART): the manager's game clock starts again, so does the match
// rule, and the speed is to be measured again (a fixed level is fixed no more).
void new_game_clock();

// INFO's time keys, from the manager's milliseconds. A turn time of 0 fixes level 0 for the
// rest of the game; a later turn time does not undo that.
void set_turn_time(int ms);
void set_match_time(int ms);
void set_time_left(int ms);

// Fixes `level` for the rest of the game (set_game_level): no benchmark before the
// engine's next move and no speed measuring. INFO timeout_turn 0 fixes level 0; tools and
// tests fix the level they search at.
void fix_level(int level);

// True while the speed is still to be measured in this game: the level is not fixed and no
// search has measured it. The engine's next move then needs the benchmark first.
bool speed_unknown();

// A move is asked for: the last-resort stop is set for this move's deadline (the turn time,
// or the game clock when a match limit is in force and less is left on it), less a margin
// for the reply to reach the manager. Without a limit the search is never stopped.
void arm_stop();

// The move has been answered: no deadline until the next request.
void disarm_stop();

// ---- For the search ---------------------------------------------------------------------

// Start of a move choice: clock mark, the stop cleared, and the level's own limits again
// if the previous move lowered them.
void turn_begin();

// True when a clock check is due at a node about to search its candidates.
bool check_due();

// The clock check: measures the speed if still unknown, stops the search at the deadline,
// then applies the move's and the match's time rules, each at most one step.
void clock_check();

// Reads the clock when a stop is armed: true (and `stopped` set) once the deadline is near.
bool out_of_time();

// End of a searched move choice.
void turn_end();
