// Matches of the engine against itself through the protocol, refereed by the match runner:
// several games per engine process, every move legal and in time; and the runner itself
// telling forfeits apart, against stand-in engines that misbehave.
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

// Side, rule (4: renju, refereed by the renju rules), max_memory in bytes: a budget of one byte
// leaves the tree its root entry only, and the engines must still play whole games legally.
TEST(SelfPlay, LevelZeroMatchesEndCleanly) {
    const std::string sgf = scratch_path("selfplay_test.sgf");
    const int cases[][3] = {{15, 1, 0}, {15, 0, 1}, {20, 0, 0}, {17, 1, 1}, {15, 4, 0}};
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

// Stand-ins for engine B that say OK to START and then misbehave whenever they are asked
// to move, so B forfeits both games (lateness is the clock's, left to the matches above). Under
// renju, after an opening where 7,7 is a double three of black, B's 7,7 is white's in game 1
// and legal there (B loses that game on the taken square later), and loses game 2, where B is
// black, as a forbidden move. Each case: B's whole forfeit line and the report of game 2, which
// say who forfeited, by what kind, and why.
TEST(SelfPlay, ForfeitsAreCountedByKind) {
    const std::string openings = scratch_path("renju_openings.txt");
    std::ofstream(openings) << "-2,0 -7,-7 -1,0 7,7 0,-2 -7,7 0,-1 7,-7\n";
    const struct {
        const char *on_move, *forfeits, *second_game;
        bool renju;
    } cases[] = {
        {"echo 'ERROR no'", "late 0 exit 0 crash 0 illegal 0 malformed 2 forbidden 0",
         "0 stones: B forfeits (malformed): replied 'ERROR no'", false},
        {"echo 99,99", "late 0 exit 0 crash 0 illegal 2 malformed 0 forbidden 0",
         "0 stones: B forfeits (illegal): illegal move 99,99", false},
        {"exit 3", "late 0 exit 2 crash 0 illegal 0 malformed 0 forbidden 0",
         "0 stones: B forfeits (exit): ended (exit 3)", false},
        {"kill -9 $$", "late 0 exit 0 crash 2 illegal 0 malformed 0 forbidden 0",
         "0 stones: B forfeits (crash): ended (signal 9)", false},
        {"echo 7,7", "late 0 exit 0 crash 0 illegal 1 malformed 0 forbidden 1",
         "8 stones: B forfeits (forbidden): black plays a forbidden square 7,7", true},
    };
    for (const auto &c : cases) {
        const std::string path = scratch_path("stand_in_engine.sh");
        std::ofstream(path) << "#!/bin/sh\nwhile read l; do case \"$l\" in START*) echo OK;;\n"
                            << "BEGIN*|TURN*|DONE*) " << c.on_move << ";; END*) exit 0;; esac\n"
                            << "done\n";
        chmod(path.c_str(), 0755);
        std::vector<std::string> args = {BRUSK_ENGINE, "--engine2", path, "--games",
                                         "2",          "--turn",    "300"};
        if (c.renju) args.insert(args.end(), {"--rule", "4", "--openings", openings});
        engine_run run = run_program(BRUSK_SELFPLAY, args, "", 120);
        std::remove(path.c_str());
        ASSERT_FALSE(run.hung);
        EXPECT_EQ(run.exit_code, 1) << run.out;
        EXPECT_NE(run.out.find("Forfeits of A: late 0 exit 0 crash 0 illegal 0 malformed 0 "
                               "forbidden 0\nForfeits of B: " +
                               std::string(c.forfeits) + "\n"),
                  std::string::npos)
            << run.out;
        EXPECT_NE(run.out.find("\ngame 2: B first, " + std::string(c.second_game) + "\n"),
                  std::string::npos)
            << run.out;
        EXPECT_NE(run.out.find("A wins 2"), std::string::npos) << run.out;
    }
    std::remove(openings.c_str());
}

} // namespace
