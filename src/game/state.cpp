// Game state, settings and the diagnostic printers.
#include <cassert>
#include <cstdio>

#include "game/game.h"

game_state game;
settings_state settings;
void reset_game_state() {
    game = game_state{};
    settings = settings_state{30.0, 180.0, 180.0, 0.0, 1, 0};
}

board_watch watch;

void watch_board(const int *board) {
    watch.board = board;
    watch.noted += WATCH_RING + 1;
}

void reset_watch() {
    watch_board(nullptr);
}

void clear_board(int *board) {
    for (int x = 0; x < game.dim; x++)
        for (int y = 0; y < game.dim; y++) board[cell(x, y)] = 0;
}

void put_stone(int x, int y, int colour) {
    assert(on_board(x, y) && game.board[cell(x, y)] == 0 && (colour == 1 || colour == -1));
    game.board[cell(x, y)] = colour;
    game.move_count++;
    game.history[game.move_count][0] = x;
    game.history[game.move_count][1] = y;
}

void take_last_stone() {
    assert(game.move_count > 0);
    const int *last = game.history[game.move_count];
    game.board[cell(last[0], last[1])] = 0;
    game.move_count--;
}

// Rows are printed from the top (y = dim - 1) down, so x runs left to right as the column
// and y bottom to top as the row, as on a diagram.
void tisk(const int *board, char flag) {
    if (flag != 's' && flag != 'n') fatal("tisk: neznamy priznak %c", flag);
    const char *stones = "o.x"; // -1, 0, +1
    for (int y = game.dim - 1; y >= 0; y--) {
        std::printf("%2d", flag == 's' ? y + 1 : y);
        for (int x = 0; x < game.dim; x++) {
            int v = board[cell(x, y)];
            std::printf("%2c", v >= -1 && v <= 1 ? stones[v + 1] : '?');
        }
        std::printf("\n");
    }
    std::printf("  ");
    for (int x = 0; x < game.dim; x++) {
        if (flag == 's')
            std::printf("%2c", 'a' + x);
        else
            std::printf("%2d", x);
    }
    std::printf("\n");
}

const char *move_name(int x, int y) {
    static char name[32];
    std::snprintf(name, sizeof name, "%c%d", 'a' + x, y + 1);
    return name;
}
