#pragma once
// The deep mode's static value of the position on the deep board, for the side to move.

// Value for `colour` to move, inside ±EVAL_LIMIT.
int evaluate(int colour);
