// Position hash. The key of a position is built from its stones in scan order (x outer,
// y inner) as h = h * 16807 + key + offset, one running word per half. A +1 stone adds its
// K0 key with offset a to h0 and its K1 key with offset b to h1; a -1 stone the other way
// round, so negating every stone swaps the two halves. The offsets carry the search window
// into the key.
#include <bit>
#include <cstring>

#include "search/classic/hash.h"
#include "search/random.h"

key_state keys = {1, {}, {}};

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

// The stones of the last board hashed, as bits by row: bit y of plus[x] (minus[x]) is a +1
// (-1) stone on x,y. The search hashes positions a stone or two apart, so a hash redoes
// only the rows that changed and then walks the stones alone, in scan order.
// While the search watches its board (board_watch), a hash of that board compares only
// the cells noted since the last one.
//
// Each row also keeps its share of the key. Over the n stones of row x in scan order,
// stone j adds (key_j + offset_j) * 16807^(n-1-j) to the row's running word, so a row
// is a key part, plus a times the sum of 16807^(n-1-j) over the stones whose offset is a
// and b times that over the others; the key then runs over the rows as
// h = h * 16807^n + row. So a hash costs a few steps per row, not per stone.
struct row_key {
    uint32_t step;  // 16807^n, n the stones of the row
    uint32_t k[2];  // key parts of h0 and h1
    uint32_t plus;  // sum of 16807^(n-1-j) over the +1 stones (offset a in h0, b in h1)
    uint32_t minus; // the same over the -1 stones (offset b in h0, a in h1)
};
struct stone_rows {
    int dim; // -1: nothing mirrored yet
    int board[BOARD_CELLS];
    uint32_t stones[MAX_DIM]; // bit y of stones[x]: x,y holds a stone
    row_key key[MAX_DIM];
    uint32_t used;     // bit x: row x holds a stone
    watch_mark mark;   // the last sync, against the board watch
    hash_key position; // the key of the stones with both offsets 0, as of the last hash
};
stone_rows rows;

void restart_rows() {
    rows.dim = game.dim;
    for (int &v : rows.board) v = 0;
    for (uint32_t &s : rows.stones) s = 0;
    for (row_key &r : rows.key) r = row_key{1, {0, 0}, 0, 0};
    rows.used = 0;
}

// Value v of cell x,y into the mirror; a value other than 0, +1, -1 is fatal.
void copy_cell(int x, int y, int v) {
    if (v != 0 && v != 1 && v != -1) fatal("hash: Unknown stone '%d'", v);
    rows.board[cell(x, y)] = v;
    if (v != 0)
        rows.stones[x] |= 1u << y;
    else
        rows.stones[x] &= ~(1u << y);
}

// Row x's share of the key, from its stones in the mirror.
void rekey_row(int x) {
    row_key r{1, {0, 0}, 0, 0};
    for (uint32_t stones = rows.stones[x]; stones != 0; stones &= stones - 1) {
        const int c = cell(x, std::countr_zero(stones));
        const bool plus = rows.board[c] == 1;
        r.step *= 16807u;
        r.k[0] = mix(r.k[0], plus ? keys.k0[c] : keys.k1[c], 0);
        r.k[1] = mix(r.k[1], plus ? keys.k1[c] : keys.k0[c], 0);
        r.plus = r.plus * 16807u + (plus ? 1u : 0u);
        r.minus = r.minus * 16807u + (plus ? 0u : 1u);
    }
    rows.key[x] = r;
    if (rows.stones[x] != 0)
        rows.used |= 1u << x;
    else
        rows.used &= ~(1u << x);
}

// Brings the rows to `board`: the rows that differ, or on the watched board the rows of
// the noted cells that differ.
void sync_rows(const int *board) {
    bool noted_only = noted_since(rows.mark, board);
    if (rows.dim != game.dim) {
        restart_rows();
        noted_only = false;
    }
    const int dim = rows.dim;
    if (noted_only) {
        uint32_t changed = 0; // bit x: row x differs
        for (unsigned i = rows.mark.seen; i != watch.noted; i++) {
            const int c = watch.ring[i % WATCH_RING];
            if (board[c] == rows.board[c]) continue;
            copy_cell(c / MAX_DIM, c % MAX_DIM, board[c]);
            changed |= 1u << (c / MAX_DIM);
        }
        for (; changed != 0; changed &= changed - 1) rekey_row(std::countr_zero(changed));
    } else {
        const size_t row_size = sizeof(int) * static_cast<unsigned>(dim);
        for (int x = 0; x < dim; x++) {
            if (std::memcmp(board + cell(x, 0), rows.board + cell(x, 0), row_size) == 0) continue;
            for (int y = 0; y < dim; y++) copy_cell(x, y, board[cell(x, y)]);
            rekey_row(x);
        }
    }
    rows.mark = mark_of_visit(board);
}

} // namespace

// Also forgets the mirrored rows: the next hash starts from an empty board.
void reset_keys() {
    keys.pending = 1;
    rows.dim = -1;
    rows.mark = void_mark();
    for (int i = 0; i < BOARD_CELLS; i++) keys.k0[i] = keys.k1[i] = 0;
    random_reset();
}

void hash_with_position(const int *board, int a, int b, hash_key *key_out, hash_key *position_out) {
    if (keys.pending) fill_keys();
    sync_rows(board);
    const uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
    uint32_t h0 = 0, h1 = 0, p0 = 0, p1 = 0;
    for (uint32_t used = rows.used; used != 0; used &= used - 1) {
        const row_key &r = rows.key[std::countr_zero(used)];
        h0 = h0 * r.step + r.k[0] + ua * r.plus + ub * r.minus;
        h1 = h1 * r.step + r.k[1] + ub * r.plus + ua * r.minus;
        p0 = p0 * r.step + r.k[0];
        p1 = p1 * r.step + r.k[1];
    }
    *key_out = hash_key{static_cast<int32_t>(h0), static_cast<int32_t>(h1)};
    rows.position = hash_key{static_cast<int32_t>(p0), static_cast<int32_t>(p1)};
    *position_out = rows.position;
}

void position_key(const int *board, hash_key *key_out) {
    if (noted_since(rows.mark, board) && rows.mark.seen == watch.noted) {
        *key_out = rows.position;
        return;
    }
    hash_key windowed;
    hash_with_position(board, 0, 0, &windowed, key_out);
}

void hash(const int *board, int a, int b, hash_key *key_out) {
    hash_key position;
    hash_with_position(board, a, b, key_out, &position);
}
