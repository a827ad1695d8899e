// Matches of the engine against itself through the protocol, refereed by the match runner:
// several games per engine process, every move legal and in time.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "engine_proc.h"

namespace {

// A file of this process's own: builds tested side by side must not share one.
std::string scratch_path(const std::string &name) {
    return testing::TempDir() + std::to_string(getpid()) + "_" + name;
}

int count_of(const std::string &text, const std::string &what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
    return n;
}

// Side, rule, max_memory in bytes: a budget of one byte leaves the tree its root entry only,
// and the engines must still play whole games legally.
TEST(SelfPlay, LevelZeroMatchesEndCleanly) {
    const std::string sgf = scratch_path("selfplay_test.sgf");
    const int cases[][3] = {{15, 1, 0}, {15, 0, 1}, {20, 0, 0}, {17, 1, 1}};
    for (const auto &c : cases) {
        engine_run run =
            run_program(BRUSK_SELFPLAY,
                        {BRUSK_ENGINE, "--games", "2", "--size", std::to_string(c[0]), "--rule",
                         std::to_string(c[1]), "--memory", std::to_string(c[2]), "--level0",
                         "--openings", BRUSK_OPENINGS, "--sgf", sgf},
                        "", 600);
        ASSERT_FALSE(run.hung);
        EXPECT_EQ(run.exit_code, 0) << run.out;
        EXPECT_NE(run.out.find("Forfeits: 0\n"), std::string::npos) << run.out;
        EXPECT_EQ(count_of(run.out, "wins by five") + count_of(run.out, "draw: full board"), 2)
            << run.out;
        std::ifstream in(sgf);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(count_of(text, "(;GM[4]FF[4]SZ[" + std::to_string(c[0]) + "]"), 2) << text;
    }
    std::remove(sgf.c_str());
}

} // namespace
