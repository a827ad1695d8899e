// The match runner's statistics (score, Elo with its interval, the SPRT) on known results.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

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

} // namespace
