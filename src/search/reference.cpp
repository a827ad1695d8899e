// The plain search, the value alphabeta must find with a full window.
#include "search/reference.h"

#include "search/search.h"

int search_reference(int *board, int colour, int ply, int tag) {
    move_list &list = ply_list(ply); // the search's own lists: the two never run at once
    int score = 0;
    const int n = generate_moves(board, colour, ply, list, &score, tag);
    if (n == 0) return score;
    if (n == 1 && list.rec[0].tag == TAG_FIVE) return WIN - ply;
    if (n == 1 && list.rec[0].tag == TAG_LOST) return ply - WIN;
    if (n > 1 && ((tag == TAG_QUIET && ply > levels.full_depth) ||
                  (is_threat_tag(tag) && ply > levels.threat_depth) || ply > levels.max_depth))
        return score;
    int best = -WIN - 1;
    for (int i = 0; i < n; i++) {
        const int c = cell(list.rec[i].x, list.rec[i].y);
        board[c] = colour;
        const int v = -search_reference(board, -colour, ply + 1, list.rec[i].tag);
        board[c] = 0;
        if (v > best) best = v;
    }
    return best;
}
