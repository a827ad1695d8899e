#pragma once
// The plain search: negamax over the generator's lists without pruning, tree or clock,
// with the search's leaf rules (a five by ply, the static score past the level's limits,
// lone candidates searched however deep). Slow; the tests hold alphabeta to it.
int search_reference(int *board, int colour, int ply, int tag);
