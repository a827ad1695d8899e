// Four-threat solver over the deep board.
#include "search/deep/vcf.h"

#include <cstring>

#include "analysis/renju.h"
#include "search/deep/board.h"
#include "search/deep/time.h"

vcf_state vcf;
refuted_entry vcf_memo[REFUTED_SLOTS];

namespace {

constexpr uint64_t ATTACKER_KEY[2] = {0x3C6EF372FE94F82Bull, 0xA54FF53A5F1D36F1ull};

// The attacker's four on c, answered; true when it leads to a win within depth - 1 more fours.
bool try_four(int c, int colour, int depth, int ply);

bool node(int colour, int depth, int ply) {
    const int i = colour_index(colour);
    // Past the node limit, or out of time (read every 64 nodes), the solve gives up.
    if (++vcf.nodes > vcf.limit || ((vcf.nodes & 63) == 0 && time_is_up())) {
        vcf.limit = vcf.nodes - 1;
        vcf.aborted = true;
        return false;
    }
    if (dboard.kind_count[i][K_FIVE] > 0) {
        vcf.line[ply] = first_five(i);
        vcf.length = ply + 1;
        return true;
    }
    if (dboard.kind_count[1 - i][K_FIVE] > 0 || depth <= 0 || ply + 3 > VCF_MAX_LINE) return false;
    const uint64_t key = dboard.key ^ ATTACKER_KEY[i];
    if (memo_refuted(vcf_memo, key, depth)) return false;
    const bool aborted_before = vcf.aborted;
    vcf.aborted = false;
    // The fours, those that also make an open three or a second four first: they end lines
    // soonest. Squares in rising order within each group.
    int fours[BOARD_CELLS], n = 0, strong = 0;
    const square_box b = candidate_box();
    for (int x = b.x0; x <= b.x1; x++)
        for (int c = cell(x, b.y0); c <= cell(x, b.y1); c++) {
            if (!is_candidate(c) || !makes_four(dboard.kind[i][c])) continue;
            if (dboard.kind[i][c] != K_FOUR) {
                for (int j = n++; j > strong; j--) fours[j] = fours[j - 1];
                fours[strong++] = c;
            } else {
                fours[n++] = c;
            }
        }
    for (int k = 0; k < n && vcf.nodes <= vcf.limit; k++) {
        if (colour == 1 && black_forbidden(fours[k])) continue;
        if (try_four(fours[k], colour, depth, ply)) {
            vcf.aborted = aborted_before;
            return true;
        }
    }
    if (!vcf.aborted) memo_note(vcf_memo, key, depth);
    vcf.aborted = vcf.aborted || aborted_before;
    return false;
}

bool try_four(int c, int colour, int depth, int ply) {
    const int i = colour_index(colour);
    board_put(c, colour);
    int five[2];
    const int n = fives_around(c, i, five);
    bool win = false;
    if (n >= 2) {
        // The defender blocks one five square, the attacker takes the other.
        vcf.line[ply + 1] = five[0];
        vcf.line[ply + 2] = five[1];
        vcf.length = ply + 3;
        win = true;
    } else if (n == 1 && colour == -1 && black_forbidden(five[0])) {
        // Black may not block: the line ends with white's five square.
        vcf.line[ply + 1] = five[0];
        vcf.length = ply + 2;
        win = true;
    } else if (n == 1) {
        board_put(five[0], -colour);
        win = node(colour, depth - 1, ply + 2);
        board_take(five[0]);
        if (win) vcf.line[ply + 1] = five[0];
    }
    board_take(c);
    if (win) vcf.line[ply] = c;
    return win;
}

} // namespace

int first_five(int i) {
    const square_box b = candidate_box();
    for (int x = b.x0; x <= b.x1; x++)
        for (int c = cell(x, b.y0); c <= cell(x, b.y1); c++)
            if (is_candidate(c) && dboard.kind[i][c] == K_FIVE) return c;
    return -1;
}

bool black_forbidden(int c) {
    if (!settings.renju || !dboard.suspect[c]) return false;
    return renju_verdict(dboard.cells, c / MAX_DIM, c % MAX_DIM) != RENJU_LEGAL;
}

int fives_around(int c, int i, int out[2]) {
    int n = 0;
    for (int d = 0; d < 4; d++)
        for (int k = -4; k <= 4; k++) {
            const int t = line_square(c, d, k);
            if (k == 0 || t < 0 || dboard.cells[t] != 0 || dboard.kind[i][t] != K_FIVE) continue;
            if (n == 1 && out[0] == t) continue;
            out[n++] = t;
            if (n == 2) return n;
        }
    return n;
}

void reset_vcf() {
    std::memset(vcf_memo, 0, sizeof vcf_memo);
    std::memset(&vcf, 0, sizeof vcf);
}

bool solve_vcf(int colour, int depth, long long node_limit) {
    vcf.nodes = 0;
    vcf.limit = node_limit;
    vcf.aborted = false;
    vcf.length = 0;
    return node(colour, depth, 0);
}
