#pragma once
// Every process-wide record back to its start-up values, so each test starts from the
// state a fresh engine process has.
#include "game/game.h"
#include "search/search.h"
#include "search/timectl.h"
#include "search/tree.h"

inline void fresh_state(int dim) {
    reset_game_state();
    reset_levels();
    reset_timing();
    reset_root();
    reset_keys();
    game.dim = dim;
}
