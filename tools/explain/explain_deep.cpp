// The deep mode explained through its own interfaces: the mode record chooses the move,
// its MESSAGE lines tell each iteration, the report the choice.
#include "explain_deep.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include "search/deep/deep.h"

namespace {

explanation *listening; // the explanation the deep mode's lines go to
int depth_limit;        // handed to the deep mode as INFO max_depth

// Reads the squares "x,y x,y ..." of `text` into `line`; returns how many.
int read_squares(const char *text, square *line) {
    int n = 0, x, y, used;
    while (n < MAX_LINE && std::sscanf(text, " %d,%d%n", &x, &y, &used) == 2) {
        line[n++] = {x, y};
        text += used;
    }
    return n;
}

} // namespace

void read_deep_line(const char *line, explanation &e) {
    deep_iteration it{};
    int used = 0;
    if (std::sscanf(line, "MESSAGE depth %d value %d nodes %lld nps %*d time %*d pv%n", &it.depth,
                    &it.value, &it.nodes, &used) == 3 &&
        used > 0) {
        it.line_len = read_squares(line + used, it.line);
        if (e.iterations < MAX_ITERATIONS) e.iter[e.iterations++] = it;
    } else if (std::strncmp(line, "MESSAGE vcf win", 15) == 0) {
        e.vcf_len = read_squares(line + 15, e.vcf);
        e.by_threats = false;
    } else if (std::strncmp(line, "MESSAGE vct win", 15) == 0) {
        e.vcf_len = read_squares(line + 15, e.vcf);
        e.by_threats = true;
    }
}

void explain_deep_position(const game_record &g, int stones, int dim, int rule, int depth,
                           explanation &e) {
    static int board[BOARD_CELLS];
    reset_engine(deep_mode);
    game.dim = dim;
    settings.exact_five = rule != 0;
    settings.renju = rule == RULE_RENJU;
    settings.timeout_turn = 0; // no clock: the depth alone bounds the search
    settings.timeout_match = 0;
    depth_limit = depth;
    deep_mode.info("max_depth", [] { return depth_limit; });
    const bool to_search = set_up_position(g, stones, dim, rule, e, board);
    e.deep = true;
    e.depth = depth;
    if (!to_search) return;
    listening = &e;
    void (*sink)(const char *) = message_sink;
    message_sink = [](const char *line) { read_deep_line(line, *listening); };
    const auto start = std::chrono::steady_clock::now();
    e.chosen = deep_mode.choose(board, e.side);
    e.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    message_sink = sink;
    e.searched = report.searched;
    e.value = report.value;
    e.nodes = static_cast<int>(report.nodes);
    e.line_len = report.line_length;
    for (int k = 0; k < e.line_len; k++) e.line[k] = report.line[k];
}
