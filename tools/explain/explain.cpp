// explain: what the engine makes of a position or of a whole game, as text and pictures.
//
//   explain [FILE] [--index K] [--move N] [--size N] [--rule R] [--level L] [--deep D]
//           [--svg FILE] [--game]
//
// FILE is an SGF file (a collection of games; --index K picks the K-th, the first by
// default) or BOARD lines "x,y,k"; without FILE the input is read from standard input.
// Input that starts with '(' is SGF. --move N explains the position before move N (the
// end by default). --size and --rule (1 exactly five, 0 five or more, 4 renju) apply where the
// input does not say; --level (0..4, default 4) is the search's level; --deep D shows the
// deep mode's view instead, its search bounded by depth D. --svg writes the board
// picture, or with --game the value chart. --game analyses every position of the game.
//
// Every position is searched from a fresh engine with the level fixed and no clock, as the
// bench searches its suite, so the figures depend only on the position and the code.
// Exit status 0, or 2 with a one-line reason on bad usage or bad input.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "explain_deep.h"
#include "explain_svg.h"

namespace {

// The five-in-a-row rules the tool accepts, as INFO rule numbers.
constexpr int accepted_rules[] = {0, 1, RULE_RENJU};

struct options {
    const char *file = nullptr;
    const char *svg = nullptr;
    int index = 1;
    int move = 0; // 0: the end
    int size = 0; // 0: the input's, else 15
    int rule = 1;
    int level = LEVELS - 1;
    int deep = 0; // above 0: the deep mode's view, to this depth
    bool game = false;
};

[[noreturn]] void fail(const std::string &why) {
    std::fprintf(stderr, "explain: %s\n", why.c_str());
    std::exit(2);
}

bool number(const char *s, int &out) {
    char *end = nullptr;
    long v = std::strtol(s, &end, 10);
    if (!*s || *end || v < -1000000 || v > 1000000) return false;
    out = static_cast<int>(v);
    return true;
}

options parse(int argc, char **argv) {
    options o;
    const char *usage = "usage: explain [FILE] [--index K] [--move N] [--size N] [--rule R] "
                        "[--level L] [--deep D] [--svg FILE] [--game]";
    for (int i = 1; i < argc; i++) {
        const char *a = argv[i];
        const bool has_value = i + 1 < argc;
        int *target = !std::strcmp(a, "--index")   ? &o.index
                      : !std::strcmp(a, "--move")  ? &o.move
                      : !std::strcmp(a, "--size")  ? &o.size
                      : !std::strcmp(a, "--rule")  ? &o.rule
                      : !std::strcmp(a, "--level") ? &o.level
                      : !std::strcmp(a, "--deep")  ? &o.deep
                                                   : nullptr;
        if (target) {
            if (!has_value || !number(argv[++i], *target)) fail(usage);
        } else if (!std::strcmp(a, "--svg") && has_value) {
            o.svg = argv[++i];
        } else if (!std::strcmp(a, "--game")) {
            o.game = true;
        } else if (a[0] != '-' && !o.file) {
            o.file = a;
        } else {
            fail(usage);
        }
    }
    bool rule_ok = false;
    for (int r : accepted_rules) rule_ok = rule_ok || r == o.rule;
    if (!rule_ok) fail("--rule " + std::to_string(o.rule) + ": the engine plays rules 0, 1 and 4");
    if (o.level < 0 || o.level >= LEVELS) fail("--level must be 0..4");
    if (o.deep < 0 || o.deep > 60) fail("--deep must be 1..60");
    return o;
}

std::string read_input(const char *file) {
    std::ostringstream text;
    if (!file) {
        text << std::cin.rdbuf();
        return text.str();
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) fail(std::string("cannot read ") + file);
    text << in.rdbuf();
    return text.str();
}

const char *stone_name(int colour) {
    return colour == 1 ? "x" : "o";
}

void print_candidates(const explanation &e) {
    std::printf("Candidates: %d, %s\n", e.list.n, rule_name(e.rule));
    if (e.list.n == 0) return;
    std::printf("   #  square  tag      class                       whose  count windows "
                "threat hits dir  from\n");
    for (int i = 0; i < e.list.n; i++) {
        const move_rec &r = e.list.rec[i];
        std::printf("  %2d  %-6s  %-7s  %-26s  %-5s  %5d %7d %6d %4d %3d  %s\n", i + 1,
                    move_name(r.x, r.y), tag_name(r.tag), point_class(r.info).c_str(),
                    stone_name(e.own_figures[i] ? e.side : -e.side), r.info.count, r.info.windows,
                    r.info.threat, r.info.hits, r.info.dir, e.rule == 0 ? "ordinary" : "forced");
    }
}

void print_forbidden(const explanation &e) {
    if (e.forbidden_n == 0) return;
    std::printf("Forbidden for x (renju):");
    for (int i = 0; i < e.forbidden_n; i++)
        std::printf(" %s", move_name(e.forbidden[i].x, e.forbidden[i].y));
    std::printf("\n");
}

void print_search(const explanation &e) {
    std::printf("\nSearch at level %d (depth limits %d/%d/%d):\n", e.level, level_table[e.level][0],
                level_table[e.level][1], level_table[e.level][2]);
    if (e.searched)
        for (int i = 0; i < e.list.n; i++)
            std::printf("  %2d  %-6s  %6s\n", i + 1, move_name(e.list.rec[i].x, e.list.rec[i].y),
                        searched_value(e, i).c_str());
    else
        std::printf("  no search: %s\n", e.list.n == 1 ? "the one candidate is played"
                                                       : "nothing to search, a fallback move");
    std::printf("Chosen: %s", e.chosen.x < 0 ? "none" : move_name(e.chosen.x, e.chosen.y));
    if (e.searched) std::printf("  value %s", signed_value(e.value).c_str());
    std::printf("  nodes %d  tree peak %ld  time %.3f s\n", e.nodes, e.tree_peak, e.seconds);
    if (!e.searched) return;
    std::printf("Principal line (%d plies, as far as the tree holds it):", e.line_len);
    for (int i = 0; i < e.line_len; i++) std::printf(" %s", move_name(e.line[i].x, e.line[i].y));
    std::printf("\n");
}

void print_deep(const explanation &e) {
    std::printf("\nDeep mode to depth %d:\n", e.depth);
    auto print_line = [](const square *line, int n) {
        for (int i = 0; i < n; i++) std::printf(" %s", move_name(line[i].x, line[i].y));
        std::printf("\n");
    };
    for (int i = 0; i < e.iterations; i++) {
        const deep_iteration &it = e.iter[i];
        std::printf("  depth %2d  value %6s  nodes %9lld  line", it.depth,
                    signed_value(it.value).c_str(), it.nodes);
        print_line(it.line, it.line_len);
    }
    if (e.vcf_len > 0) {
        std::printf("Threat solver: %s",
                    e.by_threats ? "a win by threats from" : "a win by fours,");
        print_line(e.vcf, e.vcf_len);
    }
    std::printf("Chosen: %s", e.chosen.x < 0 ? "none" : move_name(e.chosen.x, e.chosen.y));
    if (e.searched) std::printf("  value %s", signed_value(e.value).c_str());
    std::printf("  nodes %d  time %.3f s\n", e.nodes, e.seconds);
    std::printf("Principal line (%d plies):", e.line_len);
    print_line(e.line, e.line_len);
}

void explain_one(const explanation &e) {
    std::printf("Board %d x %d, %s, %d stones", e.dim, e.dim, five_rule_name(e.rule_number),
                e.stones);
    if (e.last_x >= 0) std::printf(", last move %s", move_name(e.last_x, e.last_y));
    std::printf("\n");
    tisk(e.board, 's');
    if (e.game_over) {
        std::printf("The game is over: %s made five.\n", stone_name(-e.side));
        return;
    }
    std::printf("To move: %s (move %d)\n", stone_name(e.side), e.stones + 1);
    if (e.deep) {
        print_forbidden(e);
        return print_deep(e);
    }
    if (e.rule != RULE_OWN_FIVE && e.rule != RULE_NO_CANDIDATE)
        std::printf("Static score: %s (own %d, opponent %d)\n",
                    signed_value(e.static_score).c_str(), e.own_sum, e.opp_sum);
    print_candidates(e);
    print_forbidden(e);
    print_search(e);
}

// The classic's view of the position before move k + 1, or the deep mode's.
void explain(const game_record &g, int k, int dim, const options &o, explanation &e) {
    if (o.deep > 0)
        explain_deep_position(g, k, dim, o.rule, o.deep, e);
    else
        explain_position(g, k, dim, o.rule, o.level, e);
}

// The value of position k of a game from the first colour's side: a five ends the game,
// a lone five or lost block is a win or a loss, another lone candidate is not searched.
game_point game_value(const game_record &g, int k, const options &o, int dim, explanation &e) {
    explain(g, k, dim, o, e);
    game_point p{k, true, 0, {g.stones[k - 1].x, g.stones[k - 1].y}};
    int mover_value = 0;
    if (e.game_over)
        mover_value = -WIN;
    else if (e.searched)
        mover_value = e.value;
    else if (e.rule == RULE_OWN_FIVE)
        mover_value = WIN;
    else if (e.list.n == 1 && e.list.rec[0].tag == TAG_LOST)
        mover_value = -WIN;
    else
        p.valued = false;
    p.value = e.side == 1 ? mover_value : -mover_value;
    return p;
}

// The three largest changes of value from one valued position to the next, by the move
// that made each (0-based), the earlier move first on a tie. Returns how many there are.
int largest_swings(const game_point *points, int count, int swings[3]) {
    int found = 0;
    while (found < 3) {
        int best = -1, best_size = 0, prev = -1;
        for (int k = 0; k < count; k++) {
            if (!points[k].valued) continue;
            bool taken = false;
            for (int t = 0; t < found; t++) taken = taken || swings[t] == k;
            const int size = prev < 0 ? 0 : std::abs(points[k].value - points[prev].value);
            if (!taken && size > best_size) best = k, best_size = size;
            prev = k;
        }
        if (best < 0) break;
        swings[found++] = best;
    }
    return found;
}

int value_before(const game_point *points, int k) {
    for (int j = k - 1; j >= 0; j--)
        if (points[j].valued) return points[j].value;
    return 0;
}

void explain_game(const game_record &g, const options &o, int dim) {
    static game_point points[BOARD_CELLS];
    static explanation e;
    // 1. Every position, with a progress line; the table is printed when it is complete,
    //    so the progress line never splits it.
    std::string rows;
    for (int k = 1; k <= g.count; k++) {
        std::fprintf(stderr, "\rexplain: position %d of %d", k, g.count);
        std::fflush(stderr);
        points[k - 1] = game_value(g, k, o, dim, e);
        const game_point &p = points[k - 1];
        const std::string played = move_name(p.stone.x, p.stone.y);
        const char *reply = e.game_over      ? "(five)"
                            : e.chosen.x < 0 ? "-"
                                             : move_name(e.chosen.x, e.chosen.y);
        char row[128];
        std::snprintf(row, sizeof row, " %4d  %s %-4s  %6s  %s%s\n", k,
                      stone_name(g.stones[k - 1].colour), played.c_str(),
                      p.valued ? signed_value(p.value).c_str() : "-", reply,
                      !p.valued ? "  (only move, not searched)" : "");
        rows += row;
    }
    std::fprintf(stderr, "\r%40s\r", "");
    std::printf("Game of %d moves on %d x %d, %s, level %d; values for x (first colour)\n", g.count,
                dim, dim, five_rule_name(o.rule), o.level);
    std::printf(" move  stone   value  reply\n%s", rows.c_str());

    // 2. Where the value swung most.
    int swings[3];
    const int swing_count = largest_swings(points, g.count, swings);
    std::printf("Largest swings:\n");
    for (int s = 0; s < swing_count; s++) {
        const game_point &p = points[swings[s]];
        std::printf("  move %d %s %s: %s -> %s\n", swings[s] + 1,
                    stone_name(g.stones[swings[s]].colour), move_name(p.stone.x, p.stone.y),
                    signed_value(value_before(points, swings[s])).c_str(),
                    signed_value(p.value).c_str());
    }
    if (!o.svg) return;
    for (int s = 0; s < swing_count; s++) swings[s]++;
    std::ofstream out(o.svg);
    out << game_svg(points, g.count, swings, swing_count,
                    "Root value for x, level " + std::to_string(o.level) + ", " +
                        std::to_string(g.count) + " moves on " + std::to_string(dim) + " x " +
                        std::to_string(dim));
    if (!out) fail(std::string("cannot write ") + o.svg);
}

} // namespace

int main(int argc, char **argv) {
    const options o = parse(argc, argv);
    const std::string text = read_input(o.file);
    static game_record g;
    std::string error;
    const size_t first = text.find_first_not_of(" \t\r\n");
    const bool sgf = first != std::string::npos && text[first] == '(';
    if (!(sgf ? read_sgf(text, o.index, g, error) : read_board_lines(text, g, error))) fail(error);
    const int dim = g.size ? g.size : o.size ? o.size : 15;
    if (dim < 15 || dim > MAX_DIM) fail("board size " + std::to_string(dim) + " is outside 15..20");
    if (!check_record(g, dim, error)) fail(error);
    message_sink = [](const char *) {}; // the engine's MESSAGE lines are not the report

    if (o.game) {
        if (g.count == 0) fail("the game has no moves");
        explain_game(g, o, dim);
        return 0;
    }
    const int move = o.move ? o.move : g.count + 1;
    if (move < 1 || move > g.count + 1)
        fail("--move " + std::to_string(move) + ": the game has " + std::to_string(g.count) +
             " moves");
    static explanation e;
    explain(g, move - 1, dim, o, e);
    explain_one(e);
    if (o.svg) {
        std::ofstream out(o.svg);
        out << board_svg(e);
        if (!out) fail(std::string("cannot write ") + o.svg);
    }
    return 0;
}
