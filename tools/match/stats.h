#pragma once
// The match's statistics for engine A: its score, the Elo difference of the logistic model with
// a 95 % interval, and the sequential probability ratio test that stops a match once it shows
// whether A is better by elo1 or by no more than elo0.
#include <vector>

// A's points in one game: 1 a win, 0.5 a draw, 0 a loss.
using game_scores = std::vector<double>;

struct score_stats {
    int units = 0;          // games, or game pairs when `pairs`
    bool pairs = false;     // over pairs of games, one opening with colours swapped (pentanomial)
    double mean = 0.5;      // A's score per game, 0..1
    double variance = 0;    // of one unit's score (a pair's score is the mean of its two games)
    double regularized = 0; // the variance with half a unit of each outcome added (the SPRT's)
};

// Over pairs when the games come in whole pairs, at least two of them (game 2k and 2k+1 play
// the same opening with colours swapped, so a pair cancels most of the opening's bias); over
// single games otherwise.
score_stats score_statistics(const game_scores &scores);

// The logistic model: Elo = -400 log10(1/s - 1); -inf at 0 and +inf at 1.
double elo_of_score(double s);
double score_of_elo(double elo);

struct elo_estimate {
    double elo, low, high; // the interval at 95 %, each end possibly infinite
};

// s +- 1.96 sigma / sqrt(n), clamped to 0..1, mapped through elo_of_score; sigma from the
// regularized variance when every unit ended alike.
elo_estimate estimate_elo(const score_stats &st);

// "+12.3", "-4.0", "+inf", "-inf".
const char *format_elo(double elo, char *buf, int size);

enum sprt_verdict { SPRT_CONTINUE, SPRT_H0, SPRT_H1 };

struct sprt_test {
    double elo0 = 0, elo1 = 5;
    double alpha = 0.05, beta = 0.05;
};

// The generalized SPRT in score units: n (s1 - s0) (2 mean - s0 - s1) / (2 variance) with s0,
// s1 the expected scores at elo0 and elo1; 0 before any game.
double sprt_llr(const score_stats &st, const sprt_test &t);

// log(beta / (1 - alpha)) and log((1 - beta) / alpha).
double sprt_lower(const sprt_test &t);
double sprt_upper(const sprt_test &t);
sprt_verdict sprt_decide(double llr, const sprt_test &t);
