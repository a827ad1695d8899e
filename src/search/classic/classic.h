#pragma once
// The classic search: levels chosen by a speed benchmark, a per-move transposition tree.
#include "search/mode.h"

// The classic search as the protocol drives it.
extern const search_mode classic_mode;
