#pragma once
// Whether a stone made five: the one answer the match runner's referee, the renju referee's
// tests and the explainer share. It reads the board alone and nothing of the engine.
//
// Boards are 20 x 20 cells, square x,y at index x * 20 + y, holding +1 (the first colour,
// black under renju), -1 or 0; only the first `dim` rows and columns are used.

constexpr int FIVE_OR_MORE = 0, EXACTLY_FIVE = 1, RENJU_RULE = 4; // INFO rule numbers

// Whether the stone on x,y makes a winning line for its colour under `rule`: exactly five
// (rule 1; under renju, rule 4, for black), five or more (rule 0; under renju for white).
bool stone_makes_five(const int *board, int dim, int x, int y, int rule);
