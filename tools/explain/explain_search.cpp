// Explaining a position with the engine's own calls: generate_moves for the candidates,
// choose_move for the search, with root_watch to see each root value and to read the
// principal line out of the tree before the move choice releases it.
#include "explain_search.h"
#include "analysis/renju.h"
#include "search/classic/hash.h"

#include <chrono>
#include <cstdio>

#include "positions.h"
#include "search/classic/tree.h"

namespace {

explanation *watching; // the explanation root_watch fills

// Whether the stone on x,y makes five along some line under the rule in force.
bool makes_five_at(const int *board, int x, int y) {
    const int colour = board[cell(x, y)];
    for (const direction &d : directions) {
        int run = 1;
        for (int s = -1; s <= 1; s += 2)
            for (int k = 1; on_board(x + s * k * d.dx, y + s * k * d.dy) &&
                            board[cell(x + s * k * d.dx, y + s * k * d.dy)] == colour;
                 k++)
                run++;
        if (run == 5 || (run > 5 && !exact_for(colour))) return true;
    }
    return false;
}

// The value the search gives the position after `m` (played by `colour` at `ply`) without
// storing it: a leaf by the generator alone. False when the position is searched, so only
// the tree can tell its value.
bool leaf_value(int *board, int colour, int ply, const move_rec &m, int *value) {
    static move_list scratch;
    int score = 0;
    int n = generate_moves(board, -colour, ply + 1, scratch, &score, m.tag);
    if (n == 1 && scratch.rec[0].tag == TAG_FIVE)
        *value = -(WIN - (ply + 1));
    else if (n == 1 && scratch.rec[0].tag == TAG_LOST)
        *value = -((ply + 1) - WIN);
    else if (n == 0 || (n >= 2 && past_limits(ply + 1, m.tag)))
        *value = -score;
    else
        return false;
    return true;
}

// One node of the principal line: replays the node's loop over its candidates with the
// window it was searched with, each child's value taken from the tree (or as a leaf), and
// returns the candidate that set the node's result, with the window that candidate's
// position was searched with. -1 when the line ends here: a leaf, a child the tree no
// longer holds, or no candidate inside the window.
int line_step(int *board, int colour, int ply, int alpha, int beta, int tag, move_list &list,
              int *child_alpha, int *child_beta) {
    int score = 0;
    int n = generate_moves(board, colour, ply, list, &score, tag);
    if (n == 0) return -1;
    if (n == 1 && (list.rec[0].tag == TAG_FIVE || list.rec[0].tag == TAG_LOST)) return 0;
    if (n >= 2 && past_limits(ply, tag)) return -1;
    int a = alpha, best = -1;
    for (int i = 0; i < n; i++) {
        const move_rec &m = list.rec[i];
        const int c = cell(m.x, m.y);
        place(board, c, colour);
        hash_key key;
        hash(board, a, beta, &key);
        const tree_node *entry = tree_find(root.tree_root, key.h0);
        int v = 0;
        bool known = entry && entry->h1 == key.h1;
        if (known)
            v = entry->cena;
        else
            known = leaf_value(board, colour, ply, m, &v);
        place(board, c, 0);
        if (!known) return -1;
        if (v > a) {
            *child_alpha = -beta;
            *child_beta = -a;
            best = i;
            if (v >= beta) break;
            a = v;
        }
    }
    return best;
}

// The line below the chosen root move `first` (index `best`), searched with the root's
// alpha before it: each step as the search went, stones put and taken back again.
void read_line(int *board, int side, const move_list &root_list, int best, int alpha) {
    explanation &e = *watching;
    static move_list lists[MAX_LINE];
    int cells[MAX_LINE];
    const move_rec &first = root_list.rec[best];
    e.line[0] = {first.x, first.y};
    e.line_len = 1;
    cells[0] = cell(first.x, first.y);
    place(board, cells[0], side);
    int colour = -side, ply = root.root_ply + 1, a = -WIN, b = -alpha, tag = first.tag;
    while (e.line_len < MAX_LINE) {
        move_list &list = lists[e.line_len];
        int ca = 0, cb = 0;
        int i = line_step(board, colour, ply, a, b, tag, list, &ca, &cb);
        if (i < 0) break;
        const move_rec &m = list.rec[i];
        e.line[e.line_len] = {m.x, m.y};
        cells[e.line_len++] = cell(m.x, m.y);
        place(board, cell(m.x, m.y), colour);
        if (m.tag == TAG_FIVE || m.tag == TAG_LOST) break;
        colour = -colour;
        ply++;
        a = ca;
        b = cb;
        tag = m.tag;
    }
    for (int k = e.line_len - 1; k >= 0; k--) place(board, cells[k], 0);
}

// root_watch: every root value; after the last one, the line from the tree.
void watch_root(int *board, int side, const move_list &list, int i, int value) {
    watching->values[i] = value;
    if (i != list.n - 1) return;
    int best = 0, alpha = -WIN;
    for (int k = 1; k < list.n; k++)
        if (watching->values[k] > watching->values[best]) best = k;
    for (int k = 0; k < best; k++)
        if (watching->values[k] > alpha) alpha = watching->values[k];
    read_line(board, side, list, best, alpha);
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

void explain_position(const game_record &g, int stones, int dim, int rule, int level,
                      explanation &e) {
    static int board[BOARD_CELLS];
    set_up_engine(dim, rule, level);
    for (int &c : board) c = 0;
    for (int i = 0; i < stones; i++) board[cell(g.stones[i].x, g.stones[i].y)] = g.stones[i].colour;
    e = explanation{};
    e.dim = dim;
    e.rule_number = rule;
    e.level = level;
    e.stones = stones;
    e.last_x = stones > 0 ? g.stones[stones - 1].x : -1;
    e.last_y = stones > 0 ? g.stones[stones - 1].y : -1;
    e.side = stones % 2 == 1 ? -1 : 1; // as the engine tells whose turn a BOARD gives it
    e.game_over = stones > 0 && makes_five_at(board, e.last_x, e.last_y);
    for (int c = 0; c < BOARD_CELLS; c++) e.board[c] = board[c];
    e.rule = RULE_NO_CANDIDATE;
    e.chosen = {-1, -1};
    if (e.game_over) return;
    for (int x = 0; rule == RULE_RENJU && e.side == 1 && x < dim; x++)
        for (int y = 0; y < dim; y++)
            if (board[cell(x, y)] == 0 && renju_verdict(board, x, y) != RENJU_LEGAL)
                e.forbidden[e.forbidden_n++] = {x, y};

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
