// Fuzz target for the command loop: each input is one fresh run of the loop with the input
// as its standard input, as if a manager had sent those bytes and closed the pipe. The run
// ends where the process would end (END, the end of the input). Findings:
// any sanitizer report, an exit through an internal fault, and a reply line of a form the
// protocol does not document.
//
// The engine's moves come from the level-0 search, or with BRUSK_FUZZ_MODE=deep in the
// environment from the deep mode at depth 2. With BRUSK_FUZZ_MOVES=first in the
// environment they come from a stand-in that plays the first empty square instead, which
// drives the loop alone tens of times faster, for long runs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>

#include "game/game.h"
#include "protocol/protocol.h"
#include "search/classic/classic.h"
#include "search/classic/timectl.h"
#include "search/deep/deep.h"
#include "search/mode.h"

namespace {

struct loop_ended {};

// The forms of line the engine may say: OK, a move x,y on the 20 x 20 array, the about
// line, ERROR ..., MESSAGE ..., UNKNOWN command '...'. Any other is a finding.
const std::regex documented(
    R"(OK|ERROR .*|MESSAGE .*|UNKNOWN command '.*'|name="brusk(-deep)?".*|1?[0-9],1?[0-9])");

void check_line(const char *line) {
    if (!std::regex_match(line, documented)) std::abort();
}

// Replaces the process exit: an orderly exit unwinds back to the harness; any other code
// is an internal fault, which correct play never reaches.
[[noreturn]] void leave_loop(int code) {
    if (code != 0) std::abort();
    throw loop_ended{};
}

// Level 0 for every game, as INFO timeout_turn 0 would give: searches stay short and the
// clock never changes what the engine does.
void fixed_level() {
    if (speed_unknown() && game.dim > 0) fix_level(0);
}

// The deep mode with its depth pinned low before every move, whatever INFO max_depth said:
// searches stay short.
int pinned_depth() {
    return 2;
}
void shallow_deep() {
    deep_mode.info("max_depth", pinned_depth);
}

// The classic search, pinned to level 0, or the deep mode pinned to depth 2 (with
// BRUSK_FUZZ_MODE=deep), or either with the stand-in chooser.
search_mode fuzzed_mode = classic_mode;

// The first empty square in scan order; none on a full board, as the search says.
square first_empty(int *board, int) {
    for (int x = 0; x < game.dim; x++)
        for (int y = 0; y < game.dim; y++)
            if (board[cell(x, y)] == 0) return square{x, y};
    return square{-1, -1};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    exit_hook = leave_loop;
    message_sink = check_line;
    fuzzed_mode.before_move = fixed_level;
    const char *mode = std::getenv("BRUSK_FUZZ_MODE");
    if (mode && std::strcmp(mode, "deep") == 0) {
        fuzzed_mode = deep_mode;
        fuzzed_mode.before_move = shallow_deep;
    }
    const char *moves = std::getenv("BRUSK_FUZZ_MOVES");
    if (moves && std::strcmp(moves, "first") == 0) fuzzed_mode.choose = first_empty;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // fmemopen refuses an empty buffer; an empty input is read from /dev/null instead.
    FILE *in =
        size > 0 ? fmemopen(const_cast<uint8_t *>(data), size, "r") : std::fopen("/dev/null", "r");
    if (!in) std::abort();
    input_stream = in;
    try {
        run_protocol(fuzzed_mode);
    } catch (const loop_ended &) {}
    std::fclose(in);
    return 0;
}
