// Explaining a position with the engine's own calls: generate_moves for the candidates,
// choose_move for the search, with root_watch to see each root value; the principal line
// is the one the search reports.
#include "explain_search.h"
#include "analysis/renju.h"
#include "search/classic/hash.h"

#include <chrono>
#include <cstdio>

#include "five.h"
#include "positions.h"
#include "search/classic/tree.h"

namespace {

explanation *watching; // the explanation root_watch fills

// root_watch: every root value.
void watch_root(int *, int, const move_list &, int i, int value) {
    watching->values[i] = value;
}

// Whose analysis a root record holds: the side to move's unless it matches the opponent's
// and not the side to move's (hits aside, which only the generator's marking adds).
bool holds_own_figures(const int *board, const move_rec &r, int side) {
    auto same = [&](const point_info &p) {
        return p.count == r.info.count && p.windows == r.info.windows &&
               p.threat == r.info.threat && p.dir == r.info.dir;
    };
    return same(analyse_point(board, r.x, r.y, side)) ||
           !same(analyse_point(board, r.x, r.y, -side));
}

} // namespace

bool set_up_position(const game_record &g, int stones, int dim, int rule, explanation &e,
                     int *board) {
    for (int c = 0; c < BOARD_CELLS; c++) board[c] = 0;
    for (int i = 0; i < stones; i++) board[cell(g.stones[i].x, g.stones[i].y)] = g.stones[i].colour;
    e = explanation{};
    e.dim = dim;
    e.rule_number = rule;
    e.stones = stones;
    e.last_x = stones > 0 ? g.stones[stones - 1].x : -1;
    e.last_y = stones > 0 ? g.stones[stones - 1].y : -1;
    e.side = stones % 2 == 1 ? -1 : 1; // as the engine tells whose turn a BOARD gives it
    e.game_over = stones > 0 && stone_makes_five(board, dim, e.last_x, e.last_y, rule);
    for (int c = 0; c < BOARD_CELLS; c++) e.board[c] = board[c];
    e.rule = RULE_NO_CANDIDATE;
    e.chosen = {-1, -1};
    if (e.game_over) return false;
    for (int x = 0; rule == RULE_RENJU && e.side == 1 && x < dim; x++)
        for (int y = 0; y < dim; y++)
            if (board[cell(x, y)] == 0 && renju_verdict(board, x, y) != RENJU_LEGAL)
                e.forbidden[e.forbidden_n++] = {x, y};
    return true;
}

void explain_position(const game_record &g, int stones, int dim, int rule, int level,
                      explanation &e) {
    static int board[BOARD_CELLS];
    set_up_engine(dim, rule, level);
    const bool to_search = set_up_position(g, stones, dim, rule, e, board);
    e.level = level;
    if (!to_search) return;

    // 1. The generator, as the root calls it.
    int n = generate_moves(board, e.side, root.root_ply, e.list, &e.static_score, TAG_ROOT);
    if (n == 1 && e.list.rec[0].tag == TAG_FIVE) {
        e.rule = RULE_OWN_FIVE;
    } else if (n > 0) {
        e.rule = last_selection.rule;
        e.own_sum = last_selection.own_sum;
        e.opp_sum = last_selection.opp_sum;
    }
    for (int i = 0; i < n; i++) e.own_figures[i] = holds_own_figures(board, e.list.rec[i], e.side);

    // 2. The move choice, watched.
    watching = &e;
    root_watch = watch_root;
    const auto start = std::chrono::steady_clock::now();
    e.chosen = choose_move(board, e.side);
    e.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    root_watch = nullptr;
    e.searched = report.searched != 0;
    for (int i = 0, alpha = -WIN; e.searched && i < n; i++) {
        e.at_most[i] = i > 0 && e.values[i] <= alpha;
        if (e.values[i] > alpha) alpha = e.values[i];
    }
    e.value = report.value;
    e.line_len = report.line_length;
    for (int k = 0; k < e.line_len; k++) e.line[k] = report.line[k];
    e.nodes = report.nodes;
    e.tree_peak = tree_memory.peak;
}

const char *tag_name(int tag) {
    switch (tag) {
    case TAG_FIVE:
        return "five";
    case TAG_LOST:
        return "lost";
    case TAG_ATTACK:
        return "attack";
    case TAG_DEFENCE:
        return "defence";
    case TAG_THREAT:
        return "threat";
    case -TAG_THREAT:
        return "threat-";
    default:
        return "quiet";
    }
}

const char *five_rule_name(int rule) {
    return rule == RULE_RENJU ? "renju" : rule == 1 ? "exactly five" : "five or more";
}

const char *rule_name(int rule) {
    switch (rule) {
    case 0:
        return "ordinary selection";
    case 1:
        return "forced: block the opponent's five";
    case 2:
        return "forced: open fours";
    case 3:
        return "forced: fours with a second threat";
    case 4:
        return "forced: answer the opponent's open four or double threat";
    case RULE_OWN_FIVE:
        return "forced: the five";
    default:
        return "no candidate";
    }
}

std::string point_class(const point_info &p) {
    static const char *open[] = {"-", "open two", "open three", "open four", "five"};
    static const char *closed[] = {"-", "two", "three", "four", "five"};
    if (p.count < 0 || p.count > 4) return "?";
    if (p.threat == 3) return "two open fours";
    std::string name = p.windows >= 2 ? open[p.count] : closed[p.count];
    if (p.threat == 2) name += " + double threat";
    return name;
}

std::string searched_value(const explanation &e, int i) {
    std::string text = e.at_most[i] ? "<=" : "";
    return text += signed_value(e.values[i]);
}

std::string signed_value(int v) {
    char text[16];
    std::snprintf(text, sizeof text, v > 0 ? "+%d" : "%d", v);
    return text;
}
