// Time planning for the deep mode.
#include "search/deep/time.h"

#include <cmath>

#include "game/game.h"
#include "search/deadline.h"

deep_time dtime;

namespace {

// What a move keeps back for the process and the pipes: a fixed part and a share.
constexpr double MARGIN_MS = 100, MARGIN_SHARE = 0.1;
// The share of the game clock one move may plan on.
constexpr double CLOCK_SHARE = 1.0 / 25;

} // namespace

void plan_time() {
    dtime.start_ms = deadline_clock();
    const double turn = settings.timeout_turn > 0 ? settings.timeout_turn * 1000 : INFINITY;
    const double clock = settings.timeout_match > 0 ? settings.time_left * 1000 : INFINITY;
    const double limit = std::fmin(turn, clock);
    dtime.limited = std::isfinite(limit);
    if (!dtime.limited) return;
    const double hard = std::fmax(1, limit - std::fmax(MARGIN_MS, limit * MARGIN_SHARE));
    double target = std::fmin(hard, clock * CLOCK_SHARE);
    target = std::fmax(1, target);
    dtime.hard_ms = static_cast<long long>(std::fmin(hard, 1e12));
    dtime.target_ms = static_cast<long long>(std::fmin(target, 1e12));
}

long long elapsed_ms() {
    return deadline_clock() - dtime.start_ms;
}

bool time_for_iteration() {
    if (!dtime.limited) return true;
    // When the turn's own limit is the target, the time would go unused: the next iteration
    // starts, and a better move it finds before the hard limit still counts.
    if (dtime.target_ms >= dtime.hard_ms) return elapsed_ms() < dtime.hard_ms;
    return elapsed_ms() * 2 < dtime.target_ms;
}

bool time_is_up() {
    if (out_of_time()) return true;
    return dtime.limited && elapsed_ms() >= dtime.hard_ms;
}
