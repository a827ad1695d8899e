#pragma once
// Plain forms of the search's parts, the tests hold the fast ones to.
#include "search/classic/hash.h"

// The position key by its definition, over every cell of the board in scan order: for each
// stone h0 = h0 * 16807 + K + offset and h1 likewise, a +1 stone adding (K0, a) to h0 and
// (K1, b) to h1, a -1 stone (K1, b) to h0 and (K0, a) to h1. The key tables must be filled.
hash_key hash_reference(const int *board, int a, int b);

// The plain search: negamax over the generator's lists without pruning, tree or clock,
// with the search's leaf rules (a five by ply, the static score past the level's limits,
// lone candidates searched however deep). Slow; the tests hold alphabeta to it.
int search_reference(int *board, int colour, int ply, int tag);
