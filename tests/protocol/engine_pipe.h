#pragma once
// Runs a program as a game manager does: its standard input fed from a string and then
// ended, its standard output and error collected, its exit reported.
#include <string>
#include <vector>

struct engine_run {
    std::string out, err;
    int exit_code = -1; // -1 when it did not exit normally
    int signal = 0;     // the signal that ended it, 0 if none
    bool hung = false;  // still running at the deadline (then killed)
};

// Runs `program` with `args` on pipes, as a manager does: writes `input` to its standard
// input and closes it, collecting standard output and error meanwhile. A process still
// running after `deadline_seconds` is killed and reported as hung: a guard against hangs,
// not a timing claim.
engine_run run_program(const std::string &program, const std::vector<std::string> &args,
                       const std::string &input, int deadline_seconds = 120);

// The engine built beside the tests, or the program named by the environment variable
// BRUSK_TEST_ENGINE (the Windows build under Wine), fed with `input`.
engine_run run_engine(const std::string &input, int deadline_seconds = 120);

using lines = std::vector<std::string>;

// The lines of `text`, without their newlines.
inline lines lines_of(const std::string &text) {
    lines result;
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        result.push_back(text.substr(start, end - start));
    }
    return result;
}
