// Fuzz target for the command loop: each input is one fresh run of the loop with the input
// as its standard input, as if a manager had sent those bytes and closed the pipe. The run
// ends where the process would end (END, the end of the input). Findings:
// any sanitizer report, an exit through an internal fault, and a reply line of a form the
// protocol does not document.
//
// The engine's moves come from the level-0 search. With BRUSK_FUZZ_MOVES=first in the
// environment they come from a stand-in that plays the first empty square instead, which
// drives the loop alone tens of times faster, for long runs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/game.h"
#include "protocol/protocol.h"
#include "search/search.h"
#include "search/timectl.h"

namespace {

struct loop_ended {};

// The engine's lines of one run, each with its newline.
std::string replies;

void keep_reply(const char *line) {
    replies += line;
    replies += '\n';
}

// Replaces the process exit: an orderly exit unwinds back to the harness; any other code
// is an internal fault, which correct play never reaches.
[[noreturn]] void leave_loop(int code) {
    if (code != 0) std::abort();
    throw loop_ended{};
}

// Level 0 for every game, as INFO timeout_turn 0 would give: searches stay short and the
// clock never changes what the engine does.
int fixed_level() {
    fix_level(0);
    return 0;
}

// The first empty square in scan order; none on a full board, as the search says.
square first_empty(int *board, int) {
    for (int x = 0; x < game.dim; x++)
        for (int y = 0; y < game.dim; y++)
            if (board[cell(x, y)] == 0) return square{x, y};
    return square{-1, -1};
}

bool all_digits(const char *s, size_t n) {
    if (n == 0 || n > 2) return false;
    for (size_t i = 0; i < n; i++)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

bool starts_with(const char *line, size_t n, const char *prefix) {
    size_t k = std::strlen(prefix);
    return n >= k && std::memcmp(line, prefix, k) == 0;
}

// The forms of reply line the engine may write: OK, a move x,y on a 20 x 20 array, the
// about line, ERROR..., UNKNOWN command '...', MESSAGE ....
bool documented(const char *line, size_t n) {
    if (n == 2 && std::memcmp(line, "OK", 2) == 0) return true;
    if (starts_with(line, n, "ERROR ") || starts_with(line, n, "MESSAGE ")) return true;
    if (starts_with(line, n, "UNKNOWN command '") && line[n - 1] == '\'') return true;
    if (starts_with(line, n, "name=\"brusk\"")) return true;
    const char *comma = static_cast<const char *>(std::memchr(line, ',', n));
    if (!comma) return false;
    size_t nx = static_cast<size_t>(comma - line);
    if (!all_digits(line, nx) || !all_digits(comma + 1, n - nx - 1)) return false;
    return std::atoi(line) < MAX_DIM && std::atoi(comma + 1) < MAX_DIM;
}

void check_replies(const char *out, size_t size) {
    if (size > 0 && out[size - 1] != '\n') std::abort();
    for (size_t start = 0; start < size;) {
        const char *end = static_cast<const char *>(std::memchr(out + start, '\n', size - start));
        size_t n = static_cast<size_t>(end - (out + start));
        if (!documented(out + start, n)) std::abort();
        start += n + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    exit_hook = leave_loop;
    message_sink = keep_reply;
    choose_level = fixed_level;
    const char *moves = std::getenv("BRUSK_FUZZ_MOVES");
    if (moves && std::strcmp(moves, "first") == 0) move_chooser = first_empty;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // fmemopen refuses an empty buffer; an empty input is read from /dev/null instead.
    FILE *in =
        size > 0 ? fmemopen(const_cast<uint8_t *>(data), size, "r") : std::fopen("/dev/null", "r");
    if (!in) std::abort();
    replies.clear();
    input_stream = in;
    try {
        run_protocol();
    } catch (const loop_ended &) {}
    std::fclose(in);
    check_replies(replies.data(), replies.size());
    return 0;
}
