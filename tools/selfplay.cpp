// selfplay: a small game manager. It starts two engine processes, sets them up over the
// protocol, plays one game between them as a referee (checking every move and detecting
// five in a row) and prints the board as the game goes and the result.
//
//   selfplay ENGINE [--size N] [--rule 0|1] [--turn MS] [--match MS] [--memory BYTES]
//                   [--level0] [--quiet]
//
// Exit code 0 when the game ended normally (five, resignation or full board), 1 when an
// engine misbehaved (illegal or malformed move, ERROR reply, crash, silence), 2 on bad usage.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "referee.h"

namespace {

struct options {
    const char *engine = nullptr;
    int size = 15;
    int rule = 1;
    int turn_ms = 1000;
    int match_ms = 180000;
    int memory = 0;
    bool level0 = false;
    bool quiet = false;
};

bool parse(int argc, char **argv, options &o) {
    for (int i = 1; i < argc; i++) {
        auto value = [&](int &out) {
            if (i + 1 >= argc) return false;
            out = std::atoi(argv[++i]);
            return true;
        };
        bool ok = true;
        if (!std::strcmp(argv[i], "--size"))
            ok = value(o.size);
        else if (!std::strcmp(argv[i], "--rule"))
            ok = value(o.rule);
        else if (!std::strcmp(argv[i], "--turn"))
            ok = value(o.turn_ms);
        else if (!std::strcmp(argv[i], "--match"))
            ok = value(o.match_ms);
        else if (!std::strcmp(argv[i], "--memory"))
            ok = value(o.memory);
        else if (!std::strcmp(argv[i], "--level0"))
            o.level0 = true;
        else if (!std::strcmp(argv[i], "--quiet"))
            o.quiet = true;
        else if (argv[i][0] != '-' && !o.engine)
            o.engine = argv[i];
        else
            ok = false;
        if (!ok) return false;
    }
    return o.engine && o.size >= 15 && o.size <= 20 && (o.rule == 0 || o.rule == 1);
}

} // namespace

int main(int argc, char **argv) {
    options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: selfplay ENGINE [--size 15..20] [--rule 0|1] [--turn MS] "
                             "[--match MS] [--memory BYTES] [--level0] [--quiet]\n");
        return 2;
    }
    game_setup setup{o.size, o.rule, o.level0 ? 0 : o.turn_ms, o.match_ms, o.memory, !o.quiet};
    game_result result = play_game(o.engine, setup);
    std::printf("Result: %s\n", result.summary.c_str());
    std::printf("Moves: %d, longest move: %d ms (turn time %d ms)\n", result.moves,
                result.longest_move_ms, setup.turn_ms);
    return result.fault ? 1 : 0;
}
