// The deep mode's hash table.
#include "search/deep/hash.h"

#include <cstdlib>
#include <cstring>

#include "search/deep/values.h"

hash_table_state htable;

void hash_release() {
    std::free(htable.buckets);
    htable = hash_table_state{nullptr, 0, 0};
}

void hash_clear() {
    if (htable.buckets) std::memset(htable.buckets, 0, htable.count * sizeof(hash_bucket));
    htable.age = 0;
}

void hash_resize(long bytes) {
    size_t count = 1;
    while (static_cast<long>(2 * count * sizeof(hash_bucket)) <= bytes) count *= 2;
    if (count != htable.count || !htable.buckets) {
        hash_release();
        htable.buckets = static_cast<hash_bucket *>(std::malloc(count * sizeof(hash_bucket)));
        if (!htable.buckets) count = 0; // no table: probes miss, stores are dropped
        htable.count = count;
        hash_clear();
    }
}

void hash_new_search() {
    htable.age++;
}

int value_to_hash(int value, int ply) {
    if (value >= WIN_BOUND) return value + ply;
    if (value <= -WIN_BOUND) return value - ply;
    return value;
}

int value_from_hash(int value, int ply) {
    if (value >= WIN_BOUND) return value - ply;
    if (value <= -WIN_BOUND) return value + ply;
    return value;
}

const hash_entry *hash_probe(uint64_t key) {
    if (htable.count == 0) return nullptr;
    const hash_bucket &b = htable.buckets[key & (htable.count - 1)];
    const uint32_t check = static_cast<uint32_t>(key >> 32);
    for (const hash_entry &e : b.entry)
        if (e.check == check && e.bound != BOUND_NONE) return &e;
    return nullptr;
}

void hash_store(uint64_t key, int move, int value, int depth, int bound, int ply) {
    if (htable.count == 0) return;
    hash_bucket &b = htable.buckets[key & (htable.count - 1)];
    const uint32_t check = static_cast<uint32_t>(key >> 32);
    // The same position's entry, else the one worth least: empty, then older, then shallower.
    hash_entry *slot = &b.entry[0];
    int worst = 1 << 30;
    for (hash_entry &e : b.entry) {
        if (e.check == check && e.bound != BOUND_NONE) {
            slot = &e;
            break;
        }
        const int worth = e.bound == BOUND_NONE ? -1000 : (e.age == htable.age ? 256 : 0) + e.depth;
        if (worth < worst) worst = worth, slot = &e;
    }
    // A shallower result of this search does not push out a deeper one of the same position,
    // unless it is exact.
    if (slot->check == check && slot->bound != BOUND_NONE && slot->age == htable.age &&
        slot->depth > depth && bound != BOUND_EXACT)
        return;
    if (move < 0 && slot->check == check) move = slot->move;
    hash_entry e{};
    e.check = check;
    e.move = static_cast<int16_t>(move);
    e.value = static_cast<int16_t>(value_to_hash(value, ply));
    e.depth = static_cast<int8_t>(depth);
    e.bound = static_cast<uint8_t>(bound);
    e.age = htable.age;
    *slot = e;
}
