#pragma once
// Private to move generation: what the board scan hands to the selection of moves.
#include <cstdint>

#include "analysis/renju.h"
#include "movegen/movegen.h"

struct scan_state {
    move_list own_list; // squares filed under the side to move, with its analysis
    move_list opp_list; // squares where the opponent's analysis ranks strictly higher
    int own_fours;      // own_list records with count 3 (after sorting: its first ones)
    int opp_fours;      // opp_list records with count 3 or 4 (after sorting: its first ones)
    int own_sum;        // weights of the best own_list records
    int opp_sum;        // weights of the best opp_list records
    int attack_tag;     // tag of a four of the side to move
    int defence_tag;    // tag of a forced block
    // The point analysis the selection uses on empty squares of the scanned position.
    point_info (*analyse)(const int *board, int x, int y, int colour);
    // Under renju, the squares of the scanned position where black must not play, screened
    // when the scan or the selection first asks about them (mutable: asking fills it in).
    mutable renju_screen screen;
};

// Under renju, whether black must not play the empty square x,y of the scanned position;
// false under the other rules.
inline bool black_barred(const scan_state &st, int x, int y) {
    return black_barred(st.screen, x, y);
}

// Threat squares around the simple fours the scan files, near the root.
struct threat_lists {
    square_list own;
    square_list opp;
};

// Empty lists and the tags derived from the move that led here; `analyse` is the point
// analysis the selection will use. Under renju black's squares are screened on `board`,
// with black's plain analysis `black_view`.
void start_scan(scan_state &st, threat_lists &tl, int parent_tag,
                point_info (*analyse)(const int *, int, int, int), const int *board,
                point_info (*black_view)(const int *, int, int, int));

// Files the empty square x,y with the side to move's analysis `own` and the opponent's
// `opp` (not both of count 0), in scan order (x outer, y inner).
void file_square(const int *board, int x, int y, int side, int ply, int parent_tag,
                 const point_info &own, const point_info &opp, scan_state &st, threat_lists &tl);

// file_square with renju's screen where it applies: black's analysis of a square where
// black must not play counts for nothing, and the square is barred, so that black is never
// offered it.
void file_screened_square(const int *board, int x, int y, int side, int ply, int parent_tag,
                          point_info own, point_info opp, scan_state &st, threat_lists &tl);

// The scan from ply 2 on, into lists already in rank order (the filing of file_square,
// with no threat squares). Returns 1 with the single winning record in `out` when the side
// to move completes five, else 0.
int scan_ranked(int side, int ply, int parent_tag, scan_state &st, move_list &out);

// After the scan: hits near the root, both lists ranked by `sort` (nullptr: they already
// are) and the static score written through `score`, ready for the selection.
void finish_scan(int ply, int parent_tag, scan_state &st, const threat_lists &tl,
                 void (*sort)(move_list &), int *score);

// Takes the squares where black must not play out of `out`, keeping the order of the rest;
// a lost-game record stays, as the search reads it without playing it. Returns out.n.
int drop_barred(const scan_state &st, move_list &out);

// The selection: the forced replies, else the ordinary choice under the depth limits.
// Fills `out` (already empty) from the scanned lists and returns the number of records.
int select_moves(const int *board, int side, int ply, const scan_state &st, move_list &out);

// The forced replies alone, in order of urgency: the records filled into `out`, or
// NOT_FORCED when none applies (`out` then stays empty).
constexpr int NOT_FORCED = -1;
int forced_reply(const int *board, int side, const scan_state &st, move_list &out);
