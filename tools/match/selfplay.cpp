// selfplay: a small match runner. It starts one process per engine, plays games between
// them as the managers players use do (START for every game, colours alternating, optional
// opening positions sent with BOARD, every move checked against its deadline with no
// tolerance), and prints the games' results, the forfeits by kind, the largest share of a
// deadline a move used and each engine's peak memory.
//
//   selfplay ENGINE [--engine2 ENGINE] [--games N] [--size N] [--rule 0|1|4] [--turn MS]
//            [--match MS] [--memory BYTES] [--level0] [--openings FILE] [--load N]
//            [--sgf FILE] [--quiet]
//
// With one game (the default) the board is printed after every move. Exit code 0 when no
// engine forfeited a game, 1 when one did (late, exit, crash, illegal or malformed move),
// 2 on bad usage.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "referee.h"

namespace {

struct options {
    match_setup setup{{nullptr, nullptr}, 1, 15, 1, 1000, 180000, 0, {}, 0, "", true};
    const char *openings = nullptr;
    bool level0 = false;
};

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
           s.load <= 64;
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
                     "[--load N] [--sgf FILE] [--quiet]\n");
        return 2;
    }
    match_result r = play_match(o.setup);
    print_summary(o.setup, r);
    for (const auto &kinds : r.forfeits)
        for (int n : kinds)
            if (n > 0) return 1;
    return 0;
}
