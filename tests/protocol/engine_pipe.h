#pragma once
// Runs a program as a game manager does: its standard input fed from a string and closed,
// its standard output and error collected, its exit reported.
#include <string>
#include <vector>

struct engine_run {
    std::string out;
    std::string err;
    int exit_code; // -1 when it did not exit normally
    int signal;    // the signal that ended it, 0 if none
    bool hung;     // still running at the deadline (then killed)
};

// Runs `program` with `args`, writes `input` to it and closes its input. A process still
// running after `deadline_seconds` is killed and reported as hung: a guard against
// hangs, not a timing claim.
engine_run run_program(const std::string &program, const std::vector<std::string> &args,
                       const std::string &input, int deadline_seconds = 120);

// The engine built beside the tests, fed with `input`.
engine_run run_engine(const std::string &input, int deadline_seconds = 120);

// ---- Scripts -----------------------------------------------------------------------------

using lines = std::vector<std::string>;

// The lines of `text`, without their newlines.
lines lines_of(const std::string &text);

extern const std::string about_reply;     // the ABOUT line
extern const std::string not_initialized; // the refusal of BEGIN, BOARD and TURN
extern const std::string quick15;         // START 15 with level 0 fixed: quick moves

// Runs a script ended by END and returns its stdout lines; the run must end cleanly.
lines replies(const std::string &script);

// Same, without the level, value and speed messages of the benchmark and the search.
lines answers(const std::string &script);

// True for a move reply "x,y".
bool is_move(const std::string &line);
