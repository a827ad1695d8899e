// Fail-hard negamax alpha-beta over the generator's candidates.
//
// Depth is steered by tags: a node reached by a quiet move (tag 0) stops past full_depth,
// one reached by a +1/-1 move past threat_depth, any node past max_depth; a lone
// candidate is always followed, so forced runs are read out to their end. Every finished
// node is filed in the transposition tree under a key that includes its window.
#include <cassert>

#include "search/classic/alphabeta.h"
#include "search/classic/memo.h"
#include "search/classic/ply_lists.h"
#include "search/classic/root.h"
#include "search/classic/timectl.h"

// The limits are read afresh at every node, since the clock checks may lower them during
// the search.
bool past_limits(int ply, int tag) {
    if (tag == TAG_QUIET && ply > levels.full_depth) return true;
    if (is_threat_tag(tag) && ply > levels.threat_depth) return true;
    return ply > levels.max_depth;
}

principal_lines pv;

namespace {

// The node at `ply` found its best move m, whose own line (when it was searched) is the
// line of ply + 1.
void note_line(int ply, const move_rec &m, bool searched) {
    const int below = searched ? pv.len[ply + 1] : 0;
    const int len = below < REPORT_LINE - 1 ? below + 1 : REPORT_LINE;
    pv.line[ply][0] = {m.x, m.y};
    for (int k = 1; k < len; k++) pv.line[ply][k] = pv.line[ply + 1][k - 1];
    pv.len[ply] = len;
}

// Files the node's result where its parent looks for it. The parent hashed this position
// with its window (a_p, beta_p) and entered us with (-beta_p, -a_p), so (-beta, -alpha_in)
// rebuilds the parent's key, and -result is the value from the parent's side. On an h0
// clash the older entry is dropped and the new one not stored.
void store(const int *board, int alpha_in, int beta, int result) {
    hash_key key;
    hash(board, -beta, -alpha_in, &key);
    if (tree_insert(root.tree_root, key.h0, key.h1, -result) == 1)
        tree_remove(&root.tree_root, key.h0);
}

} // namespace

// The value of candidate m for `colour` at `ply` under the window (a, beta): filed in the
// tree under this window, or a leaf met before, or searched now (`searched` set). The
// stone is taken back before it returns.
static int child_value(int *board, int colour, int ply, int a, int beta, const move_rec &m,
                       bool *searched) {
    const int c = cell(m.x, m.y);
    place(board, c, colour);
    hash_key key, child;
    hash_with_position(board, a, beta, &key, &child);
    tree_node *e = tree_may_hold(key.h0) ? tree_find(root.tree_root, key.h0) : nullptr;
    int v, known;
    *searched = false;
    if (e && e->h1 == key.h1)
        v = e->cena;
    else if (leaf_known(child, memo_context(-colour, ply + 1, m.tag), &known))
        v = -known;
    else {
        v = -alphabeta(board, -colour, ply + 1, -beta, -a, m.tag);
        *searched = true;
    }
    place(board, c, 0);
    return v;
}

int alphabeta(int *board, int colour, int ply, int alpha, int beta, int tag) {
    assert(colour == 1 || colour == -1);
    assert(-WIN <= alpha && alpha < beta && beta <= WIN);
    // 1. Candidates and static score, unless this node was searched before (under another
    //    window) in this move choice: then its candidates alone, as a searched node is no
    //    leaf and needs no score.
    move_list &list = ply_list(ply);
    int static_score = 0;
    hash_key position;
    position_key(board, &position);
    const int context = memo_context(colour, ply, tag);
    int n = listed_moves(position, context, list);
    const bool listed = n >= 0;
    if (!listed) n = generate_moves(board, colour, ply, list, &static_score, tag);

    // 2. Leaves: no candidate, five now, five unstoppable, or past the depth limits (these
    //    returns may lie outside the window and are neither stored nor counted, only
    //    memoised for this move choice). A lone candidate of any other tag is searched
    //    however deep the node is.
    auto leaf = [&](int value) {
        leaf_store(position, context, value);
        return value;
    };
    pv.len[ply] = 0;
    if (n == 0) return leaf(static_score);
    if (n == 1 && (list.rec[0].tag == TAG_FIVE || list.rec[0].tag == TAG_LOST)) {
        note_line(ply, list.rec[0], false);
        return leaf(list.rec[0].tag == TAG_FIVE ? WIN - ply : ply - WIN);
    }
    if (n >= 2 && past_limits(ply, tag)) return leaf(static_score);

    if (!listed) list_store(position, context, list, n);

    // 3. The clock, every 128 counted nodes; lowered limits hold for nodes entered later.
    //    At the deadline the search stops: this node and its ancestors are left unfinished,
    //    neither stored nor counted, and their callers drop what they return.
    if (check_due()) {
        clock_check();
        if (deadline.stopped) return 0;
    }

    // 4. The candidates in list order; a child already filed under this window, or a leaf
    //    met before, is not searched again.
    int a = alpha;
    for (int i = 0; i < n; i++) {
        const move_rec &m = list.rec[i];
        bool searched;
        const int v = child_value(board, colour, ply, a, beta, m, &searched);
        if (deadline.stopped) return 0;
        if (v > a) {
            if (v >= beta) {
                a = beta;
                break;
            }
            a = v;
            note_line(ply, m, searched);
        }
    }

    // 5. File the result and count the node.
    store(board, alpha, beta, a);
    timing.node_count++;
    return a;
}
