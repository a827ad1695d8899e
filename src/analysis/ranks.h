#pragma once
// Private to line analysis: the writing side of the rank buckets, which the live analysis
// keeps in step with its analyses; the reading side is in analysis.h.
#include "analysis/analysis.h"

// Every bucket empty.
void reset_ranks();

// Moves the square with cell index c of colour index k from bucket `from` to bucket `to`
// (0: in no bucket). Called only when the two differ.
void move_rank(int c, int k, int from, int to);

// The bytes the rank sets hold.
long rank_bytes();
