#pragma once
// Fixed positions shared by the bench, movegen_bench and the tests, and the set-up of a
// search on one: a fresh engine with the time control idle and the level fixed, so that
// what a search does depends only on the position and the code.
#include "game/game.h"

// One position: the stones in the order they were played, as square names (letter a.. for
// x, number 1.. for y), the first one +1 and colours alternating; the colour of the next
// stone is to move. max_level is the deepest level the bench searches it at.
struct bench_position {
    const char *name;
    int dim;
    int rule; // as INFO rule takes it: 0 five or more, 1 exactly five, 4 renju
    int max_level;
    const char *moves;
};

constexpr int BENCH_SUITE_SIZE = 12;
extern const bench_position bench_suite[BENCH_SUITE_SIZE];

// Renju positions, benched after the suite with a total and a digest of their own, so that
// the suite's signature keeps guarding the play under the other two rules.
constexpr int RENJU_SUITE_SIZE = 3;
extern const bench_position renju_suite[RENJU_SUITE_SIZE];

// The suites' position called `name`; an unknown name is fatal.
const bench_position &bench_named(const char *name);

// Every record of the engine reset (reset_engine), a dim x dim board under `rule` (as INFO
// rule takes it: 0 five or more, 1 exactly five, 4 renju), no turn time and `level` fixed
// for the game.
void set_up_engine(int dim, int rule, int level);

// set_up_engine, then the stones of `moves` on `board`. Returns the colour to move. A
// square off the board or already taken is fatal.
int set_up_moves(int *board, int dim, int rule, int level, const char *moves);
int set_up_bench(int *board, const bench_position &p, int level);

// Two 20 x 20 boards whose lists run long, put on `board` after set_up_engine(20, 1, 0).
// Crowded: 71 X (+1) and 70 O (-1), no five, O to move; both colours have many simple fours
// with stones on their other lines. Grid: X on every third square of every third row, no
// four anywhere, and most empty squares are open-three squares of X.
void set_up_crowded(int *board);
void set_up_grid(int *board);
