#pragma once
// The deep mode's hash table: 64-byte buckets of four 16-byte entries, allocated once per
// size and kept between the moves of a game.
#include <cstddef>
#include <cstdint>

enum bound_kind : uint8_t { BOUND_NONE = 0, BOUND_UPPER = 1, BOUND_LOWER = 2, BOUND_EXACT = 3 };

// One entry. The bucket is picked by the key's low bits, the entry checked by its high 32.
struct hash_entry {
    uint32_t check; // key >> 32
    int16_t move;   // best square, -1 none
    int16_t value;  // win values relative to the node (see value_to_hash)
    int16_t eval;   // unused spare, 0
    int8_t depth;   // remaining depth searched
    uint8_t bound;  // bound_kind
    uint8_t age;    // the move choice that wrote it
    uint8_t pad[3];
};
static_assert(sizeof(hash_entry) == 16, "four entries fill a 64-byte bucket");

constexpr int BUCKET_ENTRIES = 4;
struct hash_bucket {
    hash_entry entry[BUCKET_ENTRIES];
};
static_assert(sizeof(hash_bucket) == 64, "a bucket is one cache line");

struct hash_table_state {
    hash_bucket *buckets; // nullptr before the first allocation
    size_t count;         // buckets, a power of two
    uint8_t age;          // raised at every move choice
};
extern hash_table_state htable;

constexpr long DEFAULT_HASH_BYTES = 128L << 20;
constexpr long HASH_MARGIN_BYTES = 8L << 20; // left for the process itself under a budget

// The table sized for `bytes` (the largest power of two of buckets that fits, at least one);
// reallocated and emptied only when the size changes.
void hash_resize(long bytes);

// Empties every entry; the table keeps its size.
void hash_clear();

// Frees the table (process start).
void hash_release();

// Counts the next move choice: older entries are replaced first.
void hash_new_search();

// The entry for `key`, or nullptr.
const hash_entry *hash_probe(uint64_t key);

// Stores a result for `key`; `value` as the search sees it at `ply`.
void hash_store(uint64_t key, int move, int value, int depth, int bound, int ply);

// Win values count plies from the root; in the table they count from the node, so that a
// position reached at another ply reads the right distance.
int value_to_hash(int value, int ply);
int value_from_hash(int value, int ply);
