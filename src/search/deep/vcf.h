#pragma once
// The four-threat solver: whether the side to move wins by fours alone. Each four is answered
// by its one block; the line wins when it ends in five, in a four with two five squares, or
// (renju) in white's four whose block is forbidden to black. It fails where the defender has
// a five square of its own. Works on the deep board and leaves it as it found it.
#include <cstdint>

#include "search/deep/refuted.h"

constexpr int VCF_MAX_LINE = 64;

struct vcf_state {
    long long nodes; // nodes of the current solve
    long long limit; // the solve gives up past this many
    bool aborted;    // the limit was reached: a "no" is not proven
    int length;      // the winning line, attacker's and defender's moves alternating
    int line[VCF_MAX_LINE];
};
extern vcf_state vcf;

// Positions refuted to a depth in fours.
extern refuted_entry vcf_memo[REFUTED_SLOTS];

// Empties the memo (new game, new rule).
void reset_vcf();

// Whether `colour`, to move, wins with at most `depth` fours within `node_limit` nodes; the
// line is left in vcf.line (cells), the winning five last.
bool solve_vcf(int colour, int depth, long long node_limit);

// The first square (in the board's order) where colour index i makes five, -1 when none.
int first_five(int i);

// Whether black may not play the empty square c (renju only; always false otherwise).
bool black_forbidden(int c);

// Whether a five square of colour (index i) lies on a line through c within four cells; the
// first two distinct ones in out, their number (up to 2) returned.
int fives_around(int c, int i, int out[2]);
