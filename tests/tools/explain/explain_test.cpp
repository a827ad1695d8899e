// The explainer driven as a user runs it, through its files and pipes: its numbers are the
// engine's own, its pictures are well-formed SVG with a marker per candidate and a stone
// per move, games written by the match runner read back move for move, and bad input gets
// one line and status 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine_proc.h"
#include "positions.h"
#include "search/classic/alphabeta.h"
#include "search/classic/root.h"
#include "search/mode.h"

#ifdef BRUSK_HAVE_EXPAT
#include <expat.h>
#endif

namespace {

std::string scratch_path(const std::string &name) {
    return testing::TempDir() + std::to_string(getpid()) + "_" + name;
}

std::string file_text(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A bench position as BOARD lines, in playing order, the first stone's k marking its colour.
std::string board_lines(const bench_position &p) {
    std::string lines;
    std::istringstream moves(p.moves);
    std::string m;
    for (int i = 0; moves >> m; i++)
        lines += std::to_string(m[0] - 'a') + "," + std::to_string(std::stoi(m.substr(1)) - 1) +
                 "," + (i % 2 ? "2" : "1") + "\n";
    return lines;
}

engine_run explain(const std::vector<std::string> &args, const std::string &input = "") {
    return run_program(BRUSK_EXPLAIN, args, input, 300);
}

std::vector<std::string> position_args(const bench_position &p, int level) {
    return {"--size",  std::to_string(p.dim), "--rule", std::to_string(p.rule),
            "--level", std::to_string(level)};
}

// The words of the first report line that starts with `prefix`, after it.
std::vector<std::string> words_after(const std::string &out, const std::string &prefix) {
    std::istringstream in(out);
    std::vector<std::string> words;
    for (std::string line; std::getline(in, line);) {
        if (line.compare(0, prefix.size(), prefix) != 0) continue;
        std::istringstream rest(line.substr(prefix.size()));
        for (std::string w; rest >> w;) words.push_back(w);
        break;
    }
    return words;
}

// The candidate rows of the report: square and tag name, in order.
std::vector<std::string> reported_candidates(const std::string &out) {
    std::vector<std::string> rows;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        std::istringstream row(line);
        int number;
        std::string square, tag, last;
        if (!(row >> number >> square >> tag)) continue;
        for (std::string w; row >> w;) last = w;
        if (last == "ordinary" || last == "forced") rows.push_back(square + " " + tag);
    }
    return rows;
}

std::string signed_text(int v) {
    char text[16];
    std::snprintf(text, sizeof text, v > 0 ? "+%d" : "%d", v);
    return text;
}

std::string tag_word(int tag) {
    const std::map<int, std::string> words = {{3, "five"},     {-3, "lost"},  {2, "attack"},
                                              {-2, "defence"}, {1, "threat"}, {-1, "threat-"},
                                              {0, "quiet"}};
    return words.at(tag);
}

// The list, the static score, the move, value and nodes are what the engine's own calls
// give on the same position; a found win or loss's line runs to the five.
TEST(Explain, BenchPositionsGiveTheEnginesNumbers) {
    static int board[BOARD_CELLS];
    static move_list list;
    message_sink = [](const char *) {}; // the in-process engine's MESSAGE lines
    for (const bench_position &p : bench_suite) {
        SCOPED_TRACE(p.name);
        engine_run run = explain(position_args(p, 4), board_lines(p));
        ASSERT_EQ(run.exit_code, 0) << run.err;

        int side = set_up_bench(board, p, 4);
        int score = 0;
        int n = generate_moves(board, side, 0, list, &score, TAG_ROOT);
        std::vector<std::string> expected;
        for (int i = 0; i < n; i++)
            expected.push_back(std::string(move_name(list.rec[i].x, list.rec[i].y)) + " " +
                               tag_word(list.rec[i].tag));
        EXPECT_EQ(reported_candidates(run.out), expected);
        if (n > 1) {
            EXPECT_NE(run.out.find("Static score: " + signed_text(score)), std::string::npos);
        }

        square s = choose_move(board, side);
        // "Chosen: h8  value +27  nodes 1234 ..." and "Principal line (N plies, ...): h8 ..."
        const std::vector<std::string> chosen = words_after(run.out, "Chosen: ");
        ASSERT_GE(chosen.size(), 5u);
        EXPECT_EQ(chosen[0], move_name(s.x, s.y));
        EXPECT_EQ(std::stoi(chosen[2]), report.value);
        EXPECT_EQ(std::stoi(chosen[4]), report.nodes);
        const std::vector<std::string> line = words_after(run.out, "Principal line (");
        ASSERT_GE(line.size(), 10u); // "N", "plies,", "as far as the tree holds it):", ...
        EXPECT_EQ(line[9], move_name(s.x, s.y));
        if (std::abs(report.value) > FOUND_WIN) {
            EXPECT_EQ(std::stoi(line[0]), WIN - std::abs(report.value) + 1);
        }
    }
}

// The deep view is the deep engine's own: the same iterations, the same move and value as
// pbrain-brusk-deep says them for the same position at the same depth through the protocol.
TEST(Explain, DeepViewIsTheDeepEnginesOwn) {
    for (const char *name : {"midgame 15", "corner attack 20", "renju midgame 15"}) {
        SCOPED_TRACE(name);
        const bench_position &p = bench_named(name);
        std::vector<std::string> args = position_args(p, 0);
        args.insert(args.end(), {"--deep", "4"});
        engine_run run = explain(args, board_lines(p));
        ASSERT_EQ(run.exit_code, 0) << run.err;
        const std::string script = "START " + std::to_string(p.dim) + "\nINFO rule " +
                                   std::to_string(p.rule) +
                                   "\nINFO timeout_turn 0\nINFO timeout_match 0\nINFO "
                                   "max_depth 4\nBOARD\n" +
                                   board_lines(p) + "DONE\nEND\n";
        engine_run deep = run_program(BRUSK_DEEP_ENGINE, {}, script, 300);
        ASSERT_EQ(deep.exit_code, 0) << deep.err;
        int iterations = 0, x = -1, y = -1;
        std::string value;
        std::istringstream lines(deep.out);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream words(line);
            std::string first, key;
            words >> first >> key;
            if (first == "MESSAGE" && key == "depth") {
                iterations++;
                int depth;
                words >> depth >> key >> value;
                const std::vector<std::string> row =
                    words_after(run.out, "  depth " + std::string(depth < 10 ? " " : "") +
                                             std::to_string(depth) + " ");
                ASSERT_GE(row.size(), 2u) << line;
                EXPECT_EQ(std::stoi(row[1]), std::stoi(value)) << line;
            } else if (std::sscanf(line.c_str(), "%d,%d", &x, &y) == 2) {
                break;
            }
        }
        EXPECT_GE(iterations, 1);
        const std::vector<std::string> chosen = words_after(run.out, "Chosen: ");
        ASSERT_GE(chosen.size(), 1u);
        EXPECT_EQ(chosen[0], move_name(x, y));
    }
}

#ifdef BRUSK_HAVE_EXPAT
// Elements by class, and the root's size, of a well-formed SVG document.
struct svg_facts {
    bool well_formed = false;
    std::map<std::string, int> classes;
    int width = 0, height = 0;
};

svg_facts parse_svg(const std::string &text) {
    svg_facts f;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &f);
    XML_SetStartElementHandler(parser, [](void *data, const XML_Char *name, const XML_Char **at) {
        svg_facts &facts = *static_cast<svg_facts *>(data);
        for (int i = 0; at[i]; i += 2) {
            const std::string key = at[i];
            if (key == "class") facts.classes[at[i + 1]]++;
            if (std::string(name) == "svg" && key == "width") facts.width = std::stoi(at[i + 1]);
            if (std::string(name) == "svg" && key == "height") facts.height = std::stoi(at[i + 1]);
        }
    });
    f.well_formed = XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) != 0;
    XML_ParserFree(parser);
    return f;
}

// The width and height a PNG's header gives.
[[maybe_unused]] std::pair<int, int> png_size(const std::string &png) {
    auto word = [&](size_t at) {
        int v = 0;
        for (size_t i = at; i < at + 4 && i < png.size(); i++)
            v = v << 8 | static_cast<unsigned char>(png[i]);
        return v;
    };
    return {word(16), word(20)};
}

void expect_renders(const std::string &svg_path, const svg_facts &f) {
#ifdef BRUSK_RSVG
    const std::string png = svg_path + ".png";
    engine_run r = run_program(BRUSK_RSVG, {svg_path, "-o", png}, "", 120);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(png_size(file_text(png)), std::make_pair(f.width, f.height));
    std::remove(png.c_str());
#else
    (void)svg_path;
    (void)f;
#endif
}

TEST(Explain, PicturesAreWellFormedAndComplete) {
    const std::string svg = scratch_path("explain.svg");
    for (const char *name : {"defence 15", "crowded 20", "renju forbidden 15"}) {
        SCOPED_TRACE(name);
        const bench_position &p = bench_named(name);
        std::vector<std::string> args = position_args(p, 2);
        args.insert(args.end(), {"--svg", svg});
        engine_run run = explain(args, board_lines(p));
        ASSERT_EQ(run.exit_code, 0) << run.err;
        svg_facts f = parse_svg(file_text(svg));
        ASSERT_TRUE(f.well_formed);
        EXPECT_EQ(f.classes["candidate"], static_cast<int>(reported_candidates(run.out).size()));
        EXPECT_EQ(f.classes["stone"],
                  static_cast<int>(std::count(p.moves, p.moves + std::strlen(p.moves), ' ')) + 1);
        EXPECT_EQ(f.classes["chosen"], 1);
        const std::vector<std::string> line = words_after(run.out, "Principal line (");
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(f.classes["pv"], std::stoi(line[0]) - 1);
        EXPECT_EQ(f.classes["forbidden"], words_after(run.out, "Forbidden for x (renju):").size());
        expect_renders(svg, f);
    }
    std::remove(svg.c_str());
}
#endif

// Games the match runner wrote: every move read back, in order, by --index; then the
// chart holds a point per valued position.
TEST(Explain, MatchRunnerGamesReadBack) {
    const std::string sgf = scratch_path("explain_games.sgf");
    engine_run match = run_program(BRUSK_SELFPLAY,
                                   {BRUSK_ENGINE, "--games", "2", "--level0", "--openings",
                                    BRUSK_OPENINGS, "--sgf", sgf, "--quiet"},
                                   "", 300);
    ASSERT_EQ(match.exit_code, 0) << match.out;
    const std::string text = file_text(sgf);
    for (int index = 1; index <= 2; index++) {
        // The game's moves as the file holds them.
        size_t from = 0;
        for (int k = 0; k < index; k++) from = text.find("(;", from) + 1;
        const std::string game = text.substr(from, text.find(')', from) - from);
        std::vector<std::string> written;
        for (size_t at = game.find('['); at != std::string::npos; at = game.find('[', at + 1))
            if ((game[at - 1] == 'B' || game[at - 1] == 'W') && game[at - 2] == ';')
                written.push_back(move_name(game[at + 1] - 'a', game[at + 2] - 'a'));

        const std::string svg = scratch_path("explain_chart.svg");
        engine_run run = explain(
            {sgf, "--game", "--level", "0", "--index", std::to_string(index), "--svg", svg});
        ASSERT_EQ(run.exit_code, 0) << run.err;
        std::vector<std::string> read;
        int valued = 0;
        std::istringstream in(run.out);
        for (std::string line; std::getline(in, line);) {
            // " move  stone  value  reply": "   12  o f9   +34  g10"
            std::istringstream row(line);
            int number;
            std::string colour, square, value;
            if (!(row >> number >> colour >> square >> value) || (colour != "x" && colour != "o"))
                continue;
            read.push_back(square);
            valued += value != "-";
        }
        EXPECT_GT(written.size(), 8u);
        EXPECT_EQ(read, written);
#ifdef BRUSK_HAVE_EXPAT
        svg_facts f = parse_svg(file_text(svg));
        EXPECT_TRUE(f.well_formed);
        EXPECT_EQ(f.classes["point"], valued);
        expect_renders(svg, f);
#endif
        std::remove(svg.c_str());
    }
    std::remove(sgf.c_str());
}

// Bad input of every kind: one line on standard error, nothing on standard output, status 2.
TEST(Explain, BadInputGetsOneLineAndStatusTwo) {
    const struct {
        const char *input;
        std::vector<std::string> args;
        const char *reason;
    } cases[] = {
        {"(;SZ[15];B[hh];W[hz])", {}, "off the 15 x 15 board"},
        {"(;SZ[15];B[hh];W[h])", {}, "bad coordinates 'h'"},
        {"(;SZ[15];B[hh];W[hh])", {}, "occupied"},
        {"(;SZ[21];B[hh])", {}, "outside 15..20"},
        {"(;SZ[14];B[hh])", {}, "outside 15..20"},
        {"(;SZ[15];B[hh]", {}, "not closed"},
        {"(;SZ[15]C[a comment never closed", {}, "not closed"},
        {"(;SZ[15];B[hh])", {"--index", "2"}, "no game 2"},
        {"(;SZ[15];B[hh])", {"--move", "3"}, "the game has 1 moves"},
        {"7,7,1\nseven,8,2\n", {}, "expected x,y,k"},
        {"7,7,1\n", {"--rule", "3"}, "rules 0, 1 and 4"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.input);
        engine_run run = explain(c.args, c.input);
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    }
    // Variations nested past any sensible depth are refused, not recursed into.
    engine_run deep = explain({}, std::string(100000, '('));
    EXPECT_EQ(deep.exit_code, 2);
    EXPECT_NE(deep.err.find("nested too deep"), std::string::npos) << deep.err;
}

} // namespace
