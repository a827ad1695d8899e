// Iterative deepening principal variation search over the deep board.
#include "search/deep/search.h"

#include <cstdio>
#include <cstring>

#include "analysis/renju.h"
#include "search/deadline.h"
#include "search/deep/board.h"
#include "search/deep/eval.h"
#include "search/deep/hash.h"
#include "search/deep/order.h"
#include "search/deep/time.h"
#include "search/deep/values.h"
#include "search/deep/vcf.h"
#include "search/deep/vct.h"

deep_limits dlimits;
deep_search_state dsearch;

namespace {

// The side to move is part of a hash key: a BOARD position may leave either side to move.
constexpr uint64_t SIDE_KEY[2] = {0x9B05688C2B3E6C1Full, 0x1F83D9ABFB41BD6Bull};

// The four-threat solver's effort at the root and at the leaves.
constexpr int ROOT_VCF_DEPTH = 40, LEAF_VCF_DEPTH = 12;
constexpr long long ROOT_VCF_NODES = 60000, LEAF_VCF_NODES = 200;
// The opponent's win by fours at the root, and after each root move that may stop it.
constexpr long long THREAT_VCF_NODES = 20000, DEFENCE_VCF_NODES = 1500;
// The threat solver's effort at the root: threats of the attacker, and nodes.
constexpr int ROOT_VCT_DEPTH = 12;
constexpr long long ROOT_VCT_NODES = 10000;
// The opponent's win by threats at the root, after each root move, and the share of the
// move's target time those checks may take (1 / DEFENCE_SHARE).
constexpr long long THREAT_VCT_NODES = 10000, DEFENCE_VCT_NODES = 600;
constexpr long long DEFENCE_SHARE = 4;
// An iteration's best move is checked once against the opponent's win by threats after it;
// a few moves that lose so are dropped from the root.
constexpr long long VERIFY_VCT_NODES = 20000;
constexpr int MAX_DROPPED = 6;

// Move ordering: the hash move, the killers, then the squares' scores with history.
constexpr int HASH_MOVE_SCORE = 1 << 28, KILLER_SCORE[2] = {400, 300};

// Quiet moves from LATE_MOVE on in a node's order may be searched a ply shallower; off the
// principal line, those from LATER_MOVE on two plies.
constexpr int LATE_MOVE = 3, LATER_MOVE = 8;

// Aspiration window half-width.
constexpr int ASPIRATION = 80;

bool four_kind(int k) {
    return makes_four(k) || k == K_FIVE;
}

bool check_stop() {
    if (dsearch.stopped) return true;
    if ((dsearch.nodes & 63) == 0 && time_is_up()) dsearch.stopped = true;
    if (dlimits.max_nodes > 0 && dsearch.nodes >= dlimits.max_nodes) dsearch.stopped = true;
    return dsearch.stopped;
}

// How many of the best-ordered moves a node searches: all at the root and when forced, fewer
// the nearer the leaves, where the ordering is surest of the rest.
int width_for(int depth, int ply) {
    if (ply == 0) return BOARD_CELLS;
    if (depth >= 5) return 32;
    if (depth >= 3) return 24;
    return 18;
}

} // namespace

// Against a four only its blocks; against an open three the own fours and the squares around
// the three; else every candidate.
int generate_moves(int colour, int ply, int hash_move, int width) {
    const int me = colour_index(colour), them = 1 - me;
    const bool must_block = dboard.kind_count[them][K_FIVE] > 0;
    const bool against_three = !must_block && dboard.kind_count[them][K_FOUR_OPEN] > 0;
    int *moves = dsearch.moves[ply], *order = dsearch.order[ply];
    // A list cut to the width keeps only the best: the rest are dropped as they come.
    const bool cut = !must_block && !against_three && !dlimits.full_width;
    const int cap = cut && width < BOARD_CELLS ? width : BOARD_CELLS;
    int n = 0;
    const square_box b = candidate_box();
    for (int x = b.x0; x <= b.x1; x++)
        for (int c = cell(x, b.y0); c <= cell(x, b.y1); c++) {
            if (!is_candidate(c)) continue;
            if (must_block && dboard.kind[them][c] != K_FIVE) continue;
            if (against_three && !four_kind(dboard.kind[me][c]) && dboard.kind[them][c] < K_FOUR)
                continue;
            if (ply == 0 && dsearch.root_filter && !dsearch.root_allowed[c]) continue;
            if (colour == 1 && black_forbidden(c)) continue;
            int s =
                dboard.score[me][c] * 3 / 2 + dboard.score[them][c] + dsearch.history[me][c] / 64;
            if (c == hash_move) s += HASH_MOVE_SCORE;
            if (c == dsearch.killer[ply][0]) s += KILLER_SCORE[0];
            if (c == dsearch.killer[ply][1]) s += KILLER_SCORE[1];
            // Squares come in rising order, so ties keep the lower square first.
            n = insert_by_score(moves, order, n, cap, c, s);
        }
    return n;
}

int leaf_value(int colour, int ply, int beta) {
    // A win by fours only raises the value: a static value that already fails high stands.
    const int v = evaluate(colour);
    if (v >= beta) return v;
    if (has_four_square(colour_index(colour))) {
        const bool win = solve_vcf(colour, LEAF_VCF_DEPTH, LEAF_VCF_NODES);
        dsearch.nodes += vcf.nodes;
        if (win) return WIN - ply - vcf.length;
    }
    return v;
}

namespace {

void note_cutoff(int me, int ply, int c, int depth) {
    if (dsearch.killer[ply][0] != c) {
        dsearch.killer[ply][1] = dsearch.killer[ply][0];
        dsearch.killer[ply][0] = c;
    }
    dsearch.history[me][c] += depth * depth;
    if (dsearch.history[me][c] > (1 << 20))
        for (int &h : dsearch.history[me]) h /= 2;
}

void copy_line(int ply, int c) {
    dsearch.pv[ply][ply] = c;
    for (int k = ply + 1; k < dsearch.pv_length[ply + 1]; k++)
        dsearch.pv[ply][k] = dsearch.pv[ply + 1][k];
    dsearch.pv_length[ply] =
        dsearch.pv_length[ply + 1] > ply + 1 ? dsearch.pv_length[ply + 1] : ply + 1;
}

int pvs(int colour, int depth, int ply, int alpha, int beta, int extensions) {
    const bool pv_node = beta - alpha > 1;
    dsearch.pv_length[ply] = ply;
    dsearch.nodes++;
    if (check_stop()) return 0;
    const int me = colour_index(colour), them = 1 - me;
    if (dboard.kind_count[me][K_FIVE] > 0) return WIN - ply - 1;
    if (dboard.stones >= dboard.dim * dboard.dim) return 0;
    if (ply >= DEEP_MAX_PLY - 1) return evaluate(colour);
    const bool must_block = dboard.kind_count[them][K_FIVE] > 0;
    if (depth <= 0 && !must_block) return leaf_value(colour, ply, beta);
    // Nothing beats a five next move, nor loses sooner than their five after ours.
    if (alpha < -(WIN - ply - 2)) alpha = -(WIN - ply - 2);
    if (beta > WIN - ply - 1) beta = WIN - ply - 1;
    if (alpha >= beta) return alpha;

    const uint64_t key = dboard.key ^ SIDE_KEY[me];
    int hash_move = -1;
    if (const hash_entry *e = hash_probe(key)) {
        hash_move = e->move;
        const int v = value_from_hash(e->value, ply);
        if (!pv_node && e->depth >= depth &&
            (e->bound == BOUND_EXACT || (e->bound == BOUND_LOWER && v >= beta) ||
             (e->bound == BOUND_UPPER && v <= alpha)))
            return v;
    }
    const int n = generate_moves(colour, ply, hash_move, width_for(depth, ply));
    if (n == 0) return must_block ? -(WIN - ply - 2) : 0;
    // A reply forced by a four costs no depth, nor, a few times on a line, one forced by an
    // open three: the attacker's threats then count alone and its sequences show further.
    const bool three =
        !must_block && dboard.kind_count[them][K_FOUR_OPEN] > 0 && extensions < THREE_EXTENSIONS;
    const int next_depth = must_block || n == 1 || three ? depth : depth - 1;
    const int next_extensions = extensions + (three ? 1 : 0);
    int best = -INF_VALUE, best_move = -1, bound = BOUND_UPPER;
    for (int k = 0; k < n; k++) {
        const int c = dsearch.moves[ply][k];
        const bool quiet = dboard.kind[me][c] < K_THREE_OPEN && dboard.kind[them][c] < K_FOUR;
        board_put(c, colour);
        int v;
        if (k == 0) {
            v = -pvs(-colour, next_depth, ply + 1, -beta, -alpha, next_extensions);
        } else {
            // Late quiet moves are tried a ply or two shallower first; one that beats alpha
            // there is searched again at full depth.
            int reduced = next_depth;
            if (k >= LATE_MOVE && next_depth >= 2 && quiet && next_depth == depth - 1 &&
                !dlimits.full_width) {
                reduced--;
                if (k >= LATER_MOVE && reduced >= 3 && !pv_node) reduced--;
            }
            v = -pvs(-colour, reduced, ply + 1, -alpha - 1, -alpha, next_extensions);
            if (v > alpha && reduced < next_depth && !dsearch.stopped)
                v = -pvs(-colour, next_depth, ply + 1, -alpha - 1, -alpha, next_extensions);
            if (v > alpha && v < beta && !dsearch.stopped)
                v = -pvs(-colour, next_depth, ply + 1, -beta, -alpha, next_extensions);
        }
        board_take(c);
        if (dsearch.stopped) return best > -INF_VALUE ? best : 0;
        if (v > best) {
            best = v;
            best_move = c;
            if (v > alpha) {
                // Searched in full and better than the move the pass began with; that
                // only tells against the anchor if the pass began with it (after a failed
                // window the pass may begin with any move, even a lost one).
                const int anchor = dsearch.root_anchor;
                if (ply == 0 && (anchor < 0 || (k > 0 && dsearch.moves[0][0] == anchor)))
                    dsearch.root_best = c;
                alpha = v;
                bound = BOUND_EXACT;
                copy_line(ply, c);
            }
            if (v >= beta) {
                bound = BOUND_LOWER;
                note_cutoff(me, ply, c, depth);
                break;
            }
        }
    }
    hash_store(key, best_move, best, depth, bound, ply);
    return best;
}

// The protocol's value of a search value: wins as the classic scale has them, static values
// scaled inside it.
int report_value(int v) {
    if (v >= WIN_BOUND) return 2 * FOUND_WIN - (WIN - v);
    if (v <= -WIN_BOUND) return -2 * FOUND_WIN + (WIN + v);
    const int s = v / 16;
    return s > FOUND_WIN - 12 ? FOUND_WIN - 12 : s < 12 - FOUND_WIN ? 12 - FOUND_WIN : s;
}

square square_of(int c) {
    return square{c / MAX_DIM, c % MAX_DIM};
}

void fill_report(int move, int value, int depth, const int *line, int length) {
    report.searched = true;
    report.move = square_of(move);
    report.value = report_value(value);
    report.nodes = dsearch.nodes;
    report.depth = depth;
    report.ms = elapsed_ms();
    report.line_length = 0;
    for (int k = 0; k < length && k < REPORT_LINE; k++)
        report.line[report.line_length++] = square_of(line[k]);
}

// "x,y x,y ..." of a line into buf.
void line_text(const int *line, int length, char *buf, int size) {
    int used = 0;
    buf[0] = 0;
    for (int k = 0; k < length && used < size - 16; k++)
        used += std::snprintf(buf + used, static_cast<size_t>(size - used), "%s%d,%d", k ? " " : "",
                              line[k] / MAX_DIM, line[k] % MAX_DIM);
}

// Any square `colour` may take: the best-ordered candidate, else the first empty legal one.
int fallback_move(int colour) {
    if (generate_moves(colour, 0, -1, BOARD_CELLS) > 0) return dsearch.moves[0][0];
    for (int x = 0; x < dboard.dim; x++)
        for (int y = 0; y < dboard.dim; y++)
            if (dboard.cells[cell(x, y)] == 0 && !(colour == 1 && black_forbidden(cell(x, y))))
                return cell(x, y);
    for (int x = 0; x < dboard.dim; x++)
        for (int y = 0; y < dboard.dim; y++)
            if (dboard.cells[cell(x, y)] == 0) return cell(x, y);
    return -1;
}

int aspiration_search(int colour, int depth, int guess) {
    if (depth >= 3 && guess > -WIN_BOUND && guess < WIN_BOUND) {
        const int lo = guess - ASPIRATION, hi = guess + ASPIRATION;
        const int v = pvs(colour, depth, 0, lo, hi, 0);
        if (dsearch.stopped || (v > lo && v < hi)) return v;
    }
    return pvs(colour, depth, 0, -INF_VALUE, INF_VALUE, 0);
}

// Whether the opponent of `side`, were it to move, wins by fours, or with `threes` by
// threats, within `nodes`.
bool opponent_wins(int side, bool threes, long long nodes) {
    const bool win =
        threes ? solve_vct(-side, ROOT_VCT_DEPTH, nodes) : solve_vcf(-side, ROOT_VCF_DEPTH, nodes);
    dsearch.nodes += threes ? vct.nodes : vcf.nodes;
    return win;
}

// When the opponent, were it to move, would win by fours (else by threats), the root searches
// only the moves after which it no longer does (and its own fours, which gain the move back);
// if none stops it, every move, to put the loss off. A move left untried for want of time
// stays, and the checks by threats stop at a share of the move's time.
void find_defences(int side) {
    dsearch.root_filter = false;
    const bool threes =
        !has_four_square(colour_index(-side)) || !opponent_wins(side, false, THREAT_VCF_NODES);
    if (threes && !opponent_wins(side, true, THREAT_VCT_NODES)) return;
    const int n = generate_moves(side, 0, -1, BOARD_CELLS);
    int kept = 0;
    std::memset(dsearch.root_allowed, 0, sizeof dsearch.root_allowed);
    for (int k = 0; k < n; k++) {
        const int c = dsearch.moves[0][k];
        bool defends = four_kind(dboard.kind[colour_index(side)][c]) || time_is_up() ||
                       (threes && dtime.limited && elapsed_ms() * DEFENCE_SHARE > dtime.target_ms);
        if (!defends) {
            board_put(c, side);
            // Only a move after which the win is still found is dropped; an unfinished
            // solve keeps it.
            defends = !opponent_wins(side, threes, threes ? DEFENCE_VCT_NODES : DEFENCE_VCF_NODES);
            board_take(c);
        }
        dsearch.root_allowed[c] = defends;
        kept += defends;
    }
    dsearch.root_filter = kept > 0;
}

// Whether the opponent wins by threats after `side` plays c.
bool refuted_by_threats(int c, int side) {
    board_put(c, side);
    const bool lost = opponent_wins(side, true, VERIFY_VCT_NODES);
    board_take(c);
    return lost;
}

// Takes c out of the root's moves, unless it is the last one left; whether it did.
bool drop_root_move(int c, int side) {
    const int n = generate_moves(side, 0, -1, BOARD_CELLS);
    if (!dsearch.root_filter)
        for (int k = 0; k < n; k++) dsearch.root_allowed[dsearch.moves[0][k]] = 1;
    dsearch.root_filter = true;
    if (n <= 1) return false;
    dsearch.root_allowed[c] = 0;
    return true;
}

// Iterative deepening from the deep board; returns the move.
int iterate(int colour) {
    int best = fallback_move(colour), value = 0, done = 0, dropped = 0;
    int line[DEEP_MAX_PLY], length = 0;
    bool checked[BOARD_CELLS] = {};
    int max_depth = DEEP_MAX_PLY - 4;
    if (dlimits.max_depth > 0 && dlimits.max_depth < max_depth) max_depth = dlimits.max_depth;
    if (!dtime.limited && dlimits.max_depth <= 0 && dlimits.max_nodes <= 0)
        max_depth = UNLIMITED_DEPTH;
    for (int depth = 1; depth <= max_depth; depth++) {
        if (depth > 1 && !time_for_iteration()) break;
        dsearch.root_best = -1;
        // The last iteration's move, unless the root may no longer play it.
        dsearch.root_anchor = dsearch.root_filter && !dsearch.root_allowed[best] ? -1 : best;
        const int v = aspiration_search(colour, depth, value);
        if (dsearch.stopped) {
            // A move of the unfinished iteration that beat the last one's stands.
            if (dsearch.root_best >= 0 && dsearch.root_best != best) {
                best = dsearch.root_best;
                line[0] = best;
                length = 1;
            }
            break;
        }
        if (dsearch.pv_length[0] < 1) break;
        const int move = dsearch.pv[0][0];
        if (v > -WIN_BOUND && v < WIN_BOUND && dropped < MAX_DROPPED && !checked[move]) {
            checked[move] = true;
            // A loss the search did not reach: the same depth again without the move.
            if (refuted_by_threats(move, colour) && drop_root_move(move, colour)) {
                dropped++;
                depth--;
                continue;
            }
        }
        best = move;
        value = v;
        done = depth;
        length = dsearch.pv_length[0];
        std::memcpy(line, dsearch.pv[0], sizeof(int) * static_cast<size_t>(length));
        char text[DEEP_MAX_PLY * 8];
        line_text(line, length, text, sizeof text);
        const long long ms = elapsed_ms();
        say("MESSAGE depth %d value %d nodes %lld nps %lld time %lld pv %s", depth, report_value(v),
            dsearch.nodes, dsearch.nodes * 1000 / (ms > 0 ? ms : 1), ms, text);
        if (v >= WIN_BOUND || v <= -WIN_BOUND) break;
    }
    if (length == 0) line[length++] = best;
    fill_report(best, value, done, line, length);
    return best;
}

} // namespace

void reset_deep_search() {
    std::memset(&dsearch, 0, sizeof dsearch);
    for (auto &k : dsearch.killer) k[0] = k[1] = -1;
    dlimits = deep_limits{0, 0, false};
}

int deep_value(int colour, int depth) {
    dsearch.stopped = false;
    dsearch.root_filter = false;
    dsearch.nodes = 0;
    dtime.limited = false;
    return pvs(colour, depth, 0, -INF_VALUE, INF_VALUE, 0);
}

namespace {

// The move choice proper on the loaded board: a cell, -1 when none is free.
int pick(int *board, int side) {
    plan_time();
    deadline.stopped = false;
    dsearch.stopped = false;
    dsearch.root_filter = false;
    dsearch.nodes = 0;
    reset_report();
    init_patterns(exact_for(1), exact_for(-1));
    board_load(board, game.dim);
    hash_new_search();
    for (auto &k : dsearch.killer) k[0] = k[1] = -1;
    const int me = colour_index(side);
    if (dboard.stones == 0) return cell((game.dim - 1) / 2, (game.dim - 1) / 2);
    if (dboard.stones >= game.dim * game.dim) return -1;
    if (dboard.kind_count[me][K_FIVE] > 0) {
        const int c = first_five(me); // ahead of any block of theirs
        fill_report(c, WIN - 1, 0, &c, 1);
        return c;
    }
    const bool vcf_win = dboard.kind_count[1 - me][K_FIVE] == 0 && has_four_square(me) &&
                         solve_vcf(side, ROOT_VCF_DEPTH, ROOT_VCF_NODES);
    if (vcf_win) {
        dsearch.nodes = vcf.nodes;
        char text[VCF_MAX_LINE * 8];
        line_text(vcf.line, vcf.length, text, sizeof text);
        say("MESSAGE vcf win %s", text);
        fill_report(vcf.line[0], WIN - vcf.length, 0, vcf.line, vcf.length);
        return vcf.line[0];
    }
    if (dboard.kind_count[1 - me][K_FIVE] == 0 && solve_vct(side, ROOT_VCT_DEPTH, ROOT_VCT_NODES)) {
        dsearch.nodes = vct.nodes;
        const int c = vct.first;
        say("MESSAGE vct win %d,%d", c / MAX_DIM, c % MAX_DIM);
        fill_report(c, WIN - 2 * ROOT_VCT_DEPTH, 0, &c, 1);
        return c;
    }
    find_defences(side);
    return iterate(side);
}

// Whether `side` may play c: a free square, and for black under renju one the full verdict
// allows (the search asks it only where the patterns see a possible foul).
bool playable(int c, int side) {
    if (c < 0 || !board_has(c) || dboard.cells[c] != 0) return false;
    return side != 1 || !settings.renju ||
           renju_verdict(dboard.cells, c / MAX_DIM, c % MAX_DIM) == RENJU_LEGAL;
}

} // namespace

square deep_choose(int *board, int side) {
    int c = pick(board, side);
    if (c >= 0 && !playable(c, side)) {
        // A last guard: any other square the rules allow.
        c = -1;
        for (int x = 0; x < dboard.dim && c < 0; x++)
            for (int y = 0; y < dboard.dim && c < 0; y++)
                if (playable(cell(x, y), side)) c = cell(x, y);
        if (c < 0) c = fallback_move(side);
        report.move = square_of(c);
    }
    return c < 0 ? square{-1, -1} : square_of(c);
}
