// One reset for the whole engine, so that the protocol, the tools and the tests start from
// the same state as a fresh process: the search's injected hooks (the clock, the node
// source) are its own again. The output hooks (message_sink, exit_hook) belong to the
// harness that set them, for its whole run.
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
    reset_memo();
}
