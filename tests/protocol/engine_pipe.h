#pragma once
// The engine run as a game manager runs it (see tools/engine_proc.h), and its replies as lines.
#include <cstdlib>
#include <string>
#include <vector>

#include "engine_proc.h"

// The engine built beside the tests, or the program named by the environment variable
// BRUSK_TEST_ENGINE (the Windows build under Wine), fed with `input`.
inline engine_run run_engine(const std::string &input, int deadline_seconds = 120) {
    const char *other = std::getenv("BRUSK_TEST_ENGINE");
    return run_program(other && *other ? other : BRUSK_ENGINE, {}, input, deadline_seconds);
}

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
