// Plain forms of the hash and the search.
#include "search/classic/reference.h"

#include "search/classic/alphabeta.h"
#include "search/classic/ply_lists.h"

int search_reference(int *board, int colour, int ply, int tag) {
    move_list &list = ply_list(ply); // the search's own lists: the two never run at once
    int score = 0;
    const int n = generate_moves(board, colour, ply, list, &score, tag);
    if (n == 0) return score;
    if (n == 1 && list.rec[0].tag == TAG_FIVE) return WIN - ply;
    if (n == 1 && list.rec[0].tag == TAG_LOST) return ply - WIN;
    if (n > 1 && past_limits(ply, tag)) return score;
    int best = -WIN - 1;
    for (int i = 0; i < n; i++) {
        const int c = cell(list.rec[i].x, list.rec[i].y);
        board[c] = colour;
        const int v = -search_reference(board, -colour, ply + 1, list.rec[i].tag);
        board[c] = 0;
        if (v > best) best = v;
    }
    return best;
}

hash_key hash_reference(const int *board, int a, int b) {
    uint32_t h0 = 0, h1 = 0;
    const uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
    for (int x = 0; x < game.dim; x++) {
        for (int y = 0; y < game.dim; y++) {
            const int c = cell(x, y);
            const uint32_t k0 = static_cast<uint32_t>(keys.k0[c]),
                           k1 = static_cast<uint32_t>(keys.k1[c]);
            if (board[c] == 1) {
                h0 = h0 * 16807u + k0 + ua;
                h1 = h1 * 16807u + k1 + ub;
            } else if (board[c] == -1) {
                h0 = h0 * 16807u + k1 + ub;
                h1 = h1 * 16807u + k0 + ua;
            }
        }
    }
    return hash_key{static_cast<int32_t>(h0), static_cast<int32_t>(h1)};
}
