#pragma once
// Speed benchmark: before the engine's first move of a game, a level-0 search of a fixed
// position measures the search speed, and the speed picks the level for the game.
#include "game/game.h"

// Node budget per level: divided by nodes per second it is the time that level's search
// is expected to take.
constexpr int speed_thresholds[LEVELS] = {200, 2000, 8000, 24000, 72000};

// Clears `board` (shared dim) and puts the eight stones of the test position around
// the centre square; +1 is to move.
void place_test_position(int *board);

// Measures the search speed on the test position at level 0 and sets the game's level
// (set_game_level) to the deepest one whose node budget fits into timeout_turn.
void benchmark();

// The level rule on its own: highest L in 1..4 with speed_thresholds[L] / speed at most
// timeout_turn, else 0. A speed of 0 counts as too slow for every level.
int level_for_speed(int nodes_per_sec, double timeout_turn);
