// The match runner's statistics (score, Elo with its interval, the SPRT) on known results, and
// the runner playing two games at a time through the protocol.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "engine_proc.h"
#include "stats.h"

namespace {

// A's points: the wins, then the draws, then the losses.
game_scores games(int wins, int draws, int losses) {
    game_scores s(static_cast<size_t>(wins), 1.0);
    s.insert(s.end(), static_cast<size_t>(draws), 0.5);
    s.insert(s.end(), static_cast<size_t>(losses), 0.0);
    return s;
}

std::string elo_string(double elo) {
    char buf[16];
    return format_elo(elo, buf, sizeof buf);
}

TEST(MatchStats, EloOfScoreByTheLogisticModel) {
    const double known[][2] = {{0.5, 0}, {0.75, 190.8485}, {0.9, 381.6970}, {0.64, 99.9510}};
    for (const auto &k : known) {
        EXPECT_NEAR(elo_of_score(k[0]), k[1], 1e-3) << k[0];
        EXPECT_NEAR(elo_of_score(1 - k[0]), -k[1], 1e-3) << k[0];
        EXPECT_NEAR(score_of_elo(k[1]), k[0], 1e-6) << k[0];
    }
    EXPECT_EQ(elo_string(elo_of_score(0.5)), "+0.0");
    EXPECT_EQ(elo_string(elo_of_score(1)), "+inf");
    EXPECT_EQ(elo_string(elo_of_score(0)), "-inf");
    EXPECT_EQ(elo_string(-12.34), "-12.3");
}

// Intervals worked out by hand, s = 1/2 +- 1.96 sigma / sqrt(n): 10 wins, a draw, 10 losses
// (an odd count, so games: sigma^2 = 5/21, n = 21); and pairs scoring 1, 1/2, 1/2, 0
// (pentanomial: sigma^2 = 1/8, n = 4).
TEST(MatchStats, IntervalFromGamesOrPairs) {
    const struct {
        game_scores scores;
        bool pairs;
        int units;
        double half_width;
    } cases[] = {
        {games(10, 1, 10), false, 21, 154.445},
        {{1, 1, 1, 0, 0, 1, 0, 0}, true, 4, 296.575},
    };
    for (const auto &c : cases) {
        const score_stats st = score_statistics(c.scores);
        EXPECT_EQ(st.pairs, c.pairs);
        EXPECT_EQ(st.units, c.units);
        const elo_estimate e = estimate_elo(st);
        EXPECT_NEAR(e.elo, 0, 1e-9);
        EXPECT_NEAR(e.low, -c.half_width, 1e-2);
        EXPECT_NEAR(e.high, c.half_width, 1e-2);
    }
}

// An unbroken run: an infinite estimate with one finite end, never NaN.
TEST(MatchStats, AllWonOrAllLostStaysFinitePerEnd) {
    for (int won : {1, 0}) {
        const elo_estimate e = estimate_elo(score_statistics(games(8 * won, 0, 8 * (1 - won))));
        const double sign = won ? 1 : -1;
        EXPECT_EQ(e.elo, sign * INFINITY);
        EXPECT_TRUE(std::isfinite(won ? e.low : e.high));
        EXPECT_GT(sign * (won ? e.low : e.high), 0);
        EXPECT_EQ(won ? e.high : e.low, sign * INFINITY);
    }
    const elo_estimate none = estimate_elo(score_statistics({}));
    EXPECT_FALSE(std::isnan(none.elo) || std::isnan(none.low) || std::isnan(none.high));
}

TEST(MatchStats, SprtRatioAndDecisions) {
    const sprt_test t{0, 10, 0.05, 0.05};
    EXPECT_NEAR(sprt_upper(t), std::log(19.0), 1e-12);
    EXPECT_NEAR(sprt_lower(t), -std::log(19.0), 1e-12);
    // A win, a loss, a draw: variance 1/6 with half a game of each added.
    EXPECT_NEAR(sprt_llr(score_statistics({1, 0, 0.5}), t), -0.0018629, 1e-6);
    // Halfway between the hypotheses the ratio is nothing either way.
    EXPECT_NEAR(sprt_llr(score_statistics(games(7, 2, 7)), {-10, 10, 0.05, 0.05}), 0, 1e-12);
    EXPECT_EQ(sprt_llr(score_statistics({}), t), 0);

    std::vector<double> better, worse, mixed;
    for (int pair = 0; pair < 400; pair++) { // 65 % and 35 % over pairs
        const double a = pair % 20 < 13 ? 1 : 0, b = pair % 20 < 13 ? 1 : 0.5;
        better.insert(better.end(), {a, b});
        worse.insert(worse.end(), {1 - a, 1 - b});
    }
    mixed = {1, 0, 0.5, 0.5, 0, 1, 1, 0.5};
    EXPECT_EQ(sprt_decide(sprt_llr(score_statistics(better), t), t), SPRT_H1);
    EXPECT_EQ(sprt_decide(sprt_llr(score_statistics(worse), t), t), SPRT_H0);
    EXPECT_EQ(sprt_decide(sprt_llr(score_statistics(mixed), t), t), SPRT_CONTINUE);
    EXPECT_GT(sprt_llr(score_statistics(better), t), sprt_llr(score_statistics(mixed), t));
}

int count_of(const std::string &text, const std::string &what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
    return n;
}

// The numbers after `label` in the line that starts with it.
std::vector<int> numbers_after(const std::string &text, const std::string &label) {
    std::vector<int> out;
    size_t at = text.find(label);
    if (at == std::string::npos) return out;
    const std::string line = text.substr(at, text.find('\n', at) - at);
    for (size_t i = label.size(); i < line.size(); i++)
        if (isdigit(static_cast<unsigned char>(line[i])) &&
            !isdigit(static_cast<unsigned char>(line[i - 1])) && line[i - 1] != '.') {
            out.push_back(std::atoi(line.c_str() + i));
        }
    return out;
}

// Four games two at a time, reported in game order with the progress after each pair; the
// totals add up; the fixed-effort keys cost no forfeit. (Which games a process has played
// before changes an engine's play, so the games need not be those of one at a time.)
TEST(MatchRunner, TwoGamesAtATime) {
    std::vector<std::string> args = {
        BRUSK_ENGINE,   "--games",    "4",       "--turn", "0",        "--openings",
        BRUSK_OPENINGS, "--progress", "--nodes", "5000",   "--depth2", "4"};
    args.insert(args.end(), {"--concurrency", "2"});
    engine_run two = run_program(BRUSK_SELFPLAY, args, "", 300);
    ASSERT_FALSE(two.hung);
    EXPECT_EQ(two.exit_code, 0) << two.out;
    EXPECT_NE(two.out.find("Forfeits: 0\n"), std::string::npos) << two.out;
    for (int g = 1; g <= 4; g++)
        EXPECT_EQ(count_of(two.out, "game " + std::to_string(g) + ":"), 1) << two.out;
    EXPECT_LT(two.out.find("game 2:"), two.out.find("After 2 games"));
    EXPECT_LT(two.out.find("After 2 games"), two.out.find("game 3:"));
    EXPECT_LT(two.out.find("game 3:"), two.out.find("game 4:"));
    EXPECT_LT(two.out.find("game 4:"), two.out.find("After 4 games"));
    const std::vector<int> score = numbers_after(two.out, "Score of A:");
    const std::vector<int> colours = numbers_after(two.out, "Black (first) won");
    ASSERT_EQ(score.size(), 4u) << two.out; // wins, losses, draws, the percentage
    ASSERT_EQ(colours.size(), 3u) << two.out;
    EXPECT_EQ(score[0] + score[1] + score[2], 4);
    EXPECT_EQ(colours[0] + colours[1] + colours[2], 4);
    EXPECT_EQ(colours[2], score[2]);
    EXPECT_NE(two.out.find("Elo of A: "), std::string::npos);
    EXPECT_EQ(two.out.find("nan"), std::string::npos) << two.out;
}

// Against a stand-in that never replies with a move, A wins every game and the SPRT stops the
// match at the first pair where the ratio crosses its upper bound, games under way or not.
TEST(MatchRunner, SprtStopsTheMatch) {
    const std::string path = testing::TempDir() + std::to_string(getpid()) + "_mute_engine.sh";
    std::ofstream(path) << "#!/bin/sh\nwhile read l; do case \"$l\" in START*) echo OK;;\n"
                        << "BEGIN*|TURN*|DONE*) echo pass;; END*) exit 0;; esac\ndone\n";
    chmod(path.c_str(), 0755);
    engine_run run = run_program(BRUSK_SELFPLAY,
                                 {BRUSK_ENGINE, "--engine2", path, "--games", "100", "--turn", "0",
                                  "--concurrency", "2", "--sprt", "0", "100"},
                                 "", 120);
    std::remove(path.c_str());
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.exit_code, 1) << run.out; // B's forfeits
    EXPECT_NE(run.out.find("Games: 10, A wins 10,"), std::string::npos) << run.out;
    EXPECT_EQ(count_of(run.out, "\ngame "), 9) << run.out; // the first has no newline before
    EXPECT_NE(run.out.find("SPRT elo0 0 elo1 100 alpha 0.05 beta 0.05: LLR 3.10 [-2.94, 2.94]: "
                           "H1 accepted"),
              std::string::npos)
        << run.out;
}

} // namespace
