// The last-resort stop of a move: armed by the command loop when a move is asked for, read
// by the search at its clock checks.
#include "search/deadline.h"

#include <cmath>

#include "game/game.h"
#include "search/clock.h"

long long (*deadline_clock)() = clock_ms;
deadline_state deadline;

namespace {

// What the last-resort stop keeps back of a move's time: the clock is read only every 128
// nodes (checks came up to 71 ms apart on 20 x 20 with the machine loaded by two busy
// processes), the stopped search still has to unwind and answer, and on a busy machine the
// engine may wait for a core before its reply leaves. A fixed part covers a short move, a
// share of the move a long one.
constexpr long long STOP_MARGIN_MS = 100;
constexpr double STOP_MARGIN_SHARE = 0.05;

} // namespace

void reset_deadline() {
    deadline = deadline_state{false, 0, false};
    deadline_clock = clock_ms;
}

double move_time() {
    // A turn time of 0 or less sets no limit of its own.
    double limit = settings.timeout_turn > 0 ? settings.timeout_turn : INFINITY;
    if (settings.timeout_match > 0 && settings.time_left < limit) limit = settings.time_left;
    return limit;
}

void arm_stop() {
    const double limit = move_time();
    deadline.armed = std::isfinite(limit);
    if (!deadline.armed) return;
    const double ms = limit > 0 ? limit * 1000.0 : 0.0;
    const double margin = static_cast<double>(STOP_MARGIN_MS) + ms * STOP_MARGIN_SHARE;
    // A limit beyond any real game (a huge INFO value) is clamped well inside the range.
    const double budget = std::fmin(ms - margin, 1e12);
    deadline.stop_at = deadline_clock() + static_cast<long long>(budget);
}

void disarm_stop() {
    deadline.armed = false;
}

bool out_of_time() {
    if (deadline.armed && !deadline.stopped && deadline_clock() >= deadline.stop_at)
        deadline.stopped = true;
    return deadline.stopped;
}
