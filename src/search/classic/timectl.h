#pragma once
#include "search/deadline.h"
// Time control and speed measurement: the manager's time settings, the level fixed for a
// game or measured for it, and the clock checks of the search. Every 128 counted nodes the search
// checks the clock and, when the move or the game runs short of time, lowers the level's depth
// limits so that the rest of the search is cheaper. As a last resort, when the move's deadline is
// about to pass, the search stops and the move is chosen from what was fully searched.

// What the search counts and reads; the rest of the time control's state is its own.
struct timing_state {
    int node_count;    // nodes completed in this move, plus one
    int nodes_per_sec; // speed measured in this game; 0 not measured yet
};
extern timing_state timing;

// The bytes of the time control's records, for the memory budget.
long timing_bytes();

// Process-start values: nothing measured, no lowered limits.
void reset_timing();

// ---- For the command loop -----------------------------------------------------------------

// A new game (START, RESTART): the manager's game clock starts again, so does the match
// rule, and the speed is to be measured again (a fixed level is fixed no more).
void new_game_clock();

// INFO timeout_turn has set the turn time: a turn time of 0 fixes level 0 for the rest of
// the game; a later turn time does not undo that.
void turn_time_set();

// Fixes `level` for the rest of the game (set_game_level): no benchmark before the
// engine's next move and no speed measuring. INFO timeout_turn 0 fixes level 0; tools and
// tests fix the level they search at.
void fix_level(int level);

// True while the speed is still to be measured in this game: the level is not fixed and no
// search has measured it. The engine's next move then needs the benchmark first.
bool speed_unknown();

// ---- For the search ---------------------------------------------------------------------

// Start of a move choice: clock mark, the stop cleared, and the level's own limits again
// if the previous move lowered them.
void turn_begin();

// True when a clock check is due at a node about to search its candidates.
bool check_due();

// The clock check: measures the speed if still unknown, stops the search at the deadline,
// then applies the move's and the match's time rules, each at most one step.
void clock_check();

// End of a searched move choice.
void turn_end();
