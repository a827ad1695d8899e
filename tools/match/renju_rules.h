#pragma once
// The renju rules as a referee applies them, written plainly from their statement and
// sharing nothing with the engine's own classifier, so that each can check the other.
//
// Boards are 20 x 20 cells, square x,y at index x * 20 + y, holding +1 (black, the first
// player), -1 (white) or 0; only the first `dim` rows and columns are used.
//
// Black wins only with exactly five in a row, white with five or more. Black must not put a
// stone where it makes an overline (six or more in a row), two fours at once or two open
// threes at once, unless the stone makes exactly five. A four is a line that one more stone
// turns into exactly five (four stones with two such squares in a row, a straight four, are
// one four); an open three is a line that one more stone turns into a straight four, where
// that stone's square is itself not forbidden. A line that holds a four is no three.

// Whether a black stone on the empty square x,y is forbidden.
bool renju_reference_forbidden(const int *board, int dim, int x, int y);
