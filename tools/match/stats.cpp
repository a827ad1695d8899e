// Score, Elo and the SPRT of a match, from A's points game by game.
#include "stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Mean and variance of unit scores whose values are k / (outcomes - 1), from their counts;
// `prior` counts of every outcome are added first.
void moments(const std::vector<double> &counts, double prior, double &mean, double &variance) {
    const double top = static_cast<double>(counts.size() - 1);
    double n = 0, sum = 0, squares = 0;
    for (size_t k = 0; k < counts.size(); k++) {
        const double c = counts[k] + prior, x = static_cast<double>(k) / top;
        n += c;
        sum += c * x;
        squares += c * x * x;
    }
    mean = n > 0 ? sum / n : 0.5;
    variance = n > 0 ? std::max(0.0, squares / n - mean * mean) : 0;
}

} // namespace

score_stats score_statistics(const game_scores &scores) {
    score_stats st;
    st.pairs = scores.size() % 2 == 0 && scores.size() >= 4;
    // Outcome k of a unit is its points doubled: 0..2 for a game, 0..4 for a pair.
    std::vector<double> counts(st.pairs ? 5 : 3, 0.0);
    const size_t step = st.pairs ? 2 : 1;
    for (size_t i = 0; i + step <= scores.size(); i += step) {
        double points = scores[i] + (st.pairs ? scores[i + 1] : 0);
        counts[static_cast<size_t>(std::lround(points * 2))]++;
        st.units++;
    }
    double unused;
    moments(counts, 0, st.mean, st.variance);
    // An unbroken run of wins has no variance at all; half a unit of every outcome keeps the
    // SPRT's ratio finite without moving it much once there are a few dozen games.
    moments(counts, 0.5, unused, st.regularized);
    return st;
}

double elo_of_score(double s) {
    if (s <= 0) return -INFINITY;
    if (s >= 1) return INFINITY;
    return 400 * std::log10(s / (1 - s)); // exactly 0 at 1/2, not -0
}

double score_of_elo(double elo) {
    return 1 / (1 + std::pow(10.0, -elo / 400));
}

elo_estimate estimate_elo(const score_stats &st) {
    // No variance says only that every unit ended alike (all won, or every pair split); the
    // interval then takes the regularized variance rather than shrink to a point.
    const double variance = st.variance > 0 ? st.variance : st.regularized;
    const double half =
        st.units > 0 ? 1.959964 * std::sqrt(variance / static_cast<double>(st.units)) : 1.0;
    return {elo_of_score(st.mean), elo_of_score(std::max(0.0, st.mean - half)),
            elo_of_score(std::min(1.0, st.mean + half))};
}

const char *format_elo(double elo, char *buf, int size) {
    if (std::isinf(elo))
        std::snprintf(buf, static_cast<size_t>(size), elo > 0 ? "+inf" : "-inf");
    else
        std::snprintf(buf, static_cast<size_t>(size), "%+.1f", elo);
    return buf;
}

double sprt_llr(const score_stats &st, const sprt_test &t) {
    if (st.units == 0 || st.regularized <= 0) return 0;
    const double s0 = score_of_elo(t.elo0), s1 = score_of_elo(t.elo1);
    return st.units * (s1 - s0) * (2 * st.mean - s0 - s1) / (2 * st.regularized);
}

double sprt_lower(const sprt_test &t) {
    return std::log(t.beta / (1 - t.alpha));
}
double sprt_upper(const sprt_test &t) {
    return std::log((1 - t.beta) / t.alpha);
}

sprt_verdict sprt_decide(double llr, const sprt_test &t) {
    if (llr >= sprt_upper(t)) return SPRT_H1;
    if (llr <= sprt_lower(t)) return SPRT_H0;
    return SPRT_CONTINUE;
}
