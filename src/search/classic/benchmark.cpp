// Speed benchmark: a level-0 search of a fixed position, timed by the search's own clock
// check, decides how deep the engine can afford to look for the rest of the game.
#include "search/classic/benchmark.h"
#include "search/classic/root.h"
#include "search/classic/timectl.h"

namespace {

// The test position as offsets from the centre square (c, c): +1 stones and -1 stones.
struct stone {
    int dx, dy, colour;
};
constexpr stone test_position[8] = {
    {0, 0, +1},  {0, 1, +1}, {1, -1, +1}, {2, -1, +1},
    {-1, 1, -1}, {1, 1, -1}, {2, 1, -1},  {0, -1, -1},
};

} // namespace

void place_test_position(int *board) {
    clear_board(board);
    int c = (game.dim - 1) / 2;
    for (const stone &s : test_position) board[cell(c + s.dx, c + s.dy)] = s.colour;
}

int level_for_speed(int nodes_per_sec, double timeout_turn) {
    for (int l = 0; l < LEVELS; l++) {
        // Unmeasured speed: every level counts as too slow.
        bool exceeds = nodes_per_sec == 0 ||
                       static_cast<double>(speed_thresholds[l]) / nodes_per_sec > timeout_turn;
        if (exceeds) return l > 0 ? l - 1 : 0;
    }
    return LEVELS - 1;
}

void benchmark() {
    static int test_board[BOARD_CELLS];
    place_test_position(test_board);
    set_level(0);
    choose_move(test_board, +1);
    say("MESSAGE Nods per sec... %d", timing.nodes_per_sec);
    set_game_level(level_for_speed(timing.nodes_per_sec, settings.timeout_turn));
}
