#pragma once
// Runs a program as a game manager does: its standard input fed from a string and then
// ended, its standard output and error collected, its exit reported.
#include <string>
#include <vector>

struct engine_run {
    std::string out;
    std::string err;
    int exit_code; // -1 when it did not exit normally
    int signal;    // the signal that ended it, 0 if none
    bool hung;     // still running at the deadline (then killed)
};

// A process still running after `deadline_seconds` is killed and reported as hung: a guard
// against hangs, not a timing claim.
engine_run run_program(const std::string &program, const std::vector<std::string> &args,
                       const std::string &input, int deadline_seconds = 120);

// The engine built beside the tests, fed with `input`.
inline engine_run run_engine(const std::string &input, int deadline_seconds = 120) {
    return run_program(BRUSK_ENGINE, {}, input, deadline_seconds);
}

using lines = std::vector<std::string>;

// The lines of `text`, without their newlines.
lines lines_of(const std::string &text);
