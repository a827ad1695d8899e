// Levels: the row of depth limits in force.
#include <cassert>

#include "game/game.h"

level_state levels;

void reset_levels() {
    levels = level_state{};
}

void load_level(int n) {
    assert(n >= 0 && n < LEVELS);
    levels.full_depth = level_table[n][0];
    levels.threat_depth = level_table[n][1];
    levels.max_depth = level_table[n][2];
}

void set_level(int n) {
    load_level(n);
    say("MESSAGE Level... %d", n);
}

void set_game_level(int n) {
    levels.level = n;
    set_level(n);
}
