// selfplay: a small match runner. It starts one process per engine, plays games between
// them as the managers players use do (START for every game, colours alternating, optional
// opening positions sent with BOARD, every move checked against its deadline with no
// tolerance), and prints the games' results, the forfeits by kind, the largest share of a
// deadline a move used and each engine's peak memory, and A's score with the Elo difference
// and its 95 % interval.
//
//   selfplay ENGINE [--engine2 ENGINE] [--games N] [--size N] [--rule 0|1|4] [--turn MS]
//            [--match MS] [--memory BYTES] [--level0] [--openings FILE] [--load N]
//            [--sgf FILE] [--quiet] [--nodes N] [--nodes2 N] [--depth N] [--depth2 N]
//            [--concurrency N] [--progress] [--sprt ELO0 ELO1 [ALPHA BETA]]
//
// --nodes/--depth (A) and --nodes2/--depth2 (B) send INFO max_node / max_depth after START
// (0: not sent). --concurrency N plays N games at once, each with its own pair of processes;
// reports and statistics still follow the game order. --progress prints the score after
// every pair of games. --sprt stops the match once the log-likelihood ratio of "A is elo1
// better" against "A is elo0 better" crosses a bound (alpha and beta 0.05 by default);
// --games is then the most games played.
//
// With one game (the default) the board is printed after every move. Exit code 0 when no
// engine forfeited a game, 1 when one did (late, exit, crash, illegal or malformed move),
// 2 on bad usage.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "referee.h"
#include "stats.h"

namespace {

struct options {
    match_setup setup{{nullptr, nullptr}, 1, 15, 1, 1000, 180000, 0, {}, 0, "", true};
    const char *openings = nullptr;
    bool level0 = false;
    bool progress = false;
    bool sprt = false;
    sprt_test test;
};

// --sprt ELO0 ELO1 [ALPHA BETA]: the optional pair only when the next word is a number.
bool parse_sprt(int argc, char **argv, int &i, sprt_test &t) {
    if (i + 2 >= argc) return false;
    t.elo0 = std::atof(argv[++i]);
    t.elo1 = std::atof(argv[++i]);
    if (i + 2 < argc && argv[i + 1][0] != '-') {
        t.alpha = std::atof(argv[++i]);
        t.beta = std::atof(argv[++i]);
    }
    return t.elo0 < t.elo1 && t.alpha > 0 && t.alpha < 0.5 && t.beta > 0 && t.beta < 0.5;
}

bool parse(int argc, char **argv, options &o) {
    match_setup &s = o.setup;
    for (int i = 1; i < argc; i++) {
        auto value = [&](int &out) {
            if (i + 1 >= argc) return false;
            out = std::atoi(argv[++i]);
            return true;
        };
        auto text = [&](const char *&out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        const char *sgf = nullptr;
        bool ok = true;
        if (!std::strcmp(argv[i], "--size"))
            ok = value(s.size);
        else if (!std::strcmp(argv[i], "--rule"))
            ok = value(s.rule);
        else if (!std::strcmp(argv[i], "--turn"))
            ok = value(s.turn_ms);
        else if (!std::strcmp(argv[i], "--match"))
            ok = value(s.match_ms);
        else if (!std::strcmp(argv[i], "--games"))
            ok = value(s.games);
        else if (!std::strcmp(argv[i], "--load"))
            ok = value(s.load);
        else if (!std::strcmp(argv[i], "--engine2"))
            ok = text(s.engines[1]);
        else if (!std::strcmp(argv[i], "--openings"))
            ok = text(o.openings);
        else if (!std::strcmp(argv[i], "--sgf"))
            ok = text(sgf) && (s.sgf_path = sgf, true);
        else if (!std::strcmp(argv[i], "--memory"))
            ok = value(s.memory);
        else if (!std::strcmp(argv[i], "--nodes"))
            ok = value(s.nodes[0]);
        else if (!std::strcmp(argv[i], "--nodes2"))
            ok = value(s.nodes[1]);
        else if (!std::strcmp(argv[i], "--depth"))
            ok = value(s.depth[0]);
        else if (!std::strcmp(argv[i], "--depth2"))
            ok = value(s.depth[1]);
        else if (!std::strcmp(argv[i], "--concurrency"))
            ok = value(s.concurrency);
        else if (!std::strcmp(argv[i], "--progress"))
            o.progress = true;
        else if (!std::strcmp(argv[i], "--sprt"))
            ok = o.sprt = parse_sprt(argc, argv, i, o.test);
        else if (!std::strcmp(argv[i], "--level0"))
            o.level0 = true;
        else if (!std::strcmp(argv[i], "--quiet"))
            s.show = false;
        else if (argv[i][0] != '-' && !s.engines[0])
            s.engines[0] = argv[i];
        else
            ok = false;
        if (!ok) return false;
    }
    if (!s.engines[1]) s.engines[1] = s.engines[0];
    if (o.level0) s.turn_ms = 0;
    if (s.games > 1) s.show = false;
    if (o.openings && !read_openings(o.openings, s.openings)) {
        std::fprintf(stderr, "selfplay: cannot read openings from %s\n", o.openings);
        return false;
    }
    return s.engines[0] && s.size >= 15 && s.size <= 20 &&
           (s.rule == 0 || s.rule == 1 || s.rule == 4) && s.games >= 1 && s.load >= 0 &&
           s.load <= 64 && s.concurrency >= 1 && s.concurrency <= 16 && s.nodes[0] >= 0 &&
           s.nodes[1] >= 0 && s.depth[0] >= 0 && s.depth[1] >= 0;
}

// A's points game by game.
game_scores scores_of(const match_result &r) {
    game_scores scores;
    for (int w : r.winners) scores.push_back(w < 0 ? 0.5 : w == 0 ? 1.0 : 0.0);
    return scores;
}

// "+35.2 [-12.0, +84.9]": A's Elo difference and its interval at 95 %.
std::string elo_text(const score_stats &st) {
    elo_estimate e = estimate_elo(st);
    char a[16], b[16], c[16];
    return std::string(format_elo(e.elo, a, sizeof a)) + " [" + format_elo(e.low, b, sizeof b) +
           ", " + format_elo(e.high, c, sizeof c) + "]";
}

std::string llr_text(const score_stats &st, const sprt_test &t) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "LLR %.2f [%.2f, %.2f]", sprt_llr(st, t), sprt_lower(t),
                  sprt_upper(t));
    return buf;
}

// After every pair of games: the score so far, and the SPRT's decision.
bool after_game(const options &o, const match_result &r) {
    if (r.games % 2 != 0 || (!o.progress && !o.sprt)) return true;
    const score_stats st = score_statistics(scores_of(r));
    if (o.progress)
        std::printf("After %d games: A %d-%d-%d, %.1f %%, Elo %s%s%s\n", r.games, r.wins[0],
                    r.wins[1], r.draws, 100 * st.mean, elo_text(st).c_str(), o.sprt ? ", " : "",
                    o.sprt ? llr_text(st, o.test).c_str() : "");
    return !o.sprt || sprt_decide(sprt_llr(st, o.test), o.test) == SPRT_CONTINUE;
}

void print_scores(const options &o, const match_result &r) {
    const score_stats st = score_statistics(scores_of(r));
    std::printf("Score of A: %d wins, %d losses, %d draws, %.1f %%\n", r.wins[0], r.wins[1],
                r.draws, 100 * st.mean);
    std::printf("Elo of A: %s (95 %%, %s over %d %s)\n", elo_text(st).c_str(),
                st.pairs ? "pentanomial" : "trinomial", st.units, st.pairs ? "pairs" : "games");
    std::printf("Black (first) won %d, white (second) won %d, draws %d\n", r.first_colour_wins,
                r.games - r.draws - r.first_colour_wins, r.draws);
    if (!o.sprt) return;
    const sprt_verdict v = sprt_decide(sprt_llr(st, o.test), o.test);
    std::printf("SPRT elo0 %g elo1 %g alpha %g beta %g: %s: %s\n", o.test.elo0, o.test.elo1,
                o.test.alpha, o.test.beta, llr_text(st, o.test).c_str(),
                v == SPRT_H1   ? "H1 accepted"
                : v == SPRT_H0 ? "H0 accepted"
                               : "no decision");
}

void print_summary(const match_setup &s, const match_result &r) {
    std::printf("Games: %d, A wins %d, B wins %d, draws %d; the first colour won %d\n", r.games,
                r.wins[0], r.wins[1], r.draws, r.first_colour_wins);
    int total = 0;
    for (int e = 0; e < 2; e++) {
        std::printf("Forfeits of %s:", e == 0 ? "A" : "B");
        for (int k = 0; k < FORFEIT_KINDS; k++) {
            std::printf(" %s %d", forfeit_names[k], r.forfeits[e][k]);
            total += r.forfeits[e][k];
        }
        std::printf("\n");
    }
    std::printf("Forfeits: %d\n", total);
    std::printf("Longest move: %d ms, largest move time / deadline: %.3f\n", r.longest_move_ms,
                r.worst_ratio);
    std::printf("Peak memory: A %ld kB, B %ld kB\n", r.peak_kb[0], r.peak_kb[1]);
    std::printf("Settings: %dx%d, rule %d, %d ms a move, %d ms a game, %d busy processes\n", s.size,
                s.size, s.rule, s.turn_ms, s.match_ms, s.load);
}

} // namespace

int main(int argc, char **argv) {
    options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: selfplay ENGINE [--engine2 ENGINE] [--games N] [--size 15..20] "
                     "[--rule 0|1|4] [--turn MS] [--match MS] [--memory BYTES] [--level0] "
                     "[--openings FILE] "
                     "[--load N] [--sgf FILE] [--quiet] [--nodes N] [--nodes2 N] [--depth N] "
                     "[--depth2 N] [--concurrency N] [--progress] "
                     "[--sprt ELO0 ELO1 [ALPHA BETA]]\n");
        return 2;
    }
    match_result r =
        play_match(o.setup, [&o](const match_result &so_far) { return after_game(o, so_far); });
    print_summary(o.setup, r);
    print_scores(o, r);
    for (const auto &kinds : r.forfeits)
        for (int n : kinds)
            if (n > 0) return 1;
    return 0;
}
