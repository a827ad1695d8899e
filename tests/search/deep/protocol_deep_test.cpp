// pbrain-brusk-deep through pipes as a manager drives it, and whole games against the classic
// through the match runner.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "engine_proc.h"

namespace {

using lines = std::vector<std::string>;

// The replies of a script, without the search's MESSAGE lines.
lines replies(const std::string &program, const std::string &script) {
    engine_run run = run_program(program, {}, script + "\nEND\n");
    EXPECT_FALSE(run.hung) << script;
    EXPECT_EQ(run.exit_code, 0) << script;
    lines kept;
    std::istringstream out(run.out);
    for (std::string l; std::getline(out, l);)
        if (!l.starts_with("MESSAGE")) kept.push_back(l);
    return kept;
}

lines deep(const std::string &script) {
    return replies(BRUSK_DEEP_ENGINE, script);
}

TEST(DeepProtocol, AnswersAsAManagerExpects) {
    EXPECT_EQ(deep("ABOUT"), lines{"name=\"brusk-deep\", version=\"1\", author=\"Vostrel\", "
                                   "email=\"brusk-maintainers@example.org\", country=\"CZ\""});
    EXPECT_EQ(deep("START 15\nINFO max_depth 3\nBEGIN"), (lines{"OK", "7,7"}));
    EXPECT_EQ(deep("START 20\nINFO max_node 2000\nBEGIN"), (lines{"OK", "9,9"}));
    // A TURN is answered with a free square on the board.
    const lines turn = deep("START 15\nINFO max_depth 3\nTURN 7,7");
    ASSERT_EQ(turn.size(), 2u);
    int x = -1, y = -1;
    ASSERT_EQ(std::sscanf(turn[1].c_str(), "%d,%d", &x, &y), 2) << turn[1];
    EXPECT_TRUE(x >= 0 && x < 15 && y >= 0 && y < 15 && !(x == 7 && y == 7)) << turn[1];
    // Its own four completed; the other side's four blocked (field 1: own stone, 2: theirs).
    const std::string four = "START 15\nINFO max_depth 4\nBOARD\n5,3,1\n5,4,1\n5,5,1\n5,6,1\n"
                             "5,2,2\n9,3,2\n9,4,2\n9,5,2\nDONE";
    EXPECT_EQ(deep(four), (lines{"OK", "5,7"}));
    const std::string block = "START 15\nINFO max_depth 4\nBOARD\n5,3,2\n5,4,2\n5,5,2\n5,6,2\n"
                              "5,2,1\n9,3,1\n9,4,1\n9,5,1\nDONE";
    EXPECT_EQ(deep(block), (lines{"OK", "5,7"}));
    // A bad command is refused as the classic refuses it.
    const std::string bad = "START 15\nFROB 3\nTURN 99,99\nINFO max_nodes 5";
    EXPECT_EQ(deep(bad), replies(BRUSK_ENGINE, bad));
}

TEST(DeepProtocol, MatchAgainstTheClassicHasNoForfeit) {
    const char *const cases[][2] = {{"15", "1"}, {"15", "4"}, {"20", "0"}}; // size, rule
    for (const auto &c : cases) {
        engine_run run = run_program(BRUSK_SELFPLAY,
                                     {BRUSK_DEEP_ENGINE, "--engine2", BRUSK_ENGINE, "--games", "2",
                                      "--size", c[0], "--rule", c[1], "--level0", "--match", "0",
                                      "--openings", BRUSK_OPENINGS},
                                     "", 600);
        ASSERT_FALSE(run.hung);
        EXPECT_EQ(run.exit_code, 0) << run.out;
        EXPECT_NE(run.out.find("Forfeits: 0\n"), std::string::npos) << run.out;
    }
}

// Under INFO max_memory the hash table takes what the budget leaves: the whole process stays
// inside it from the first move on.
TEST(DeepProtocol, StaysWithinTheMemoryBudget) {
    const long budget = 24L << 20;
    engine_run run = run_program(BRUSK_SELFPLAY,
                                 {BRUSK_DEEP_ENGINE, "--engine2", BRUSK_ENGINE, "--games", "1",
                                  "--size", "15", "--level0", "--match", "0", "--memory",
                                  std::to_string(budget), "--openings", BRUSK_OPENINGS},
                                 "", 600);
    ASSERT_EQ(run.exit_code, 0) << run.out;
    long peak_kb = -1;
    const size_t at = run.out.find("Peak memory: A ");
    ASSERT_NE(at, std::string::npos) << run.out;
    ASSERT_EQ(std::sscanf(run.out.c_str() + at, "Peak memory: A %ld kB", &peak_kb), 1);
    EXPECT_LT(peak_kb * 1024, budget);
}

} // namespace
