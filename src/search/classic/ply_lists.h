#pragma once
#include "movegen/movegen.h"

// Per-ply candidate lists for the search, in static storage: a run of lone forced replies
// is followed past every depth limit until the board fills, so plies go up to
// root_ply + 400, far too deep for a list on every stack frame. A ply outside 0..MAX_PLY-1
// is an internal fault and ends the process with status 1.
constexpr int MAX_PLY = 2 + BOARD_CELLS + 2;
move_list &ply_list(int ply);
