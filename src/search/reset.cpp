// One reset for the whole engine, so that the protocol, the tools and the tests start from
// the same state as a fresh process.
#include "search/search.h"
#include "search/timectl.h"

void reset_engine() {
    reset_game_state();
    reset_levels();
    reset_timing();
    reset_root(); // releases a leftover tree before its nodes are counted afresh
    reset_tree_memory();
    reset_keys(); // restarts the random sequence too
    reset_watch();
    reset_live();
}
