// One reset for the whole engine, so that the protocol, the tools and the tests start from
// the same state as a fresh process: the shared records here, the search's own through its
// mode. The output hooks (message_sink, exit_hook) belong to the harness that set them, for
// its whole run.
#include "analysis/live.h"
#include "search/deadline.h"
#include "search/mode.h"

search_report report;

void reset_report() {
    report = search_report{};
    report.move = {-1, -1};
}

void reset_engine(const search_mode &mode) {
    reset_game_state();
    reset_deadline();
    reset_report();
    mode.reset();
    reset_watch();
    reset_live();
}
