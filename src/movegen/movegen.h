#pragma once
// Move generation: move records and lists, the ranking of candidates, and generate_moves,
// the engine's only source of moves and of leaf values.
#include "analysis/point.h"
#include "analysis/threats.h"

// The search class of a move (move_rec::tag). A node reached by a quiet move stops past
// full_depth, one reached by a threat (+1, or -1 passed on from a threat of the other side)
// past threat_depth, one reached by an attack or a defence only past max_depth; a lone
// five or lost-game reply ends the search there.
constexpr int TAG_FIVE = 3;     // completes five: the position is won
constexpr int TAG_LOST = -3;    // blocks one of two fives: the position is lost
constexpr int TAG_ATTACK = 2;   // a four under a forcing parent
constexpr int TAG_DEFENCE = -2; // a forced block under a forcing parent
constexpr int TAG_THREAT = 1;   // an open three or a threat-line square
constexpr int TAG_QUIET = 0;
constexpr int TAG_ROOT = TAG_ATTACK; // the tag the root position itself carries

inline bool is_threat_tag(int tag) {
    return tag == TAG_THREAT || tag == -TAG_THREAT;
}

// A candidate move: a square, the analysis of that square for one colour, and the search
// class of the move (the TAG_ constants).
struct move_rec {
    int x;
    int y;
    point_info info;
    int tag;
};

// Capacity of every move list, large enough that no position can fill one:
// - a working list (own_list, opp_list) gets at most one record per empty square, and the
//   quiet_after scratch list copies records of one of them: at most BOARD_CELLS;
// - a block list gets one record per empty cell of the one or two 11-cell lines it walks:
//   at most 2 * LINE_LEN;
// - the output list holds, in a forced reply, at most the own fours (own_list records) plus
//   one opp_list record or the blocks of two lines (2 * LINE_LEN); in the ordinary
//   selection, distinct own_list records (the chosen ones and the quiet ones below the
//   last of them) plus at most 9 + 4 opp_list records.
// The first bound of the output list is the largest: BOARD_CELLS + 2 * LINE_LEN.
constexpr int MAX_MOVES = BOARD_CELLS + 2 * LINE_LEN;

struct move_list {
    int n;
    move_rec rec[MAX_MOVES];
};

// Appends one record to `list`; a full list is an internal fault and ends the process.
// Inline: the generator files every candidate square through it.
inline int uloz_tah(int x, int y, const point_info &info, int tag, move_list &list) {
    if (list.n >= MAX_MOVES) fatal("uloz_tah: preteceni ts, n=%d", list.n);
    list.rec[list.n] = move_rec{x, y, info, tag};
    list.n++;
    return 0;
}

// Ranking of two analyses: count, then threat, then windows, then hits, larger first.
// -1 when a ranks first, +1 when b does, 0 when all four are equal (dir is ignored).
// Threat comes before windows: a square that makes threats on two lines outranks one that
// only has more room on its best line. Inline: the scan ranks every square it files.
inline int cmp_point_info(const point_info &a, const point_info &b) {
    if (a.count != b.count) return a.count > b.count ? -1 : 1;
    if (a.threat != b.threat) return a.threat > b.threat ? -1 : 1;
    if (a.windows != b.windows) return a.windows > b.windows ? -1 : 1;
    if (a.hits != b.hits) return a.hits > b.hits ? -1 : 1;
    return 0;
}

// cmp_point_info on the analyses of two records; square and tag take no part.
inline int cmp_move_rec(const move_rec &p, const move_rec &q) {
    return cmp_point_info(p.info, q.info);
}

// Sorts the first list.n records strongest first by cmp_move_rec; records that compare
// equal keep their order (the scan order), so every platform gets the same list.
void sort_moves(move_list &list);

// For every move whose square is listed in `squares`, raises hits once per listing and
// sets its tag: 0 when value is 0, otherwise the smaller in magnitude of flag and value
// (flag on equal magnitude).
void mark_hits(const square_list &squares, move_rec *moves, int move_count, int flag, int value);

// Empties `scratch`, finds the last record of `out` among the first src_count records of
// `src` and appends to `scratch` every later counted record of `src` with threat 1, tag 0
// and hits 0: the next quiet single-threat squares below the cut. Returns how many.
int quiet_after(const move_list &out, const move_list &src, int src_count, move_list &scratch);

// The move generator and static evaluator. Looks at every empty square of `board` for
// `side` (to move) and the opponent, writes the static score (own view) through `score`
// except when it returns an immediate five, and fills `out` from index 0 with the moves to
// try, in the order to try them. Returns their number:
//   0          no move to try: the position is worth *score
//   1, tag 3   the move completes five
//   1, tag -3  the opponent completes five whatever happens
// `ply` is the position's ply (root_ply at the root); `parent_tag` is the tag of the move
// that led here (2 at the root). Reads dim, exact_five, full_depth and threat_depth.
int generate_moves(const int *board, int side, int ply, move_list &out, int *score, int parent_tag);

// What the last generate_moves call that scored its position (one that did not return a
// five of the side to move) chose, for tools that explain a position; play never reads it.
// rule: 0 the ordinary selection (under the depth limits), or the forced reply that made
// the list: 1 a five of the opponent blocked, 2 open fours, 3 fours with a second threat,
// 4 the answer to the opponent's open four or double threat.
struct selection_report {
    int own_sum; // the static score is own_sum - opp_sum
    int opp_sum;
    int rule;
};
extern selection_report last_selection;

// The same results as generate_moves by the plainest means: every empty square analysed
// afresh and a simple stable sort. Slow; the tests compare the two.
int generate_moves_reference(const int *board, int side, int ply, move_list &out, int *score,
                             int parent_tag);
