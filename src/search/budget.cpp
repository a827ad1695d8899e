// The process's memory budget, shared by every search.
#include "search/budget.h"

#include <climits>

#include "analysis/live.h"
#include "search/deadline.h"
#include "search/mode.h"

// A procedure, not a constant: the live analysis's share is known only inside it, and a
// constant filled by a call would be set by a hidden static initialiser.
long shared_bytes() {
    return static_cast<long>(sizeof(game_state) + sizeof(settings_state) + sizeof(board_watch) +
                             sizeof(deadline_state) + sizeof(search_report)) +
           live_bytes();
}

long bytes_left(const search_mode &mode) {
    if (settings.max_memory <= 0) return LONG_MAX;
    const double left =
        settings.max_memory * 1048576.0 - static_cast<double>(shared_bytes() + mode.bytes());
    return left > static_cast<double>(LONG_MAX) ? LONG_MAX : static_cast<long>(left);
}
