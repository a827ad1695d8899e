#pragma once
// The explainer's pictures, as SVG text: the board of one explained position, and the
// chart of a game's values.
#include <string>

#include "explain_search.h"

// Appends one printf-formatted line to `svg`.
[[gnu::format(printf, 2, 3)]] void svg_line(std::string &svg, const char *format, ...);
constexpr const char *SVG_FONT = "DejaVu Sans, Verdana, Arial, sans-serif";

// The board: grid and coordinates as the demo prints them (letters for x, numbers for y,
// y upwards), the stones with the last one marked, the generator's candidates as numbered
// markers coloured by tag with a legend, the chosen move ringed and the principal line as
// lighter numbered stones.
std::string board_svg(const explanation &e);

// One analysed position of a game: its value from the first colour's side.
struct game_point {
    int move;     // stones on the board (the position after this move)
    bool valued;  // false: no search (a lone candidate, or no candidate)
    int value;    // first colour's view; beyond +-512 a found win or loss
    square stone; // the move that led here
};

// The value chart: moves across, value up, found wins and losses at the edges, and the
// `swings` (move numbers) marked.
std::string game_svg(const game_point *points, int count, const int *swings, int swing_count,
                     const std::string &title);
