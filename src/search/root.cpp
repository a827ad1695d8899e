// The root move choice: the engine's turn.
#include <cstdio>
#include <cstdlib>

#include "search/search.h"
#include "search/timectl.h"

root_state root;

namespace {
constexpr int FOUND_WIN = 512; // static scores stay below this; only a found win passes it
} // namespace

int next_root_ply(int best) {
    return best > FOUND_WIN ? 2 : 0;
}

void reset_root() {
    tree_free(root.tree_root);
    root = root_state{0, nullptr, 0, 0, 0};
}

// Every candidate is searched: the root has no cut-off, its upper bound stays at WIN and
// only alpha rises, narrowing the later searches. Ties keep the earlier candidate.
square choose_move(int *board, int side) {
    // 1. Clock mark and counters; the level's own limits again after a lowered move.
    turn_begin();

    // 2. The tree starts with one cleared root entry.
    root.tree_root = node_alloc();
    if (!root.tree_root) {
        std::printf("ERROR No memory for root of binary tree!\n");
        std::exit(1);
    }
    node_clear(root.tree_root);

    // 3. Root candidates (the root itself carries tag 2). None: resign.
    move_list &list = ply_list(root.root_ply);
    int static_score = 0;
    int n = generate_moves(board, side, root.root_ply, list, &static_score, 2);
    if (n == 0) {
        std::printf("MESSAGE Resign...\n");
        engine_exit(0);
    }
    root.last_searched = 0;
    root.last_value = 0;
    root.last_nodes = 0;
    square choice = {list.rec[0].x, list.rec[0].y};

    // 4. More than one: search them all and keep the strictly best.
    if (n > 1) {
        int alpha = -WIN;
        int best = -WIN - 1;
        for (int i = 0; i < n; i++) {
            const move_rec &m = list.rec[i];
            int c = cell(m.x, m.y);
            board[c] = side;
            int v = -alphabeta(board, -side, root.root_ply + 1, -WIN, -alpha, m.tag);
            board[c] = 0;
            if (v > best) {
                best = alpha = v;
                choice = {m.x, m.y};
            }
        }
        // 5. Report; a found win makes the next search start two plies deeper.
        std::printf("MESSAGE Val... %d\n", best);
        root.root_ply = next_root_ply(best);
        root.last_searched = 1;
        root.last_value = best;
        root.last_nodes = timing.node_count - 1;
    }

    // 6. Nothing of the tree outlives the move.
    tree_free(root.tree_root);
    root.tree_root = nullptr;
    if (n > 1) turn_end();
    return choice;
}
