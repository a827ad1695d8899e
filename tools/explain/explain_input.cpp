// Reading SGF games and BOARD positions for the explainer.
#include "explain_input.h"

#include <cctype>
#include <cstdio>

namespace {

// A cursor over SGF text. Variations are read into the main line only: after a node
// sequence the first sub-tree continues the game and the others are skipped.
struct sgf_reader {
    const std::string &s;
    size_t at;
    std::string error;
    char first; // colour letter of the chosen game's first move: that colour is +1
};

constexpr int MAX_NESTING = 1000; // deeper trees are refused rather than recursed into

void skip_space(sgf_reader &r) {
    while (r.at < r.s.size() && std::isspace(static_cast<unsigned char>(r.s[r.at]))) r.at++;
}

bool fail(sgf_reader &r, const std::string &why) {
    if (r.error.empty()) r.error = why;
    return false;
}

// One property value between brackets, with '\' escaping the next character.
bool read_value(sgf_reader &r, std::string &value) {
    value.clear();
    r.at++; // '['
    while (r.at < r.s.size() && r.s[r.at] != ']') {
        if (r.s[r.at] == '\\' && r.at + 1 < r.s.size()) r.at++;
        value += r.s[r.at++];
    }
    if (r.at >= r.s.size()) return fail(r, "sgf: a property value is not closed by ']'");
    r.at++;
    return true;
}

bool read_move(sgf_reader &r, char colour, const std::string &v, game_record *g) {
    if (!g) return true;
    if (g->count >= BOARD_CELLS) return fail(r, "sgf: more moves than squares");
    int n = g->count + 1;
    if (v.size() != 2 || !std::islower(static_cast<unsigned char>(v[0])) ||
        !std::islower(static_cast<unsigned char>(v[1])))
        return fail(r, "sgf: move " + std::to_string(n) + ": bad coordinates '" + v + "'");
    if (g->count == 0) r.first = colour;
    g->stones[g->count++] = {v[0] - 'a', v[1] - 'a', colour == r.first ? 1 : -1};
    return true;
}

bool read_size(sgf_reader &r, const std::string &v, game_record *g) {
    if (!g) return true;
    int a = 0, b = 0;
    char tail = 0;
    int k = std::sscanf(v.c_str(), "%d:%d%c", &a, &b, &tail);
    if (k == 1 || (k == 2 && a == b)) {
        g->size = a;
        return true;
    }
    return fail(r, "sgf: bad board size '" + v + "'");
}

// The properties of one node; moves and the size go into `g` (nullptr: a skipped variation).
bool read_node(sgf_reader &r, game_record *g) {
    r.at++; // ';'
    for (;;) {
        skip_space(r);
        std::string id;
        while (r.at < r.s.size() && std::isalpha(static_cast<unsigned char>(r.s[r.at])))
            id += r.s[r.at++];
        if (id.empty()) return true;
        skip_space(r);
        if (r.at >= r.s.size() || r.s[r.at] != '[')
            return fail(r, "sgf: property " + id + " has no value");
        while (r.at < r.s.size() && r.s[r.at] == '[') {
            std::string v;
            if (!read_value(r, v)) return false;
            if ((id == "B" || id == "W") && !read_move(r, id[0], v, g)) return false;
            if (id == "SZ" && !read_size(r, v, g)) return false;
            skip_space(r);
        }
    }
}

// A game tree from its '('; only its main line goes into `g`.
bool read_tree(sgf_reader &r, game_record *g, int depth) {
    if (depth > MAX_NESTING) return fail(r, "sgf: variations nested too deep");
    r.at++; // '('
    bool first_subtree = true;
    for (;;) {
        skip_space(r);
        if (r.at >= r.s.size()) return fail(r, "sgf: a game is not closed by ')'");
        char c = r.s[r.at];
        if (c == ')') {
            r.at++;
            return true;
        }
        if (c == ';') {
            if (!read_node(r, g)) return false;
        } else if (c == '(') {
            if (!read_tree(r, first_subtree ? g : nullptr, depth + 1)) return false;
            first_subtree = false;
        } else {
            return fail(r, std::string("sgf: unexpected '") + c + "'");
        }
    }
}

} // namespace

bool read_sgf(const std::string &text, int index, game_record &out, std::string &error) {
    sgf_reader r{text, 0, "", 0};
    out.size = 0;
    out.count = 0;
    int games = 0;
    for (;;) {
        skip_space(r);
        if (r.at >= text.size()) break;
        if (text[r.at] != '(') {
            error = "sgf: expected '(' at the start of a game";
            return false;
        }
        games++;
        if (!read_tree(r, games == index ? &out : nullptr, 0)) {
            error = r.error;
            return false;
        }
    }
    if (games < index || index < 1) {
        error = "sgf: no game " + std::to_string(index) + " (the file holds " +
                std::to_string(games) + ")";
        return false;
    }
    return true;
}

bool read_board_lines(const std::string &text, game_record &out, std::string &error) {
    out.size = 0;
    out.count = 0;
    int ref = 0;
    size_t start = 0;
    for (int line_no = 1; start < text.size(); line_no++) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
            line.pop_back();
        if (line.empty() || line == "BOARD" || line == "DONE") continue;
        int x, y, k;
        char tail;
        if (std::sscanf(line.c_str(), "%d,%d,%d%c", &x, &y, &k, &tail) != 3) {
            error =
                "board line " + std::to_string(line_no) + ": expected x,y,k, got '" + line + "'";
            return false;
        }
        if (out.count >= BOARD_CELLS) {
            error = "board: more stones than squares";
            return false;
        }
        if (out.count == 0) ref = k;
        out.stones[out.count++] = {x, y, k == ref ? 1 : -1};
    }
    return true;
}

bool check_record(const game_record &g, int dim, std::string &error) {
    static int seen[BOARD_CELLS];
    for (int &c : seen) c = 0;
    for (int i = 0; i < g.count; i++) {
        const placed_stone &s = g.stones[i];
        const std::string what = "move " + std::to_string(i + 1) + " (" + std::to_string(s.x) +
                                 "," + std::to_string(s.y) + ")";
        if (s.x < 0 || s.x >= dim || s.y < 0 || s.y >= dim) {
            error = what + " is off the " + std::to_string(dim) + " x " + std::to_string(dim) +
                    " board";
            return false;
        }
        if (seen[cell(s.x, s.y)]) {
            error = what + " is on an occupied square";
            return false;
        }
        seen[cell(s.x, s.y)] = 1;
    }
    return true;
}
