// generate_moves, second half: forced replies first (a five to stop, open fours, fours
// with a second threat, the opponent's open four or double threat), then the ordinary
// selection of the best squares of both lists under the level's depth limits.
#include "movegen/scan.h"

// Caps (own, opponent) of the ordinary selection by ply band (0, 1, 2 and deeper) and by
// whether the static sums favour the side to move: the favoured side gets the longer list.
// The ply-1 opponent caps (7 and 4) are never read: at ply 1 the opponent's squares come in
// only as quiet squares below the cut.
constexpr int list_limits[3][2][2] = {
    {{5, 9}, {9, 5}}, // ply 0: own_sum < opp_sum, own_sum >= opp_sum
    {{4, 7}, {7, 4}}, // ply 1
    {{3, 5}, {5, 3}}, // ply 2 and deeper
};

constexpr int QUIET_EXTRA = 4; // quiet squares added below each list's cut

static void output(const move_rec &r, move_list &out) {
    uloz_tah(r.x, r.y, r.info, r.tag, out);
}

static void output_own_fours(const scan_state &st, move_list &out) {
    for (int i = 0; i < st.own_fours; i++) output(st.own_list.rec[i], out);
}

// The opponent completes five: two five squares lose; a single one must be blocked.
static int block_five(const scan_state &st, move_list &out) {
    if (st.opp_fours == 0 || !makes_five(st.opp_list.rec[0].info)) return NOT_FORCED;
    int fives = 0;
    while (fives < st.opp_list.n && makes_five(st.opp_list.rec[fives].info)) fives++;
    // A five square where black must not play is one that black cannot stop.
    const move_rec &r = st.opp_list.rec[0];
    const bool lost = fives >= 2 || black_barred(st, r.x, r.y);
    uloz_tah(r.x, r.y, r.info, lost ? TAG_LOST : st.defence_tag, out);
    return 1;
}

// Open fours of the side to move win outright.
static int open_fours(const scan_state &st, move_list &out) {
    for (int i = 0; i < st.own_fours; i++)
        if (makes_open_four(st.own_list.rec[i].info)) output(st.own_list.rec[i], out);
    return out.n > 0 ? out.n : NOT_FORCED;
}

// True when the opponent can make a four on a square of the four's line where the side to
// move also makes one: its reply to the four might then gain a tempo.
static bool four_line_contested(const int *board, int side, const scan_state &st,
                                const move_rec &four) {
    square_list four_line_squares;
    four_line_squares.n = 0;
    const direction dir = directions[four.info.dir];
    // 1. Empty squares of the line (offsets -5..5) where the side to move has a four.
    for (int k = -5; k <= 5; k++) {
        int x = four.x + k * dir.dx, y = four.y + k * dir.dy;
        if (!on_board(x, y) || board[cell(x, y)] != 0) continue;
        if (makes_four(st.analyse(board, x, y, side))) uloz_tah_t(x, y, four_line_squares);
    }
    // 2. Any of them a four square of the opponent too?
    for (int i = 0; i < four_line_squares.n; i++) {
        const int *sq = four_line_squares.sq[i];
        if (makes_four(st.analyse(board, sq[0], sq[1], -side))) return true;
    }
    return false;
}

// Fours that make a second threat, unless the opponent can answer with a four on the line.
static int double_threats(const int *board, int side, const scan_state &st, move_list &out) {
    for (int i = 0; i < st.own_fours; i++) {
        const move_rec &r = st.own_list.rec[i];
        if (makes_double_threat(r.info) && !four_line_contested(board, side, st, r)) output(r, out);
    }
    return out.n > 0 ? out.n : NOT_FORCED;
}

namespace {
struct block_lists {
    move_list open_four_blocks; // opponent count 3, two or more windows
    move_list four_blocks;      // opponent count 3, one window
    move_list three_blocks;     // second line only: opponent count 2, two or more windows
};
} // namespace

// The second line through a double-threat square: the other direction where the opponent
// has the most (the line that leads; the earlier direction on a tie). Returns its index
// and its count in *second_count.
static int second_line(const int *board, int side, int x, int y, int first, int *second_count) {
    int best = -1, best_m = -1, best_f = -1;
    for (int d = 0; d < 4; d++) {
        if (d == first) continue;
        int line[LINE_LEN];
        line_window(board, x, y, d, line);
        int c;
        int m = count_fives(line, -side, &c);
        if (line_leads(packed_figures(m, c), best_f)) {
            best = d;
            best_m = m;
            best_f = packed_figures(m, c);
        }
    }
    *second_count = best_m;
    return best;
}

// Files the empty squares of one line through x,y by what the opponent makes there.
static void collect_blocks(const int *board, int side, const scan_state &st, int x, int y, int d,
                           bool second, int second_count, block_lists &bl) {
    const int tag = st.defence_tag;
    for (int k = -5; k <= 5; k++) {
        int cx = x + k * directions[d].dx, cy = y + k * directions[d].dy;
        if (!on_board(cx, cy) || board[cell(cx, cy)] != 0) continue;
        point_info p = st.analyse(board, cx, cy, -side);
        if (makes_open_four(p))
            uloz_tah(cx, cy, p, tag, bl.open_four_blocks);
        else if (makes_simple_four(p))
            uloz_tah(cx, cy, p, tag, bl.four_blocks);
        else if (second && second_count <= 2 && makes_open_three(p))
            uloz_tah(cx, cy, p, tag, bl.three_blocks);
    }
}

// Answers the opponent's threat at record `t` of opp_list: own fours first, then the
// blocks on its line (and, for a lone double threat, on its second line).
static int answer_threat(const int *board, int side, const scan_state &st, const move_rec &t,
                         int block_lines, move_list &out) {
    block_lists bl;
    bl.open_four_blocks.n = 0;
    bl.four_blocks.n = 0;
    bl.three_blocks.n = 0;
    // 1. Own fours come first: they may win before the block matters.
    output_own_fours(st, out);
    // 2. Walk the threat's own line, then the second line.
    collect_blocks(board, side, st, t.x, t.y, t.info.dir, false, 0, bl);
    if (block_lines == 2) {
        int second_count;
        int d = second_line(board, side, t.x, t.y, t.info.dir, &second_count);
        collect_blocks(board, side, st, t.x, t.y, d, true, second_count, bl);
    }
    // 3. Two open-four blocks suffice; otherwise every four block, and the three blocks
    //    when no open-four block exists.
    const move_list &ofb = bl.open_four_blocks;
    if (ofb.n >= 2) {
        output(ofb.rec[0], out);
        output(ofb.rec[1], out);
        return out.n;
    }
    if (ofb.n == 1) output(ofb.rec[0], out);
    for (int i = 0; i < bl.four_blocks.n; i++) output(bl.four_blocks.rec[i], out);
    if (ofb.n == 0)
        for (int i = 0; i < bl.three_blocks.n; i++) output(bl.three_blocks.rec[i], out);
    return out.n;
}

// The opponent threatens an open four or a double threat: a square of two open fours is answered
// by the own fours and that square; otherwise the first open-four square, or the first of
// the double-threat squares, is blocked.
static int opponent_threats(const int *board, int side, const scan_state &st, move_list &out) {
    int threat_at = -1, block_lines = 0, noted_at = -1, noted = 0;
    for (int i = 0; i < st.opp_fours; i++) {
        const move_rec &r = st.opp_list.rec[i];
        if (makes_double_open_four(r.info)) {
            output_own_fours(st, out);
            output(r, out);
            return out.n;
        }
        if (makes_open_four(r.info)) {
            threat_at = i;
            block_lines = 1;
            break;
        }
        if (makes_double_threat(r.info)) {
            if (noted == 0) noted_at = i;
            noted++;
        }
    }
    if (threat_at < 0) {
        if (noted == 0) return NOT_FORCED;
        threat_at = noted_at;
        block_lines = noted >= 2 ? 1 : 2;
    }
    return answer_threat(board, side, st, st.opp_list.rec[threat_at], block_lines, out);
}

// Appends up to QUIET_EXTRA quiet single-threat records of `src` found below the last
// output record.
static void output_quiet_after(const move_list &src, move_list &out) {
    move_list quiet_candidates;
    int n = quiet_after(out, src, src.n, quiet_candidates);
    for (int i = 0; i < n && i < QUIET_EXTRA; i++) output(quiet_candidates.rec[i], out);
}

// Within full_depth: the attacking own records, the best of the rest of both
// lists up to the band's caps, and a few quiet developing squares near the root.
static int ordinary_selection(int ply, const scan_state &st, move_list &out) {
    const move_list &own = st.own_list, &opp = st.opp_list;
    // 1. Caps of the ply band, the longer list for the side the sums favour.
    const int band = ply < 2 ? ply : 2;
    const int *caps = list_limits[band][st.own_sum >= st.opp_sum ? 1 : 0];
    int attacking = 0;
    for (int i = 0; i < own.n; i++) attacking += own.rec[i].tag > TAG_QUIET;
    int n_own = own.n < caps[0] ? own.n : caps[0];
    if (n_own < attacking) n_own = attacking;
    const int n_opp = opp.n < caps[1] ? opp.n : caps[1];
    // 2. Attacking records, then the best others up to the own cap.
    for (int i = 0; i < own.n; i++)
        if (own.rec[i].tag > TAG_QUIET) output(own.rec[i], out);
    for (int i = 0, left = n_own - attacking; i < own.n && left > 0; i++) {
        if (own.rec[i].tag > TAG_QUIET) continue;
        output(own.rec[i], out);
        left--;
    }
    // 3. Deeper in the tree: the best opponent squares, and done.
    if (ply >= 2) {
        for (int i = 0; i < n_opp; i++) output(opp.rec[i], out);
        return out.n;
    }
    // 4. Near the root: quiet own squares, the opponent's squares at the root only, quiet
    //    opponent squares; at the root every quiet move is searched as a threat.
    output_quiet_after(own, out);
    if (ply == 0)
        for (int i = 0; i < n_opp; i++) output(opp.rec[i], out);
    output_quiet_after(opp, out);
    if (ply == 0)
        for (int i = 0; i < out.n; i++)
            if (out.rec[i].tag == TAG_QUIET) out.rec[i].tag = TAG_THREAT;
    return out.n;
}

selection_report last_selection;

int drop_barred(const scan_state &st, move_list &out) {
    int kept = 0;
    for (int i = 0; i < out.n; i++) {
        const move_rec &r = out.rec[i];
        if (r.tag == TAG_LOST || !black_barred(st, r.x, r.y)) out.rec[kept++] = r;
    }
    out.n = kept;
    return kept;
}

int forced_reply(const int *board, int side, const scan_state &st, move_list &out) {
    last_selection.rule = 1;
    int n = block_five(st, out);
    if (n == NOT_FORCED) last_selection.rule = 2, n = open_fours(st, out);
    if (n == NOT_FORCED) last_selection.rule = 3, n = double_threats(board, side, st, out);
    if (n == NOT_FORCED) last_selection.rule = 4, n = opponent_threats(board, side, st, out);
    return n;
}

static int select_unscreened(const int *board, int side, int ply, const scan_state &st,
                             move_list &out) {
    // 1. Forced replies, at every ply, in order of urgency.
    last_selection = {st.own_sum, st.opp_sum, 1};
    if (const int n = forced_reply(board, side, st, out); n != NOT_FORCED) return n;
    last_selection.rule = 0;
    // 2. Otherwise the ordinary selection; past full_depth only attacking moves, and past
    //    threat_depth only the own fours.
    if (ply <= levels.full_depth) return ordinary_selection(ply, st, out);
    if (ply > levels.threat_depth) {
        output_own_fours(st, out);
        return out.n;
    }
    for (int i = 0; i < st.own_list.n; i++)
        if (st.own_list.rec[i].tag > TAG_QUIET) output(st.own_list.rec[i], out);
    return out.n;
}

int select_moves(const int *board, int side, int ply, const scan_state &st, move_list &out) {
    const int n = select_unscreened(board, side, ply, st, out);
    return settings.renju != 0 && side == 1 ? drop_barred(st, out) : n;
}
