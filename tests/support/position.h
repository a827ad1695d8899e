#pragma once
// Test helpers shared by the module tests: a fresh process state and positions as text.
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>

#include "analysis/live.h"
#include "analysis/renju.h"
#include "analysis/threats.h"
#include "positions.h"
#include "search/classic/classic.h"
#include "search/classic/root.h"
#include "search/classic/timectl.h"

// The engine's lines go to `said_lines` instead of standard output, each with its newline,
// once a helper below has set up the engine; said() returns those said since its last call.
inline std::string said_lines;
inline void keep_said(const char *line) {
    said_lines += line;
    said_lines += '\n';
}
inline std::string said() {
    std::string lines;
    lines.swap(said_lines);
    return lines;
}

// The search's lines as the engine says them.
inline std::string level_line(int n) {
    return "MESSAGE Level... " + std::to_string(n) + "\n";
}
inline std::string value_line(int v) {
    return "MESSAGE Val... " + std::to_string(v) + "\n";
}

// Every process-wide record back to its start-up values, as in a fresh engine process.
inline void fresh_state(int dim) {
    reset_engine(classic_mode);
    message_sink = keep_said;
    game.dim = dim;
}

// A fresh engine set for a search at level 0 under `rule` (INFO rule: 0, 1 or RULE_RENJU)
// with the stones of `stones` on the shared board: "X 4,7 5,7 O 8,7" puts X (+1) on 4,7 and
// 5,7 and O (-1) on 8,7.
inline void set_board(int dim, int rule, const std::string &stones) {
    message_sink = keep_said;
    set_up_engine(dim, rule, 0);
    std::istringstream in(stones);
    std::string word;
    int colour = 1, x, y;
    while (in >> word) {
        if (word == "X" || word == "O")
            colour = word == "X" ? 1 : -1;
        else if (std::sscanf(word.c_str(), "%d,%d", &x, &y) == 2)
            game.board[cell(x, y)] = colour;
    }
}

// A fresh engine set for a search at `level` under `rule` with the stones of `moves`
// ("h8 i9 ...") on the shared board; returns the colour to move.
inline int set_moves(int dim, int rule, int level, const char *moves) {
    message_sink = keep_said;
    return set_up_moves(game.board, dim, rule, level, moves);
}

// The bench position called `name` on the shared board, for a search at `level`.
inline int set_bench(const char *name, int level) {
    message_sink = keep_said;
    return set_up_bench(game.board, bench_named(name), level);
}

// Forced positions on 15 x 15, exactly five, +1 to move.
constexpr const char *WIN_IN_ONE = "h8 g8 i8 h9 j8 i9 k8 j9"; // +1 four h8..k8, five at l8
constexpr const char *LOST = "a1 h9 o15 i9 a15 j9 o1 k9";     // -1 open four h9..k9

// A fixed pseudo-random sequence: next(n) is in 0..n-1.
struct random_source {
    std::uint32_t s;
    int next(int n) { return static_cast<int>((s = s * 1664525u + 1013904223u) >> 8) % n; }
};

// Swaps the colours of every stone of the shared board.
inline void swap_colours() {
    for (int &v : game.board) v = -v;
}

// An 11-cell line, for colour X = +1: X own, O the other colour, . empty, # off the board.
// Character 6 is the square.
inline void parse_line(const std::string &text, int line[LINE_LEN]) {
    for (int i = 0; i < LINE_LEN; i++) {
        char ch = text.at(static_cast<size_t>(i));
        line[i] = ch == 'X' ? 1 : ch == 'O' ? -1 : ch == '#' ? OFF_BOARD : 0;
    }
}

inline std::string info_text(const point_info &p) {
    char text[80];
    std::snprintf(text, sizeof text, "(%d,%d,%d,%d,%d)", p.count, p.windows, p.threat, p.hits,
                  p.dir);
    return text;
}

// A move choice's tree: one cleared root entry.
inline void new_tree() {
    tree_free(root.tree_root);
    root.tree_root = node_alloc();
    node_clear(root.tree_root);
}
