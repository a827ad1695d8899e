// Static value: every empty square's score for both colours (the board keeps their sums), the
// side to move's part weighed more, and a bonus for the strongest threat the side to move can
// make next, which the other side can no longer stop in time.
#include "search/deep/eval.h"

#include "game/game.h"
#include "search/deep/board.h"
#include "search/deep/values.h"

namespace {

// Weights of the two sums, in quarters: the side to move will use its squares first.
constexpr int MOVER_WEIGHT = 6, WAITER_WEIGHT = 4;

// Bonus by the mover's best kind when the other side has no four to answer with (a four
// gains the tempo back), and when it has one.
constexpr int threat_bonus[SQUARE_KINDS] = {0, 0, 0, 20, 60, 30, 1500, 2500, 4000, 0};
constexpr int threat_bonus_contested[SQUARE_KINDS] = {0, 0, 0, 10, 30, 30, 150, 300, 400, 0};

// Bonus for the waiting side's best kind: what it threatens to make once it moves.
constexpr int waiter_bonus[SQUARE_KINDS] = {0, 0, 0, 10, 40, 20, 200, 300, 600, 0};

int best_kind(int i) {
    for (int k = SQUARE_KINDS - 1; k > K_NONE; k--) {
        // Under renju black's double threes are forbidden, and its open fours may be too.
        if (i == 0 && settings.renju && k == K_DOUBLE_THREE) continue;
        if (dboard.kind_count[i][k] > 0) return k;
    }
    return K_NONE;
}

} // namespace

int evaluate(int colour) {
    const int me = colour_index(colour), them = 1 - me;
    int v = (dboard.total[me] * MOVER_WEIGHT - dboard.total[them] * WAITER_WEIGHT) / 4;
    const int mine = best_kind(me);
    v += has_four_square(them) ? threat_bonus_contested[mine] : threat_bonus[mine];
    v -= waiter_bonus[best_kind(them)];
    if (v > EVAL_LIMIT) v = EVAL_LIMIT;
    if (v < -EVAL_LIMIT) v = -EVAL_LIMIT;
    return v;
}
