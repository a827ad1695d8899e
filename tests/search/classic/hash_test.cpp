// The position hash against its definition, the plain key.
#include <gtest/gtest.h>

#include <cstdint>

#include "search/classic/reference.h"
#include "support/position.h"

namespace {

hash_key key_of(const int *board, int a, int b) {
    hash_key k;
    hash(board, a, b, &k);
    return k;
}

// The hash follows the board from call to call: boards a stone or two apart, as the search
// hashes them, boards changed wholesale, and changes of board side all give the plain key.
TEST(Hash, PlainKeyThroughChangingBoards) {
    fresh_state(20);
    static int board[BOARD_CELLS];
    uint32_t s = 5;
    auto next = [&s](int n) { return static_cast<int>((s = s * 1664525u + 1013904223u) >> 8) % n; };
    key_of(board, 0, 0); // fills the key tables
    for (int step = 0; step < 3000; step++) {
        if (step % 500 == 0) game.dim = 15 + step / 500;
        const int changes = step % 100 == 0 ? 150 : 1 + next(3);
        for (int i = 0; i < changes; i++) board[cell(next(20), next(20))] = next(3) - 1;
        const int a = next(2049) - 1024, b = next(2049) - 1024;
        const hash_key k = key_of(board, a, b), want = hash_reference(board, a, b);
        ASSERT_EQ(k.h0, want.h0) << step;
        ASSERT_EQ(k.h1, want.h1) << step;
    }
}

} // namespace
