// Whole games of the engine against itself through the protocol, refereed by selfplay:
// every move legal and in time, each game ending in five, resignation or a full board.
#include <gtest/gtest.h>

#include <string>

#include "engine_pipe.h"

namespace {

TEST(SelfPlay, LevelZeroGamesEndCleanly) {
    // side, rule, max_memory in bytes: a budget of one byte leaves the tree its root entry
    // only, and the engines must still play whole games legally.
    const int cases[][3] = {{15, 1, 0}, {15, 0, 1}, {20, 1, 0}, {20, 0, 0}, {17, 1, 1}};
    for (const auto &c : cases) {
        engine_run run = run_program(BRUSK_SELFPLAY,
                                     {BRUSK_ENGINE, "--size", std::to_string(c[0]), "--rule",
                                      std::to_string(c[1]), "--memory", std::to_string(c[2]),
                                      "--level0", "--quiet"},
                                     "", 600);
        ASSERT_FALSE(run.hung);
        EXPECT_EQ(run.exit_code, 0) << run.out;
        bool ended = run.out.find("wins by five") != std::string::npos ||
                     run.out.find("resigns") != std::string::npos ||
                     run.out.find("draw: full board") != std::string::npos;
        EXPECT_TRUE(ended) << c[0] << " " << c[1] << ": " << run.out;
    }
}

} // namespace
