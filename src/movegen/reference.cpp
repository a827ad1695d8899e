// The plain generator: every empty square analysed afresh with analyse_point, the lists
// ranked by an insertion sort on cmp_move_rec, and the ordinary selection written out on its
// own. It is what generate_moves computes, in the simplest form, and the tests hold the fast
// scan and the selection to it; only the forced replies are the generator's own.
#include "movegen/scan.h"

// Stable: a record moves up only past records that rank strictly below it.
static void insertion_sort(move_list &list) {
    for (int i = 1; i < list.n; i++) {
        const move_rec r = list.rec[i];
        int j = i;
        for (; j > 0 && cmp_move_rec(r, list.rec[j - 1]) < 0; j--) list.rec[j] = list.rec[j - 1];
        list.rec[j] = r;
    }
}

// analyse_point under renju: nothing for black where black must not play.
static point_info renju_point_analysis(const int *board, int x, int y, int colour) {
    const point_info p = analyse_point(board, x, y, colour);
    return colour == 1 && renju_forbidden(board, x, y, p) ? NO_POINT : p;
}

static void append(const move_rec &r, move_list &out) {
    uloz_tah(r.x, r.y, r.info, r.tag, out);
}

// Up to four quiet single-threat records (threat 1, tag 0, no hits) of `list` found below
// the square `out` ends with; none when that square is not in `list`.
static void append_quiet_below(const move_list &list, move_list &out) {
    int at = list.n;
    for (int i = 0; out.n > 0 && i < list.n; i++)
        if (list.rec[i].x == out.rec[out.n - 1].x && list.rec[i].y == out.rec[out.n - 1].y) at = i;
    for (int i = at + 1, taken = 0; i < list.n && taken < 4; i++) {
        const move_rec &r = list.rec[i];
        if (r.info.threat == 1 && r.tag == TAG_QUIET && r.info.hits == 0) append(r, out), taken++;
    }
}

// The ordinary choice when nothing is forced. Past threat_depth: the own fours. Past
// full_depth: the own records tagged above 0. Otherwise those, then the best other own
// records up to the own cap; near the root up to four quiet own squares below them; at the
// root and from ply 2 on the best opponent records up to the opponent cap; at the root up to
// four quiet opponent squares below those, and every quiet record is searched as a threat.
// The caps by ply 0, 1, 2+: (9, 5) when the static sums favour the side to move (ties do),
// (5, 9) when not; (7, 4) or (4, 7); (5, 3) or (3, 5).
static int plain_ordinary(int ply, const scan_state &st, move_list &out) {
    constexpr int caps[3][2][2] = {{{9, 5}, {5, 9}}, {{7, 4}, {4, 7}}, {{5, 3}, {3, 5}}};
    const move_list &own = st.own_list, &opp = st.opp_list;
    if (ply > levels.threat_depth || ply > levels.full_depth) {
        for (int i = 0; i < own.n; i++)
            if (ply > levels.threat_depth ? i < st.own_fours : own.rec[i].tag > TAG_QUIET)
                append(own.rec[i], out);
        return out.n;
    }
    const int *cap = caps[ply < 2 ? ply : 2][st.own_sum >= st.opp_sum ? 0 : 1];
    for (int i = 0; i < own.n; i++)
        if (own.rec[i].tag > TAG_QUIET) append(own.rec[i], out);
    for (int i = 0; i < own.n && out.n < cap[0]; i++)
        if (own.rec[i].tag <= TAG_QUIET) append(own.rec[i], out);
    if (ply < 2) append_quiet_below(own, out);
    for (int i = 0; ply != 1 && i < opp.n && i < cap[1]; i++) append(opp.rec[i], out);
    if (ply < 2) append_quiet_below(opp, out);
    for (int i = 0; ply == 0 && i < out.n; i++)
        if (out.rec[i].tag == TAG_QUIET) out.rec[i].tag = TAG_THREAT;
    return out.n;
}

// The forced replies, else the ordinary choice; under renju black is offered no barred
// square (a lost-game record stays: it is read, not played).
static int plain_selection(const int *board, int side, int ply, const scan_state &st,
                           move_list &out) {
    if (forced_reply(board, side, st, out) == NOT_FORCED) plain_ordinary(ply, st, out);
    return settings.renju != 0 && side == 1 ? drop_barred(st, out) : out.n;
}

int generate_moves_reference(const int *board, int side, int ply, move_list &out, int *score,
                             int parent_tag) {
    out.n = 0;
    scan_state st;
    threat_lists tl;
    const bool renju = settings.renju != 0;
    start_scan(st, tl, parent_tag, renju ? renju_point_analysis : analyse_point, board,
               analyse_point);
    for (int x = 0; x < game.dim; x++) {
        for (int y = 0; y < game.dim; y++) {
            if (board[cell(x, y)] != 0) continue;
            const point_info own = analyse_point(board, x, y, side);
            const point_info opp = analyse_point(board, x, y, -side);
            if (makes_five(own)) {
                uloz_tah(x, y, own, TAG_FIVE, out);
                return 1;
            }
            if (own.count == 0 && opp.count == 0) continue;
            file_screened_square(board, x, y, side, ply, parent_tag, own, opp, st, tl);
        }
    }
    finish_scan(ply, parent_tag, st, tl, insertion_sort, score);
    return plain_selection(board, side, ply, st, out);
}
