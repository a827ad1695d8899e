// generate_moves, first half: the scan of the board into the two working lists, and the
// static score. The selection of the moves to try follows in select.cpp.
//
// The scan reads the live analysis, which follows the board from call to call; the plain
// scan that analyses every square afresh is kept as the reference (reference.cpp), and
// both share the filing, the score and the selection.
#include "analysis/live.h"
#include "movegen/scan.h"

// Weights of the best records of each list, indexed by
// (count - 1) * 9 + threat * 3 + min(windows - 1, 2). A threat-3 record of count 3 lands on
// entries 27-29 and weighs nothing: such a square is settled by the forced replies, not by
// the score. Records of count 4 never enter a sum.
constexpr int WEIGHT_ENTRIES = 30;
constexpr int own_weights[WEIGHT_ENTRIES] = {
    0, 1,  2, 0, 3,  4, 0,  0,  0,  // count 1: threat 0, 1, 2
    3, 4,  5, 4, 6,  7, 0,  48, 48, // count 2
    5, 48, 0, 7, 48, 0, 48, 48, 0,  // count 3
    0, 0,  0,                       // threat 3
};

// The opponent's table: the same, with the strong entries (48) weighing 19, so the side to
// move values its own chances above the opponent's equal ones.
struct weight_table {
    int w[WEIGHT_ENTRIES];
};
constexpr weight_table scaled_strong(int strong) {
    weight_table t{};
    for (int i = 0; i < WEIGHT_ENTRIES; i++)
        t.w[i] = own_weights[i] == 48 ? strong : own_weights[i];
    return t;
}
constexpr weight_table opp_table = scaled_strong(19);
constexpr const int *opp_weights = opp_table.w;
static_assert(opp_table.w[16] == 19 && opp_table.w[19] == 19 && opp_table.w[26] == 0);

constexpr int SCORED_RECORDS = 9;

static int weight_index(const point_info &p) {
    int w = p.windows - 1 < 2 ? p.windows - 1 : 2;
    return (p.count - 1) * 9 + p.threat * 3 + w;
}

// Tags derived from the move that led here: a quiet parent makes every reply quiet, a
// parent tagged +-1 passes its tag on, anything else gives the full forcing tags.
static int derived_tag(int parent_tag, int full) {
    if (parent_tag == TAG_QUIET) return TAG_QUIET;
    if (is_threat_tag(parent_tag)) return parent_tag;
    return full;
}

void file_square(const int *board, int x, int y, int side, int ply, int parent_tag,
                 const point_info &own, const point_info &opp, scan_state &st, threat_lists &tl) {
    const int three_tag = parent_tag != TAG_QUIET ? TAG_THREAT : TAG_QUIET;
    // 1. The side to move's view ranks at least as high: file it there only.
    if (cmp_point_info(own, opp) <= 0) {
        int tag = TAG_QUIET;
        if (makes_four(own)) {
            tag = st.attack_tag;
            st.own_fours++;
            if (ply <= 1 && makes_simple_four(own))
                threat_squares(board, x, y, side, tl.own, own.dir);
        } else if (makes_open_three(own)) {
            tag = three_tag;
        }
        uloz_tah(x, y, own, tag, st.own_list);
        return;
    }
    // 2. The opponent's view ranks higher.
    if (makes_four(opp) || makes_five(opp)) st.opp_fours++;
    if (makes_simple_four(opp)) {
        if (ply <= 1) threat_squares(board, x, y, -side, tl.opp, opp.dir);
        if (own.count == 2) {
            // An own open three on an opponent's simple four square is kept as well.
            if (makes_open_three(own)) uloz_tah(x, y, own, three_tag, st.own_list);
            uloz_tah(x, y, opp, TAG_QUIET, st.opp_list);
            return;
        }
    }
    uloz_tah(x, y, opp, TAG_QUIET, st.opp_list);
    // 3. An own four always reaches own_list, whatever the opponent makes here.
    if (makes_four(own)) {
        uloz_tah(x, y, own, st.attack_tag, st.own_list);
        st.own_fours++;
    }
}

void file_screened_square(const int *board, int x, int y, int side, int ply, int parent_tag,
                          point_info own, point_info opp, scan_state &st, threat_lists &tl) {
    if (black_barred(st, x, y)) {
        (side == 1 ? own : opp) = NO_POINT;
        if (own.count == 0 && opp.count == 0) return;
    }
    file_square(board, x, y, side, ply, parent_tag, own, opp, st, tl);
}

void start_scan(scan_state &st, threat_lists &tl, int parent_tag,
                point_info (*analyse)(const int *, int, int, int), const int *board,
                point_info (*black_view)(const int *, int, int, int)) {
    start_screen(st.screen, board, black_view);
    st.own_list.n = 0;
    st.opp_list.n = 0;
    st.own_fours = 0;
    st.opp_fours = 0;
    st.attack_tag = derived_tag(parent_tag, TAG_ATTACK);
    st.defence_tag = derived_tag(parent_tag, TAG_DEFENCE);
    st.analyse = analyse;
    tl.own.n = 0;
    tl.opp.n = 0;
}

// Weights of the first nine records; an opponent five square adds nothing.
static int list_sum(const move_list &list, const int *weights) {
    int sum = 0;
    for (int i = 0; i < list.n && i < SCORED_RECORDS; i++) {
        const point_info &p = list.rec[i].info;
        if (makes_five(p)) continue;
        int k = weight_index(p);
        if (k >= 0 && k < WEIGHT_ENTRIES) sum += weights[k]; // always, for filed records
    }
    return sum;
}

void finish_scan(int ply, int parent_tag, scan_state &st, const threat_lists &tl,
                 void (*sort)(move_list &), int *score) {
    // 1. Near the root, squares on threat lines around simple fours gain hits; then rank.
    if (ply <= 1) {
        mark_hits(tl.own, st.own_list.rec, st.own_list.n, 1, parent_tag);
        mark_hits(tl.opp, st.opp_list.rec, st.opp_list.n, 0, parent_tag);
    }
    if (sort) {
        sort(st.own_list);
        sort(st.opp_list);
    }
    // 2. The static score.
    st.own_sum = list_sum(st.own_list, own_weights);
    st.opp_sum = list_sum(st.opp_list, opp_weights);
    *score = st.own_sum - st.opp_sum;
}

// The live state's analysis of an empty square of the position it was brought to.
static point_info live_analysis(const int *, int x, int y, int colour) {
    return live_point(x, y, colour);
}

// The same under renju: nothing for black where black must not play.
static point_info live_renju_analysis(const int *board, int x, int y, int colour) {
    const point_info &p = live_point(x, y, colour);
    return colour == 1 && renju_forbidden(board, x, y, p) ? NO_POINT : p;
}

// Every empty square where either colour has a viable window, with the analyses of the
// live state brought to this position, in scan order. The first five of the side to move
// ends the scan: it is the one move to play. From ply 2 on the lists are filed straight
// into rank order (ranked.cpp); nearer the root, where threat squares add hits, they are
// filed in scan order and sorted.
int generate_moves(const int *board, int side, int ply, move_list &out, int *score,
                   int parent_tag) {
    out.n = 0;
    scan_state st;
    threat_lists tl;
    const bool renju = settings.renju != 0;
    start_scan(st, tl, parent_tag, renju ? live_renju_analysis : live_analysis, board,
               live_analysis);
    sync_live(board);
    if (ply >= 2) {
        if (scan_ranked(side, ply, parent_tag, st, out)) return 1;
        finish_scan(ply, parent_tag, st, tl, nullptr, score);
        return select_moves(board, side, ply, st, out);
    }
    const int own_colour = colour_index(side);
    int cells[BOARD_CELLS];
    for (int i = 0, n = live_candidates(cells); i < n; i++) {
        const int c = cells[i], x = c / MAX_DIM, y = c % MAX_DIM;
        const point_info *infos = live_infos_at(c);
        const point_info &own = infos[own_colour], &opp = infos[1 - own_colour];
        if (makes_five(own)) {
            uloz_tah(x, y, own, TAG_FIVE, out);
            return 1;
        }
        file_screened_square(board, x, y, side, ply, parent_tag, own, opp, st, tl);
    }
    finish_scan(ply, parent_tag, st, tl, sort_moves, score);
    return select_moves(board, side, ply, st, out);
}
