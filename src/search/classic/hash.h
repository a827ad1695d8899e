#pragma once
// Position hash: the key of a board's stones with two caller-supplied offsets (the search's
// window) mixed in, so a tree entry is found again only for the same stones searched with
// the same window.
#include <cstdint>

#include "game/game.h"

struct hash_key {
    int32_t h0;
    int32_t h1;
};

// Key tables, indexed like the board. Filled over the whole 20 x 20 array on the first
// hash of the process (K0 then K1, x outer, y inner), so games on any board side get
// distinct keys for every cell.
struct key_state {
    int pending; // 1 until the tables are filled
    int32_t k0[BOARD_CELLS];
    int32_t k1[BOARD_CELLS];
};
extern key_state keys;

// Unfilled tables and the key sequence restarted, as at process start: the next hash
// fills the same keys again.
void reset_keys();

// Key of the stones on `board` (dim x dim) with offsets a and b. A cell value other than
// 0, +1, -1 is fatal. On the watched board only the cells noted since the last hash of it
// are compared (see board_watch).
void hash(const int *board, int a, int b, hash_key *key_out);

// hash, and the key of the same stones with both offsets 0 (the position alone), at once.
void hash_with_position(const int *board, int a, int b, hash_key *key_out, hash_key *position_out);

// The key of the stones of `board` with both offsets 0. On the watched board with no change
// noted since the last hash of it, the key that hash worked out; the search asks for it
// right after hashing the same stones with its window.
void position_key(const int *board, hash_key *key_out);
