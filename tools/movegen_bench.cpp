// Speed of generate_moves, the search's inner loop, on fixed positions: at the root
// (ply 0, threat squares gathered) and inside the tree (ply 2).
#include "positions.h"
#include "search/search.h"

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <string>

namespace {

enum position_id { OPENING, MIDGAME, CROWDED, GRID };

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

const char *const position_names[] = {"opening15", "midgame15", "crowded20", "grid20"};

void register_all() {
    for (int id = OPENING; id <= GRID; id++) {
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
    register_all();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
