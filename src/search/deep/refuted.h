#pragma once
// The solvers' memo of refuted positions: direct-mapped by key (position and attacker), each
// entry the depth to which the position was refuted.
#include <cstdint>

constexpr int REFUTED_SLOTS = 1 << 15;

struct refuted_entry {
    uint64_t key;
    int32_t depth;
    int32_t used; // 0: empty
};

// Whether `memo` holds key refuted to at least `depth`.
inline bool memo_refuted(const refuted_entry *memo, uint64_t key, int depth) {
    const refuted_entry &e = memo[key & (REFUTED_SLOTS - 1)];
    return e.used && e.key == key && e.depth >= depth;
}

// Records key as refuted to `depth`, in place of what its slot held.
inline void memo_note(refuted_entry *memo, uint64_t key, int depth) {
    memo[key & (REFUTED_SLOTS - 1)] = refuted_entry{key, depth, 1};
}
