// The classic linear congruential sequence on unsigned 32-bit arithmetic, so it wraps the
// same way on every compiler. Only bits 16..30 are returned: the low bits of an LCG with a
// power-of-two modulus have short periods.
#include "search/random.h"

#include <cstdint>

namespace {
uint32_t next_state = 1;
}

int random_next() {
    next_state = next_state * 1103515245u + 12345u;
    return static_cast<int>((next_state >> 16) & 32767u);
}

void random_reset() {
    next_state = 1;
}
