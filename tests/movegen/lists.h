#pragma once
// Test helpers for the generator: move lists as text and pictured positions.
#include "movegen/movegen.h"
#include "support/position.h"

// A record as (x,y,count,windows,threat,hits,dir,tag); a list as records joined by spaces.
inline std::string list_text(const move_list &list, int n) {
    std::string text;
    for (int i = 0; i < n; i++) {
        const move_rec &r = list.rec[i];
        char rec[96];
        std::snprintf(rec, sizeof rec, "%s(%d,%d,%d,%d,%d,%d,%d,%d)", i ? " " : "", r.x, r.y,
                      r.info.count, r.info.windows, r.info.threat, r.info.hits, r.info.dir, r.tag);
        text += rec;
    }
    return text;
}

constexpr int SCORE_UNTOUCHED = -99999;

struct generated {
    int n, score; // score stays SCORE_UNTOUCHED when the generator leaves it alone
    std::string moves;
};

// One call of the generator on the shared board.
inline generated generate(int side, int ply, int parent_tag) {
    static move_list out;
    generated g{0, SCORE_UNTOUCHED, ""};
    g.n = generate_moves(game.board, side, ply, out, &g.score, parent_tag);
    g.moves = list_text(out, g.n);
    return g;
}
