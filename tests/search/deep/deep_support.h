#pragma once
// Helpers of the deep mode's tests: a fresh engine under a rule, a fixed random sequence and
// random positions near the centre.
#include <cstdint>
#include <string>

#include "game/game.h"
#include "search/deep/board.h"
#include "search/deep/deep.h"
#include "search/deep/hash.h"
#include "search/deep/search.h"

// A fresh deep mode on an empty dim x dim board under `rule` (0 five or more, 1 exactly five,
// 4 renju), its lines dropped.
inline void deep_fresh(int dim, int rule) {
    reset_engine(deep_mode);
    message_sink = [](const char *) {};
    game.dim = dim;
    settings.exact_five = rule == 1 || rule == RULE_RENJU;
    settings.renju = rule == RULE_RENJU;
    init_patterns(exact_for(1), exact_for(-1));
    board_clear(dim);
}

// A fixed generator: the same positions on every compiler.
struct test_random {
    uint64_t state;
    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }
};

// Puts `stones` stones, colours alternating from black, on random empty squares of the
// size x size box at the board's centre, through board_put; none that would make a five.
inline void random_position(test_random &r, int stones, int size) {
    const int lo = (dboard.dim - size) / 2;
    int colour = 1;
    for (int placed = 0, tries = 0; placed < stones && tries < 1000; tries++) {
        const int c = cell(lo + r.below(size), lo + r.below(size));
        if (dboard.cells[c] != 0 || dboard.kind[colour_index(colour)][c] == K_FIVE) continue;
        board_put(c, colour);
        placed++;
        colour = -colour;
    }
}

// The stones of a text board, rows x = 0.. from the top, 'X' black, 'O' white, '.' empty.
inline void put_rows(const char *const *rows, int count) {
    for (int x = 0; x < count; x++)
        for (int y = 0; rows[x][y]; y++)
            if (rows[x][y] != '.') board_put(cell(x, y), rows[x][y] == 'X' ? 1 : -1);
}
