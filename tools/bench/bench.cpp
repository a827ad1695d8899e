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
// After the classic's lines the deep mode searches the same positions at a fixed depth and
// prints its speed and, last, its own signature, "Deep: <digest> nodes <total>".
//
// The "tree" column is the most nodes the transposition tree held at once.
// Every search starts from a fresh process state with the time control idle
// (timeout_turn 0, the level fixed), so the counts depend only on the code.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "positions.h"
#include "search/classic/root.h"
#include "search/classic/timectl.h"
#include "search/classic/tree.h"
#include "search/clock.h"
#include "search/deep/deep.h"
#include "search/mode.h"

namespace {

// FNV-1a over the ints of every search's result, in suite order.
struct play_digest {
    uint32_t h = 2166136261u;
    void add(int v) {
        for (int i = 0; i < 4; i++)
            h = (h ^ (static_cast<uint32_t>(v) >> 8 * i & 0xFFu)) * 16777619u;
    }
};

// Totals of one suite.
struct suite_run {
    long long nodes = 0;
    long long ms = 0;
    play_digest digest;
};

// Searches position p at levels 0 to max_level (and its own maximum) and prints a line for
// each search.
void run_position(const bench_position &p, int max_level, double max_memory, suite_run &run) {
    static int board[BOARD_CELLS];
    for (int level = 0; level <= max_level && level <= p.max_level; level++) {
        int colour = set_up_bench(board, p, level);
        settings.max_memory = max_memory;
        long long start = clock_ms();
        square s = choose_move(board, colour);
        long long ms = clock_ms() - start;
        run.nodes += report.nodes;
        run.ms += ms;
        for (int v : {s.x, s.y, int{report.searched}, report.value, static_cast<int>(report.nodes)})
            run.digest.add(v);
        std::printf("%-18s level %d  move %-4s", p.name, level, move_name(s.x, s.y));
        if (report.searched)
            std::printf("  value %5d", report.value);
        else
            std::printf("  value     -");
        std::printf("  nodes %10lld  tree %8ld  %8.3f s\n", report.nodes, tree_memory.peak,
                    ms / 1000.0);
    }
}

// The deep mode's searches: every position at a fixed depth, no clock, a fresh hash table.
constexpr int DEEP_BENCH_DEPTH = 6;

void run_deep(const bench_position &p, suite_run &run) {
    static int board[BOARD_CELLS];
    const int colour = set_up_bench(board, p, 0);
    settings.max_memory = 0;
    settings.timeout_match = 0; // no game clock: the depth alone bounds the search
    deep_mode.reset();
    deep_mode.new_game();
    deep_mode.info("max_depth", [] { return DEEP_BENCH_DEPTH; });
    long long start = clock_ms();
    square s = deep_mode.choose(board, colour);
    long long ms = clock_ms() - start;
    run.nodes += report.nodes;
    run.ms += ms;
    for (int v : {s.x, s.y, report.value, static_cast<int>(report.nodes)}) run.digest.add(v);
    std::printf("deep %-18s depth %2d  move %-4s  value %5d  nodes %10lld  %8.3f s\n", p.name,
                report.depth, move_name(s.x, s.y), report.value, report.nodes, ms / 1000.0);
}

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
    suite_run main_run, renju_run;
    for (const bench_position &p : bench_suite) run_position(p, max_level, max_memory, main_run);
    for (const bench_position &p : renju_suite) run_position(p, max_level, max_memory, renju_run);
    std::printf("\nRenju nodes     %lld\n", renju_run.nodes);
    std::printf("Renju: %08x nodes %lld\n", renju_run.digest.h, renju_run.nodes);

    const long long total_nodes = main_run.nodes, total_ms = main_run.ms;
    long long nps = total_nodes * 1000 / (total_ms > 0 ? total_ms : 1);
    std::printf("\nTotal nodes     %lld\n", total_nodes);
    std::printf("Total time      %.3f s\n", total_ms / 1000.0);
    std::printf("Nodes/second    %lld\n", nps);
    std::printf("Bench: %08x nodes %lld\n", main_run.digest.h, total_nodes);

    // The deep mode's suite after the classic's lines, which it leaves as they were.
    std::printf("\n");
    suite_run deep_run;
    for (const bench_position &p : bench_suite) run_deep(p, deep_run);
    for (const bench_position &p : renju_suite) run_deep(p, deep_run);
    std::printf("Deep nodes/second %lld\n",
                deep_run.nodes * 1000 / (deep_run.ms > 0 ? deep_run.ms : 1));
    std::printf("Deep: %08x nodes %lld\n", deep_run.digest.h, deep_run.nodes);
    return 0;
}
