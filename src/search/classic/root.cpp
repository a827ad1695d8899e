// The root move choice: the engine's turn.
#include <cassert>

#include "analysis/renju.h"
#include "search/classic/alphabeta.h"
#include "search/classic/memo.h"
#include "search/classic/ply_lists.h"
#include "search/classic/root.h"
#include "search/classic/timectl.h"
#include "search/clock.h"
#include "search/mode.h"

root_state root;
void (*root_watch)(int *board, int side, const move_list &list, int i, int value) = nullptr;

int next_root_ply(int best) {
    return best > FOUND_WIN ? 2 : 0;
}

void reset_root() {
    tree_free(root.tree_root);
    root = root_state{0, nullptr};
}

// The stones of `board` folded into one number, for checking that a search left it as it
// found it.
[[maybe_unused]] static unsigned long long board_digest(const int *board) {
    unsigned long long digest = 0;
    for (int c = 0; c < BOARD_CELLS; c++)
        digest = digest * 3 + static_cast<unsigned long long>(board[c] + 1);
    return digest;
}

// A move when the generator offers none: the centre of an empty board, else the first
// empty square (x outer, y inner) of a board where no line can become five any more, so
// the game goes on to a full board. {-1, -1} when no square is free.
static square fallback_move(const int *board) {
    bool empty = true;
    square first_free = {-1, -1};
    for (int x = 0; x < game.dim; x++)
        for (int y = 0; y < game.dim; y++) {
            if (board[cell(x, y)] != 0)
                empty = false;
            else if (first_free.x < 0)
                first_free = {x, y};
        }
    if (empty && game.dim > 0) return {(game.dim - 1) / 2, (game.dim - 1) / 2};
    return first_free;
}

// Under renju black never plays where it must not: when the choice is such a square (the
// generator offers one only as a lost block, or offered nothing), the first square black
// may play, x outer and y inner; {-1, -1} when there is none.
static square renju_screened(const int *board, int side, square choice) {
    if (settings.renju == 0 || side != 1) return choice;
    if (choice.x >= 0 && renju_verdict(board, choice.x, choice.y) == RENJU_LEGAL) return choice;
    for (int x = 0; x < game.dim; x++)
        for (int y = 0; y < game.dim; y++)
            if (board[cell(x, y)] == 0 && renju_verdict(board, x, y) == RENJU_LEGAL) return {x, y};
    return {-1, -1};
}

// The report's line: the root's new best move and the line the search found below it.
static void note_root_line(int ply, const move_rec &m) {
    report.line[0] = {m.x, m.y};
    report.line_length = 1;
    for (int k = 0; k < pv.len[ply + 1] && report.line_length < REPORT_LINE; k++)
        report.line[report.line_length++] = pv.line[ply + 1][k];
}

// Every candidate is searched: the root has no cut-off, its upper bound stays at WIN and
// only alpha rises, narrowing the later searches. Ties keep the earlier candidate. When the
// deadline stops the search, the candidate being searched is dropped and the best of those
// fully searched is played (the first candidate when none was).
square choose_move(int *board, int side) {
    assert(side == 1 || side == -1);
    [[maybe_unused]] const unsigned long long board_before = board_digest(board);

    // 1. Clock mark and counters; the level's own limits again after a lowered move.
    turn_begin();

    // 2. The tree starts with one cleared root entry; the live analysis and the hash
    //    follow the board by the stones the search puts and takes.
    watch_board(board);
    reset_memo();
    root.tree_root = node_alloc();
    if (!root.tree_root) {
        say("ERROR No memory for root of binary tree!");
        fatal("choose_move: no node for the tree's root");
    }
    node_clear(root.tree_root);

    // 3. Root candidates (the root itself carries tag 2).
    move_list &list = ply_list(root.root_ply);
    int static_score = 0;
    int n = generate_moves(board, side, root.root_ply, list, &static_score, TAG_ROOT);
    const long long started = clock_ms();
    reset_report();
    square choice = n > 0 ? square{list.rec[0].x, list.rec[0].y} : fallback_move(board);

    // 4. More than one: search them all and keep the strictly best.
    if (n > 1) {
        int alpha = -WIN;
        int best = -WIN - 1;
        for (int i = 0; i < n && !out_of_time(); i++) {
            const move_rec &m = list.rec[i];
            int c = cell(m.x, m.y);
            place(board, c, side);
            int v = -alphabeta(board, -side, root.root_ply + 1, -WIN, -alpha, m.tag);
            place(board, c, 0);
            if (deadline.stopped) break;
            if (root_watch) root_watch(board, side, list, i, v);
            if (v > best) {
                best = alpha = v;
                choice = {m.x, m.y};
                note_root_line(root.root_ply, m);
            }
        }
        // Stopped before any candidate was done: the static score is the one estimate.
        if (best < -WIN) best = static_score;
        // 5. Report; a found win makes the next search start two plies deeper.
        say("MESSAGE Val... %d", best);
        root.root_ply = next_root_ply(best);
        report.searched = true;
        report.value = best;
        report.nodes = timing.node_count - 1;
    }

    // 6. Nothing of the tree outlives the move, and the board is the caller's again.
    watch_board(nullptr);
    tree_free(root.tree_root);
    root.tree_root = nullptr;
    if (n > 1) turn_end();
    assert(board_digest(board) == board_before);
    report.move = renju_screened(board, side, choice);
    report.ms = clock_ms() - started;
    return report.move;
}
