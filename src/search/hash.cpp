// Position hash. The key of a position is built from its stones in scan order (x outer,
// y inner) as h = h * 16807 + key + offset, one running word per half. A +1 stone adds its
// K0 key with offset a to h0 and its K1 key with offset b to h1; a -1 stone the other way
// round, so negating every stone swaps the two halves. The offsets carry the search window
// into the key.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "search/random.h"
#include "search/tree.h"

key_state keys = {1, {}, {}};

void reset_keys() {
    keys.pending = 1;
    for (int i = 0; i < BOARD_CELLS; i++) keys.k0[i] = keys.k1[i] = 0;
    random_reset();
}

namespace {

// Both tables over the whole 20 x 20 array, K0 first, each x outer and y inner: a later
// game on a larger board still finds a distinct key on every cell.
void fill_keys() {
    int32_t *tables[2] = {keys.k0, keys.k1};
    for (int32_t *table : tables)
        for (int x = 0; x < MAX_DIM; x++)
            for (int y = 0; y < MAX_DIM; y++) table[cell(x, y)] = random_next();
    keys.pending = 0;
}

// One step of the running key in unsigned arithmetic: the key wraps modulo 2^32 by
// design, and signed overflow would be undefined.
uint32_t mix(uint32_t h, int32_t key, int offset) {
    return h * 16807u + static_cast<uint32_t>(key) + static_cast<uint32_t>(offset);
}

// True when the four cells from c on are empty.
bool empty4(const int *board, int c) {
    uint64_t lo, hi;
    std::memcpy(&lo, board + c, sizeof lo);
    std::memcpy(&hi, board + c + 2, sizeof hi);
    return (lo | hi) == 0;
}

} // namespace

// Stones are few among the cells: runs of four empty cells are passed over with one test.
void hash(const int *board, int a, int b, hash_key *key_out) {
    if (keys.pending) fill_keys();
    uint32_t h0 = 0;
    uint32_t h1 = 0;
    const int dim = game.dim;
    for (int x = 0; x < dim; x++) {
        for (int y = 0; y < dim; y++) {
            const int c = cell(x, y);
            if (y + 4 <= dim && empty4(board, c)) {
                y += 3;
                continue;
            }
            switch (board[c]) {
            case 0:
                break;
            case 1:
                h0 = mix(h0, keys.k0[c], a);
                h1 = mix(h1, keys.k1[c], b);
                break;
            case -1:
                h0 = mix(h0, keys.k1[c], b);
                h1 = mix(h1, keys.k0[c], a);
                break;
            default:
                std::fprintf(stderr, "hash: Unknown stone '%d'\n", board[c]);
                std::exit(1);
            }
        }
    }
    key_out->h0 = static_cast<int32_t>(h0);
    key_out->h1 = static_cast<int32_t>(h1);
}
