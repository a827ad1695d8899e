// The classic search as the protocol sees it: levels chosen by a speed benchmark, a
// per-move transposition tree.
#include <cstring>

#include "search/classic/benchmark.h"
#include "search/classic/classic.h"
#include "search/classic/memo.h"
#include "search/classic/root.h"
#include "search/classic/timectl.h"
#include "search/mode.h"

namespace {

// Before the engine's first move of a game the benchmark measures the speed and sets the
// level. A RESTART before any START leaves a board of side 0, with no room for its position.
void before_move() {
    if (speed_unknown() && game.dim > 0) benchmark();
}

void reset_classic() {
    reset_levels();
    reset_timing();
    reset_root(); // releases a leftover tree before its nodes are counted afresh
    reset_tree_memory();
    reset_keys(); // restarts the random sequence too
    reset_memo();
}

void info_applied(const char *key) {
    if (std::strcmp(key, "timeout_turn") == 0) turn_time_set();
}

bool no_keys_of_its_own(const char *, int (*)()) {
    return false;
}

} // namespace

const search_mode classic_mode = {
    "name=\"brusk\", version=\"1\", author=\"Vostrel\", "
    "email=\"brusk-maintainers@example.org\", country=\"CZ\"",
    before_move,
    choose_move,
    new_game_clock, // the game clock and the match rule start again, the speed is unknown
    reset_root,     // a win found before the undo no longer stands
    reset_classic,
    classic_bytes,
    info_applied,
    no_keys_of_its_own,
};
