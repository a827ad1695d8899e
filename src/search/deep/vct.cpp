// Threat solver over the deep board: an AND-OR search where the attacker plays only fours and
// open threes and the defender every answer that removes the threat.
#include "search/deep/vct.h"

#include <cstring>

#include "search/deep/board.h"
#include "search/deep/order.h"
#include "search/deep/time.h"
#include "search/deep/vcf.h"

vct_state vct;
refuted_entry vct_memo[REFUTED_SLOTS];

namespace {

constexpr uint64_t ATTACKER_KEY[2] = {0x510E527FADE682D1ull, 0x9B05688C2B3E6C1Full};

// Attacker moves tried at one node, best first.
constexpr int MAX_THREATS = 24;

int attacker;      // colour of the side proving its win
bool out_of_nodes; // the bound or the clock ended the solve

bool legal_for(int c, int colour) {
    return colour != 1 || !black_forbidden(c);
}

bool spend_node() {
    if (out_of_nodes) return false;
    if (++vct.nodes > vct.limit || ((vct.nodes & 63) == 0 && time_is_up())) out_of_nodes = true;
    return !out_of_nodes;
}

// The first square of kind k for colour index i that the colour may play, -1 when none.
int playable_square(int i, int k) {
    if (dboard.kind_count[i][k] == 0) return -1;
    const int colour = i == 0 ? 1 : -1;
    const square_box b = candidate_box();
    for (int x = b.x0; x <= b.x1; x++)
        for (int c = cell(x, b.y0); c <= cell(x, b.y1); c++)
            if (is_candidate(c) && dboard.kind[i][c] == k && legal_for(c, colour)) return c;
    return -1;
}

// Whether colour index i threatens an open four (or two fours) on a square it may play.
bool threatens(int i) {
    if (dboard.kind_count[i][K_FOUR_OPEN] == 0) return false;
    return i != 0 || !settings.renju || playable_square(i, K_FOUR_OPEN) >= 0;
}

bool attack(int depth);
bool defend(int depth);

// The defender to move after the attacker's stone: a five to block, or a threat to answer.
bool answer(int depth) {
    const int a = colour_index(attacker), d = 1 - a;
    if (dboard.kind_count[d][K_FIVE] > 0) return false;
    const int fives = dboard.kind_count[a][K_FIVE];
    if (fives >= 2) return true;
    if (fives == 0) return defend(depth);
    const int f = playable_square(a, K_FIVE);
    if (f < 0) return false;                   // no five the attacker may take: nothing proven
    if (!legal_for(f, -attacker)) return true; // black may not block white's four there
    board_put(f, -attacker);
    const bool win = attack(depth);
    board_take(f);
    return win;
}

// The attacker's threats, fours before threes, by score within each.
int threats(int *moves) {
    const int a = colour_index(attacker);
    int order[MAX_THREATS], n = 0;
    const square_box b = candidate_box();
    for (int x = b.x0; x <= b.x1; x++)
        for (int c = cell(x, b.y0); c <= cell(x, b.y1); c++) {
            const int k = is_candidate(c) ? dboard.kind[a][c] : 0;
            if (k < K_THREE_OPEN || !legal_for(c, attacker)) continue;
            const int s = dboard.score[a][c] + (makes_four(k) ? 1 << 20 : 0);
            n = insert_by_score(moves, order, n, MAX_THREATS, c, s);
        }
    return n;
}

bool attack(int depth) {
    const int a = colour_index(attacker), d = 1 - a;
    if (dboard.kind_count[a][K_FIVE] > 0) return true;
    if (!spend_node()) return false;
    if (dboard.kind_count[d][K_FIVE] > 0) {
        // The defender's four must be blocked; the attack goes on only if the attacker still
        // threatens after the block.
        const int f = playable_square(d, K_FIVE);
        if (dboard.kind_count[d][K_FIVE] >= 2 || f < 0 || depth <= 0) return false;
        if (!legal_for(f, attacker)) return false;
        board_put(f, attacker);
        const bool win = answer(depth - 1);
        board_take(f);
        return win;
    }
    if (depth <= 0) return false;
    const uint64_t key = dboard.key ^ ATTACKER_KEY[a];
    if (memo_refuted(vct_memo, key, depth)) return false;
    int moves[MAX_THREATS];
    const int n = threats(moves);
    for (int k = 0; k < n; k++) {
        board_put(moves[k], attacker);
        const bool win = answer(depth - 1);
        board_take(moves[k]);
        if (win) return true;
        if (out_of_nodes) return false;
    }
    memo_note(vct_memo, key, depth);
    return false;
}

// The defender's four on c, blocked by the attacker; whether the attack still wins.
bool counter_four(int c, int depth) {
    const int d = colour_index(-attacker);
    board_put(c, -attacker);
    bool win = false;
    const int f = playable_square(d, K_FIVE);
    if (dboard.kind_count[d][K_FIVE] < 2 && f >= 0 && legal_for(f, attacker)) {
        board_put(f, attacker);
        win = answer(depth);
        board_take(f);
    }
    board_take(c);
    return win;
}

// Colour index a's open-four squares on t's line dir, within five of t, by their offset from
// t; their number.
int open_fours_on_line(int t, int dir, int a, int *offset) {
    int n = 0;
    for (int k = -LINE_SIDE; k <= LINE_SIDE; k++) {
        const int c = line_square(t, dir, k);
        if (c >= 0 && dboard.cells[c] == 0 && dboard.kind[a][c] == K_FOUR_OPEN) offset[n++] = k;
    }
    return n;
}

// Whether a stone of the other colour at offset k from t on its line dir leaves one of those
// squares an open four.
bool leaves_open_four(int t, int k, int dir, int a, const int *offset, int opens) {
    for (int j = 0; j < opens; j++) {
        const int off = k - offset[j];
        if (off == 0) continue;
        if (off < -LINE_SIDE || off > LINE_SIDE) return true;
        const int s = t + offset[j] * dir_step[dir];
        if (kind_if_blocked(s, dir, off, a) == K_FOUR_OPEN) return true;
    }
    return false;
}

bool defend(int depth) {
    const int a = colour_index(attacker), d = 1 - a;
    const int t = playable_square(a, K_FOUR_OPEN);
    if (t < 0 || !spend_node()) return false;
    // A square that leaves the attacker an open four answers nothing, and is known without
    // a put; but under renju a white stone may turn black's square forbidden, so black's
    // threats are always put.
    const bool look_ahead = a == 1 || !settings.renju;
    // Every answer must take t or break one of the fours t would make: the squares within
    // five of t on those lines.
    int answers[4 * 2 * LINE_SIDE + 1] = {t}, n = 1;
    bool t_answers = true;
    for (int dir = 0; dir < 4; dir++) {
        if (dboard.line[a][dir][t] < L_FOUR) continue;
        int open[2 * LINE_SIDE + 1], opens = 0;
        if (look_ahead) opens = open_fours_on_line(t, dir, a, open);
        if (leaves_open_four(t, 0, dir, a, open, opens)) t_answers = false;
        for (int k = -LINE_SIDE; k <= LINE_SIDE; k++) {
            const int c = line_square(t, dir, k);
            if (k != 0 && c >= 0 && dboard.cells[c] == 0 &&
                !leaves_open_four(t, k, dir, a, open, opens))
                answers[n++] = c;
        }
    }
    const int first = t_answers ? 0 : 1;
    const square_box b = candidate_box();
    for (int x = b.x0; x <= b.x1; x++)
        for (int c = cell(x, b.y0); c <= cell(x, b.y1); c++)
            if (is_candidate(c) && makes_four(dboard.kind[d][c]) && legal_for(c, -attacker) &&
                !counter_four(c, depth))
                return false;
    for (int k = first; k < n; k++) {
        const int c = answers[k];
        if (makes_four(dboard.kind[d][c]) || !legal_for(c, -attacker)) continue;
        board_put(c, -attacker);
        // An answer that leaves an open-four threat standing is no answer.
        const bool win = threatens(a) || attack(depth);
        board_take(c);
        if (!win) return false;
    }
    return !out_of_nodes;
}

// The attacker's threats at the root, to `depth` threats; the winning one in vct.first.
bool root_attack(int depth) {
    int moves[MAX_THREATS];
    const int n = threats(moves);
    for (int k = 0; k < n && !out_of_nodes; k++) {
        board_put(moves[k], attacker);
        const bool win = answer(depth - 1);
        board_take(moves[k]);
        if (win) {
            vct.first = moves[k];
            return true;
        }
    }
    return false;
}

} // namespace

void reset_vct() {
    std::memset(vct_memo, 0, sizeof vct_memo);
    std::memset(&vct, 0, sizeof vct);
}

bool solve_vct(int colour, int depth, long long node_limit) {
    vct.nodes = 0;
    vct.limit = node_limit;
    vct.first = -1;
    out_of_nodes = false;
    attacker = colour;
    const int a = colour_index(colour);
    if (dboard.kind_count[a][K_FIVE] > 0) {
        vct.first = playable_square(a, K_FIVE);
        return vct.first >= 0;
    }
    // A four of the defender: the block comes first, and wins only if the attack goes on.
    const bool block = dboard.kind_count[1 - a][K_FIVE] > 0;
    // Deeper and deeper: a short win is found before one long refutation spends the nodes,
    // and each round's refuted positions spare the next one work.
    for (int d = 1; d <= depth && !out_of_nodes; d++) {
        if (block ? attack(d) : root_attack(d)) {
            if (block) vct.first = playable_square(1 - a, K_FIVE);
            return true;
        }
    }
    return false;
}
