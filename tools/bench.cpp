// bench: searches a fixed suite of positions with choose_move at fixed levels and prints
// the move, value and nodes of each search, then the totals. Its last line is the engine's
// signature, "Bench: <digest> nodes <total>": the digest covers every search's move, value
// and node count, so a change of play shows even where the node counts stay. A change
// that must not alter play keeps it, and a change that does alter play records the new
// line in its commit message.
//
// Usage: bench [max_level [max_memory]]
//   max_level 0..4, default 4; a lower level runs a quick subset.
//   max_memory in bytes, as INFO max_memory sends it; default 0, no limit. A budget that
//   bounds the tree changes the node counts, and so the signature.
//
// The "tree" column is the most nodes the transposition tree held at once.
// Every search starts from a fresh process state with the time control idle
// (timeout_turn 0, the level fixed), so the counts depend only on the code.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "game/game.h"
#include "search/clock.h"
#include "search/search.h"
#include "search/timectl.h"
#include "search/tree.h"

namespace {

// One position: the stones in the order they were played, the first one +1, colours
// alternating, written as square names (letter a.. for x, number 1.. for y); the colour
// of the next stone is to move. max_level is the deepest level searched: deeper ones
// would take over a minute.
struct bench_position {
    const char *name;
    int dim;
    int exact_five;
    int max_level;
    const char *moves;
};

constexpr bench_position suite[] = {
    // 15 x 15, exactly five
    {"opening 15", 15, 1, 4, "h8 i9 h9 h10 j8"},
    {"test position 15", 15, 1, 4, "h8 g9 h9 i9 i7 j9 j7 h7"},
    {"open three 15", 15, 1, 4, "h8 h9 i8 i10 j8"},
    {"midgame 15", 15, 1, 4, "h8 i9 h9 h10 j8 i8 h7 i7 i10 i6 i5 f7 j11 k12"},
    {"attack 15", 15, 1, 4,
     "h8 i9 h9 h10 j8 i8 h7 i7 i10 i6 i5 f7 j11 k12 j9 j7 k8 l7 h11 g12 i11 k7 m7 g11"},
    {"defence 15", 15, 1, 4,
     "h8 i9 h9 h10 j8 i8 h7 i7 i10 i6 i5 f7 j11 k12 j9 j7 k8 l7 h11 g12 i11 k7 m7 g11 k5"},
    // 15 x 15, five or more
    {"edge 15", 15, 0, 4, "b2 c3 b3 b4 c2 d2 a1 d4 e5 c4"},
    // 20 x 20, five or more
    {"opening 20", 20, 0, 4, "j10 k11 k10 l10 j12"},
    {"midgame 20", 20, 0, 4, "j10 k11 k10 l10 i9 h8 j11 j9 l12 i12 m13 k9 n14"},
    {"crowded 20", 20, 0, 4,
     "j10 k11 k10 l10 j12 j11 i10 l11 i11 m11 n11 g10 i12 i9 h12 g12 g13 f14 k9 l8 l12 k12"},
    // 20 x 20, exactly five
    {"corner 20", 20, 1, 4, "c3 d4 d3 e4 c6 e3 d6 c5 b6 e6 e5"},
    {"corner attack 20", 20, 1, 4, "c3 d4 d3 e4 c6 e3 d6 c5 b6 e6 e5 f2 g1"},
};

// Square name to x, y; returns the characters read, 0 at the end of the list.
int parse_square(const char *s, int *x, int *y) {
    int i = 0;
    while (s[i] == ' ') i++;
    if (!s[i]) return 0;
    *x = s[i++] - 'a';
    int n = 0;
    while (s[i] >= '0' && s[i] <= '9') n = n * 10 + (s[i++] - '0');
    *y = n - 1;
    return i;
}

// Fresh process state, the position on `board`, the level's limits with the time control
// idle. Returns the colour to move.
int set_up(const bench_position &p, int level, double max_memory, int *board) {
    reset_engine();
    settings.max_memory = max_memory;
    game.dim = p.dim;
    settings.exact_five = p.exact_five;
    settings.timeout_turn = 0;
    fix_level(level);
    for (int i = 0; i < BOARD_CELLS; i++) board[i] = 0;
    int colour = 1;
    int x, y;
    for (const char *s = p.moves; int used = parse_square(s, &x, &y); s += used) {
        if (x < 0 || x >= p.dim || y < 0 || y >= p.dim || board[cell(x, y)]) {
            std::fprintf(stderr, "bench: bad square in %s\n", p.name);
            std::exit(1);
        }
        board[cell(x, y)] = colour;
        colour = -colour;
    }
    return colour;
}

// FNV-1a over the ints of every search's result, in suite order.
struct play_digest {
    uint32_t h = 2166136261u;
    void add(int v) {
        for (int i = 0; i < 4; i++)
            h = (h ^ (static_cast<uint32_t>(v) >> 8 * i & 0xFFu)) * 16777619u;
    }
};

} // namespace

int main(int argc, char **argv) {
    int max_level = LEVELS - 1;
    if (argc > 1) max_level = std::atoi(argv[1]);
    double max_memory = argc > 2 ? std::atof(argv[2]) / 1048576.0 : 0;
    if (argc > 3 || max_level < 0 || max_level >= LEVELS) {
        std::fprintf(stderr, "usage: bench [max_level 0..4 [max_memory bytes]]\n");
        return 2;
    }
    message_sink = [](const char *) {}; // the engine's MESSAGE lines are not the report
    static int board[BOARD_CELLS];
    long long total_nodes = 0;
    long long total_ms = 0;
    play_digest digest;

    for (const bench_position &p : suite) {
        for (int level = 0; level <= max_level && level <= p.max_level; level++) {
            int colour = set_up(p, level, max_memory, board);
            long long start = clock_ms();
            square s = choose_move(board, colour);
            long long ms = clock_ms() - start;
            total_nodes += root.last_nodes;
            total_ms += ms;
            for (int v : {s.x, s.y, root.last_searched, root.last_value, root.last_nodes})
                digest.add(v);
            std::printf("%-18s level %d  move %-4s", p.name, level, move_name(s.x, s.y));
            if (root.last_searched)
                std::printf("  value %5d", root.last_value);
            else
                std::printf("  value     -");
            std::printf("  nodes %10d  tree %8ld  %8.3f s\n", root.last_nodes, tree_memory.peak,
                        ms / 1000.0);
        }
    }

    long long nps = total_nodes * 1000 / (total_ms > 0 ? total_ms : 1);
    std::printf("\nTotal nodes     %lld\n", total_nodes);
    std::printf("Total time      %.3f s\n", total_ms / 1000.0);
    std::printf("Nodes/second    %lld\n", nps);
    std::printf("Bench: %08x nodes %lld\n", digest.h, total_nodes);
    return 0;
}
