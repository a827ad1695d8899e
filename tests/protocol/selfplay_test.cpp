// Whole games of the engine against itself through the protocol, refereed by selfplay:
// every move legal and in time, each game ending in five, resignation or a full board.
#include <gtest/gtest.h>

#include <string>

#include "engine_pipe.h"

namespace {

struct game_case {
    int size;
    int rule;
};

class SelfPlay : public testing::TestWithParam<game_case> {};

TEST_P(SelfPlay, LevelZeroGameEndsCleanly) {
    const game_case c = GetParam();
    engine_run run = run_program(BRUSK_SELFPLAY,
                                 {BRUSK_ENGINE, "--size", std::to_string(c.size), "--rule",
                                  std::to_string(c.rule), "--level0", "--quiet"},
                                 "", 600);
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.exit_code, 0) << run.out;
    bool ended = run.out.find("wins by five") != std::string::npos ||
                 run.out.find("resigns") != std::string::npos ||
                 run.out.find("draw: full board") != std::string::npos;
    EXPECT_TRUE(ended) << run.out;
}

INSTANTIATE_TEST_SUITE_P(BoardsAndRules, SelfPlay,
                         testing::Values(game_case{15, 1}, game_case{15, 0}, game_case{20, 1},
                                         game_case{20, 0}, game_case{17, 1}),
                         [](const testing::TestParamInfo<game_case> &param) {
                             return "side" + std::to_string(param.param.size) + "_rule" +
                                    std::to_string(param.param.rule);
                         });

} // namespace
