// The plain generator: every empty square analysed afresh with analyse_point and the lists
// ranked by an insertion sort on cmp_move_rec. It is what generate_moves computes, in the
// simplest form, and the tests hold the fast scan to it.
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
    return colour == 1 && renju_forbidden(board, x, y, p) ? point_info{0, 0, 0, 0, -1} : p;
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
            if (renju)
                file_renju_square(board, x, y, side, ply, parent_tag, own, opp, st, tl);
            else
                file_square(board, x, y, side, ply, parent_tag, own, opp, st, tl);
        }
    }
    return finish_scan(board, side, ply, parent_tag, st, tl, insertion_sort, out, score);
}
