#pragma once
// Private to move generation: what the board scan hands to the selection of moves.
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
};

// The selection: the forced replies, else the ordinary choice under the depth limits.
// Fills `out` (already empty) from the scanned lists and returns the number of records.
int select_moves(const int *board, int side, int ply, const scan_state &st, move_list &out);
