#pragma once
// The threat solver: whether the side to move wins by threats, fours and open threes. A four
// is answered by its block; an open three by any square after which the attacker no longer
// threatens an open four, or by one of the defender's own fours (each answered by its block).
// A "yes" is proven; a "no" may be the node bound. Works on the deep board and leaves it as
// it found it.
#include <cstdint>

#include "search/deep/refuted.h"

struct vct_state {
    long long nodes; // nodes of the current solve
    long long limit; // the solve gives up past this many
    int first;       // the winning first move, when the solve says yes
};
extern vct_state vct;

// Positions refuted to a depth in threats.
extern refuted_entry vct_memo[REFUTED_SLOTS];

// Empties the memo (new game, new rule).
void reset_vct();

// Whether `colour`, to move, wins with at most `depth` threats of its own within
// `node_limit` nodes; the first move in vct.first.
bool solve_vct(int colour, int depth, long long node_limit);
