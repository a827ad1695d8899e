#pragma once
// Time control and speed measurement. The search is never broken off: every 128 counted
// nodes it checks the clock and, when the move or the match runs short of time, lowers
// the level's depth limits so that the rest of the search is cheaper.

struct timing_state {
    long long turn_start; // clock reading (ms) at the start of the move choice
    int check_count;      // clock checks in this move, plus one
    int node_count;       // nodes completed in this move, plus one
    int nodes_per_sec;    // measured speed; 0 not measured, 1 fixed by timeout_turn 0
    int turn_time_state;  // limits lowered for this move: 0 no, 1 level below, 2 level 0
    int match_time_state; // level lowered for good: 0 no, 1 by one, 2 to 0; never reset
};
extern timing_state timing;

// The clock the checks read, in milliseconds; tests may replace it.
extern long long (*timing_clock)();

// Process-start values (node_count and check_count 1, everything else 0, real clock).
void reset_timing();

// Start of a move choice: clock mark, check_count 1, and the level's own limits again if
// the previous move lowered them.
void turn_begin();

// True when a clock check is due at a node about to search its candidates.
bool check_due();

// The clock check: measures the speed if still unknown, then applies the move's and the
// match's time rules, each at most one step.
void clock_check();

// End of a searched move choice.
void turn_end();
