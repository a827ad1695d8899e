// Speed of generate_moves, the search's inner loop, on fixed positions: at the root
// (ply 0, threat squares gathered) and inside the tree (ply 2).
#include "search/search.h"

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <string>

namespace {

struct square {
    int x, y;
};

// Moves of a self-played game on 15 x 15, first stone +1, colours alternating.
constexpr square game_moves[] = {
    {7, 7},  {7, 6}, {6, 8}, {5, 9}, {5, 7},  {6, 7}, {4, 6}, {7, 9}, {2, 4},  {3, 5},
    {9, 5},  {8, 9}, {6, 9}, {5, 8}, {10, 4}, {8, 6}, {8, 5}, {4, 9}, {3, 10}, {5, 6},
    {9, 10}, {7, 8}, {4, 5}, {6, 6}, {9, 6},  {2, 9}, {9, 4}, {9, 7}, {9, 3},  {9, 2},
};

// A crowded 20 x 20 board (89 X = +1, 88 O = -1, no five), top row y = 19.
constexpr const char *crowded_rows[20] = {
    "OO.O..OO.OOO.OO.X..O", "X.....X..OOO..OXX..X", "OX.XX.OOOO.OO.X.X.XO", ".X.XO.O.OX.......X..",
    "...X.O..X.....XX...O", ".XX..XO..XX...X...O.", "OO.....X....X.....XO", "OOOOX..XXX...X.X.XOO",
    "OOOO....X..X......XO", "O.OO.O.X....X...X...", ".O...OOO......XX...O", "..OOX.O.X.X.X.XX...O",
    "XX.X.O.OOO..X.X....O", "O..X...OOO..OX..XX..", "XX..X..XX......X....", ".X....X.........X..O",
    "...X..OX.OO.XXX...XO", "..X.XOXXOX....XXXO.O", "....X...OX.X.X.X..OX", "OO...OOO..O....OOXOO",
};

enum position_id { OPENING, MIDGAME, CROWDED, GRID };

// Sets up the position and returns the side to move.
int set_up(position_id id) {
    reset_engine();
    load_level(0);
    settings.exact_five = 1;
    game.dim = id == OPENING || id == MIDGAME ? 15 : 20;
    switch (id) {
    case OPENING:   // five stones of the game
    case MIDGAME: { // thirty stones of the game
        int n = id == OPENING ? 5 : 30;
        for (int i = 0; i < n; i++)
            game.board[cell(game_moves[i].x, game_moves[i].y)] = i % 2 ? -1 : 1;
        return n % 2 ? -1 : 1;
    }
    case CROWDED:
        for (int y = 0; y < 20; y++)
            for (int x = 0; x < 20; x++) {
                char ch = crowded_rows[19 - y][x];
                game.board[cell(x, y)] = ch == 'X' ? 1 : ch == 'O' ? -1 : 0;
            }
        return 1;
    case GRID: // X on every third square of every third row: 345 candidate squares
        for (int x = 0; x < 20; x += 3)
            for (int y = 0; y < 20; y += 3) game.board[cell(x, y)] = 1;
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
