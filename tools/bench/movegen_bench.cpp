// Speed of generate_moves, the search's inner loop, on fixed positions: at the root
// (ply 0, threat squares gathered) and inside the tree (ply 2), under renju too; and the
// cost of renju's forbidden-square verdict.
#include "analysis/renju.h"
#include "movegen/movegen.h"
#include "positions.h"
#include "search/classic/root.h"

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <string>

namespace {

enum position_id { OPENING, MIDGAME, CROWDED, GRID, MIDGAME_RENJU };

// Sets up the position at level 0 and returns the side to move.
int set_up(position_id id) {
    switch (id) {
    case OPENING:
        return set_up_bench(game.board, bench_named("opening 15"), 0);
    case MIDGAME:
        return set_up_bench(game.board, bench_named("midgame 15"), 0);
    case CROWDED:
        set_up_engine(20, 1, 0);
        set_up_crowded(game.board);
        return -1;
    case GRID:
        set_up_engine(20, 1, 0);
        set_up_grid(game.board);
        return 1;
    case MIDGAME_RENJU:
        return set_up_moves(game.board, 15, RULE_RENJU, 0, bench_named("midgame 15").moves);
    }
    return 1;
}

// Times generate_moves on one position at one ply; the counter shows how many moves it
// returns there. The generator follows the board from call to call, so calls on an
// unchanged board are its best case; with `step` every call comes after a stone is put
// on the position's first candidate square or taken off again, as in the search.
void bm_generate_moves(benchmark::State &state, position_id id, int ply, bool step) {
    const int side = set_up(id);
    static move_list out;
    int score = 0, n = generate_moves(game.board, side, ply, out, &score, 2);
    const int c = cell(out.rec[0].x, out.rec[0].y);
    for (auto _ : state) {
        if (step) game.board[c] = game.board[c] ? 0 : -side;
        n = generate_moves(game.board, side, ply, out, &score, 2);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(score);
    }
    game.board[c] = 0;
    state.counters["moves"] = n;
}

// The forbidden-square verdict of renju on every empty square of a position with black's
// stones on the crowded board: the classifier's cost per call ("squares" per iteration).
void bm_renju_verdict(benchmark::State &state) {
    set_up_engine(20, RULE_RENJU, 0);
    set_up_crowded(game.board);
    int squares = 0;
    for (auto _ : state) {
        squares = 0;
        for (int x = 0; x < game.dim; x++)
            for (int y = 0; y < game.dim; y++) {
                if (game.board[cell(x, y)] != 0) continue;
                benchmark::DoNotOptimize(renju_verdict(game.board, x, y));
                squares++;
            }
    }
    state.counters["squares"] = squares;
    state.counters["per_square"] = benchmark::Counter(
        static_cast<double>(squares),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

const char *const position_names[] = {"opening15", "midgame15", "crowded20", "grid20",
                                      "midgame15renju"};

void register_all() {
    benchmark::RegisterBenchmark("renju_verdict/crowded20", bm_renju_verdict);
    for (int id = OPENING; id <= MIDGAME_RENJU; id++) {
        for (int ply : {0, 2}) {
            for (bool step : {false, true}) {
                std::string name = std::string("generate_moves/") + position_names[id] + "/ply" +
                                   std::to_string(ply) + (step ? "/step" : "");
                benchmark::RegisterBenchmark(name.c_str(), bm_generate_moves,
                                             static_cast<position_id>(id), ply, step);
            }
        }
    }
}

} // namespace

int main(int argc, char **argv) {
    message_sink = [](const char *) {}; // the level lines of the set-up are not the report
    register_all();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
