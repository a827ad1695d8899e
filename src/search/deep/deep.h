#pragma once
// The deep mode: brusk's second search, as the protocol drives it.
#include "search/mode.h"

extern const search_mode deep_mode;
