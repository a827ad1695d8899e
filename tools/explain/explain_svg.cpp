// The board picture of an explained position. Plain SVG text assembled with fixed-point
// coordinates, so the same explanation always gives the same file.
#include "explain_svg.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void svg_line(std::string &svg, const char *format, ...) {
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    svg += line;
    svg += '\n';
}

namespace {

constexpr double CELL = 32;    // distance between grid lines
constexpr double LEFT = 40;    // room for the row numbers
constexpr double TOP = 62;     // room for the two title lines
constexpr double LEGEND = 300; // width of the legend column

// Marker colours by tag, in the legend's order.
struct tag_colour {
    int tag;
    const char *fill;
};
constexpr tag_colour tag_colours[] = {
    {TAG_FIVE, "#d62728"},  {TAG_ATTACK, "#f07f09"},  {TAG_THREAT, "#2a9d2a"},
    {TAG_QUIET, "#7f7f7f"}, {-TAG_THREAT, "#12a4b5"}, {TAG_DEFENCE, "#1f5fbf"},
    {TAG_LOST, "#8c4fc4"},
};
const char *CHOSEN = "#e6007e";
const char *LAST = "#ff3030";
const char *FORBIDDEN = "#b00020"; // renju: black must not play here

const char *colour_of(int tag) {
    for (const tag_colour &t : tag_colours)
        if (t.tag == tag) return t.fill;
    return "#000000";
}

struct board_frame {
    int dim;
    double cx(int x) const { return LEFT + CELL / 2 + x * CELL; }
    double cy(int y) const { return TOP + CELL / 2 + (dim - 1 - y) * CELL; }
};

void draw_grid(std::string &svg, const board_frame &f) {
    const double side = f.dim * CELL, lo = CELL / 2, hi = side - CELL / 2;
    svg_line(svg,
             "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"#e3bd72\" "
             "stroke=\"#8a6a2e\"/>",
             LEFT, TOP, side, side);
    for (int i = 0; i < f.dim; i++) {
        svg_line(svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#6b4f1d\"/>",
                 LEFT + lo, TOP + lo + i * CELL, LEFT + hi, TOP + lo + i * CELL);
        svg_line(svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#6b4f1d\"/>",
                 LEFT + lo + i * CELL, TOP + lo, LEFT + lo + i * CELL, TOP + hi);
    }
    // Coordinates as the demo prints them: letters for x below, numbers for y on the left.
    for (int i = 0; i < f.dim; i++) {
        svg_line(svg,
                 "<text x=\"%.1f\" y=\"%.1f\" font-size=\"13\" text-anchor=\"middle\" "
                 "fill=\"#333\">%c</text>",
                 f.cx(i), TOP + side + 17, 'a' + i);
        svg_line(svg,
                 "<text x=\"%.1f\" y=\"%.1f\" font-size=\"13\" text-anchor=\"end\" "
                 "fill=\"#333\">%d</text>",
                 LEFT - 7, f.cy(i) + 4.5, i + 1);
    }
}

void draw_stone(std::string &svg, const board_frame &f, int x, int y, int colour) {
    svg_line(svg,
             "<circle class=\"stone\" cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\" fill=\"%s\" "
             "stroke=\"%s\" stroke-width=\"1.2\"/>",
             f.cx(x), f.cy(y), CELL * 0.45, colour == 1 ? "#151515" : "#fafafa",
             colour == 1 ? "#000" : "#555");
}

// A numbered marker: a disc for the side to move's figures, a rounded square for the
// opponent's; the full marker in a square's centre, or a badge in one of its corners when
// the centre is taken.
void draw_marker(std::string &svg, double x, double y, int slot, bool own, const char *fill,
                 int number) {
    static const double corner[4][2] = {{0, 0}, {0.3, -0.3}, {-0.3, -0.3}, {0.3, 0.3}};
    const int k = slot < 4 ? slot : 3;
    const double r = CELL * (k == 0 ? 0.4 : 0.21);
    const double font = r * (number >= 10 ? 0.95 : 1.1);
    x += corner[k][0] * CELL;
    y += corner[k][1] * CELL;
    if (own)
        svg_line(svg,
                 "<g class=\"candidate\"><circle cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\" "
                 "fill=\"%s\" stroke=\"#ffffff\" stroke-width=\"1.2\"/>",
                 x, y, r, fill);
    else
        svg_line(svg,
                 "<g class=\"candidate\"><rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" "
                 "height=\"%.1f\" rx=\"%.1f\" fill=\"%s\" stroke=\"#ffffff\" "
                 "stroke-width=\"1.2\"/>",
                 x - r * 0.9, y - r * 0.9, r * 1.8, r * 1.8, r * 0.35, fill);
    svg_line(svg,
             "<text x=\"%.1f\" y=\"%.1f\" font-size=\"%.1f\" font-weight=\"bold\" "
             "text-anchor=\"middle\" fill=\"#ffffff\">%d</text></g>",
             x, y + font * 0.36, font, number);
}

// A stone of the principal line: smaller than a played stone, see-through and dashed.
void draw_line_stone(std::string &svg, double x, double y, int colour, int number) {
    const bool first = colour == 1;
    svg_line(svg,
             "<g class=\"pv\"><circle cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\" fill=\"%s\" "
             "fill-opacity=\"0.5\" stroke=\"%s\" stroke-width=\"1.5\" "
             "stroke-dasharray=\"3,2\"/>",
             x, y, CELL * 0.4, first ? "#151515" : "#ffffff", first ? "#151515" : "#666666");
    svg_line(svg,
             "<text x=\"%.1f\" y=\"%.1f\" font-size=\"14\" font-weight=\"bold\" "
             "text-anchor=\"middle\" fill=\"%s\">%d</text></g>",
             x, y + 5, first ? "#ffffff" : "#333333", number);
}

// A forbidden square of black under renju, or (cls "key") its sign in the legend.
void draw_cross(std::string &svg, double x, double y, const char *cls = "forbidden") {
    const double r = CELL * 0.22;
    svg_line(svg,
             "<path class=\"%s\" d=\"M%.1f %.1fL%.1f %.1fM%.1f %.1fL%.1f %.1f\" "
             "stroke=\"%s\" stroke-width=\"3\" stroke-linecap=\"round\"/>",
             cls, x - r, y - r, x + r, y + r, x - r, y + r, x + r, y - r, FORBIDDEN);
}

void draw_title(std::string &svg, const explanation &e) {
    const char *who = e.side == 1 ? "x" : "o";
    svg_line(svg,
             "<text x=\"%.1f\" y=\"22\" font-size=\"16\" font-weight=\"bold\" fill=\"#222\">"
             "%s to move, move %d  (%d x %d, %s, %s %d)</text>",
             LEFT, e.game_over ? (e.side == 1 ? "o" : "x") : who, e.stones + 1, e.dim, e.dim,
             five_rule_name(e.rule_number), e.deep ? "deep mode, depth" : "level",
             e.deep ? e.depth : e.level);
    std::string line;
    if (e.game_over)
        line = "the game is over: the last stone made five";
    else if (e.chosen.x >= 0)
        line = std::string("chosen ") + move_name(e.chosen.x, e.chosen.y);
    if (e.searched) line += ", value " + signed_value(e.value);
    if (e.rule >= 0 && e.rule != RULE_OWN_FIVE)
        line += ", static score " + signed_value(e.static_score) + " (own " +
                std::to_string(e.own_sum) + ", opponent " + std::to_string(e.opp_sum) + ")";
    svg_line(svg, "<text x=\"%.1f\" y=\"44\" font-size=\"14\" fill=\"#333\">%s</text>", LEFT,
             line.c_str());
}

// Where the legend writes: its column's left edge and the baseline of the next row.
struct legend_pen {
    std::string &svg;
    double x;
    double y;
};

// One key row's text at `dx` from the column's edge; the next row 18 below.
void key_text(legend_pen &p, double dx, const std::string &text) {
    svg_line(p.svg, "<text x=\"%.1f\" y=\"%.1f\" font-size=\"12\" fill=\"#222\">%s</text>",
             p.x + dx, p.y, text.c_str());
    p.y += 18;
}

// A line of plain text of `size`, `weight` normal or bold.
void legend_text(legend_pen &p, const char *weight, double size, const std::string &s) {
    svg_line(p.svg,
             "<text x=\"%.1f\" y=\"%.1f\" font-size=\"%.1f\" font-weight=\"%s\" "
             "fill=\"#222\">%s</text>",
             p.x, p.y, size, weight, s.c_str());
    p.y += size + 6;
}

// The count of candidates and the rule that chose them.
void legend_heading(legend_pen &p, const explanation &e) {
    legend_text(p, "bold", 14, "Candidates: " + std::to_string(e.list.n));
    std::string rule = rule_name(e.rule);
    if (rule.size() > 34) { // the long forced reply's name, on two lines
        legend_text(p, "normal", 12, rule.substr(0, rule.rfind(' ', 34)));
        legend_text(p, "normal", 12, "    " + rule.substr(rule.rfind(' ', 34) + 1));
    } else {
        legend_text(p, "normal", 12, rule);
    }
    p.y += 4;
}

// The key to the marks the board shows, each only where the board has one.
void legend_keys(legend_pen &p, const explanation &e) {
    std::string &svg = p.svg;
    const double x = p.x;
    for (const tag_colour &t : tag_colours) {
        int count = 0;
        for (int i = 0; i < e.list.n; i++) count += e.list.rec[i].tag == t.tag;
        if (count == 0) continue;
        svg_line(svg, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"7\" fill=\"%s\"/>", x + 7, p.y - 4,
                 t.fill);
        key_text(p, 20, std::string(tag_name(t.tag)) + " (" + std::to_string(count) + ")");
    }
    if (e.list.n > 0) {
        const char *mover = e.side == 1 ? "x" : "o", *other = e.side == 1 ? "o" : "x";
        svg_line(svg, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"7\" fill=\"#a0a0a0\"/>", x + 7, p.y - 4);
        key_text(p, 20, std::string("figures of ") + mover + ", to move");
        svg_line(svg,
                 "<rect x=\"%.1f\" y=\"%.1f\" width=\"13\" height=\"13\" rx=\"3\" "
                 "fill=\"#a0a0a0\"/>",
                 x + 0.5, p.y - 10.5);
        key_text(p, 20, std::string("figures of ") + other + ", to stop");
    }
    if (e.chosen.x >= 0) {
        svg_line(svg,
                 "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"7\" fill=\"none\" stroke=\"%s\" "
                 "stroke-width=\"3\"/>",
                 x + 7, p.y - 4, CHOSEN);
        key_text(p, 20, "chosen move");
    }
    if (e.line_len > 1) {
        for (int k = 0; k < 2; k++)
            svg_line(svg,
                     "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"7\" fill=\"%s\" fill-opacity=\"0.5\" "
                     "stroke=\"%s\" stroke-width=\"1.2\" stroke-dasharray=\"2,2\"/>",
                     x + 7 + 17 * k, p.y - 4, k ? "#ffffff" : "#151515", k ? "#666666" : "#151515");
        key_text(p, 37, "principal line 2 to " + std::to_string(e.line_len));
    }
    if (e.forbidden_n > 0) {
        draw_cross(svg, x + 7, p.y - 4, "key");
        key_text(p, 20, "forbidden for x (" + std::to_string(e.forbidden_n) + ")");
    }
    if (e.last_x >= 0) {
        svg_line(svg, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"4\" fill=\"%s\"/>", x + 7, p.y - 4,
                 LAST);
        key_text(p, 20, "last move");
    }
}

// The list itself, with each candidate's value, as far as the column has room.
void legend_list(legend_pen &p, const explanation &e, double bottom) {
    p.y += 8;
    for (int i = 0; i < e.list.n; i++) {
        if (p.y > bottom - 4 && i < e.list.n - 1) {
            legend_text(p, "normal", 12, "... " + std::to_string(e.list.n - i) + " more");
            break;
        }
        const move_rec &r = e.list.rec[i];
        if (e.own_figures[i])
            svg_line(p.svg, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"6\" fill=\"%s\"/>", p.x + 7,
                     p.y - 4, colour_of(r.tag));
        else
            svg_line(p.svg,
                     "<rect x=\"%.1f\" y=\"%.1f\" width=\"11\" height=\"11\" rx=\"2.5\" "
                     "fill=\"%s\"/>",
                     p.x + 1.5, p.y - 9.5, colour_of(r.tag));
        std::string value; // an upper bound with a less-or-equal sign
        if (e.searched) value = (e.at_most[i] ? "&#8804;" : "") + signed_value(e.values[i]);
        svg_line(p.svg,
                 "<text x=\"%.1f\" y=\"%.1f\" font-size=\"12\" fill=\"#222\">%d. %s  %s"
                 "</text>",
                 p.x + 18, p.y, i + 1, move_name(r.x, r.y), point_class(r.info).c_str());
        svg_line(p.svg,
                 "<text x=\"%.1f\" y=\"%.1f\" font-size=\"12\" text-anchor=\"end\" "
                 "fill=\"#222\">%s</text>",
                 p.x + LEGEND - 16, p.y, value.c_str());
        p.y += 16;
    }
}

// The deep mode's iterations, each with its value and its line's first moves, and the
// threat solver's win.
void legend_iterations(legend_pen &p, const explanation &e, double bottom) {
    p.y += 8;
    auto moves = [](const square *line, int n, int most) {
        std::string text;
        for (int i = 0; i < n && i < most; i++) {
            text += ' ';
            text += move_name(line[i].x, line[i].y);
        }
        if (n > most) text += " ...";
        return text;
    };
    if (e.vcf_len > 0)
        legend_text(p, "normal", 12,
                    (e.by_threats ? "win by threats from:" : "win by fours:") +
                        moves(e.vcf, e.vcf_len, 6));
    for (int i = 0; i < e.iterations; i++) {
        if (p.y > bottom - 4 && i < e.iterations - 1) {
            legend_text(p, "normal", 12, "... " + std::to_string(e.iterations - i) + " more");
            break;
        }
        const deep_iteration &it = e.iter[i];
        char head[24];
        std::snprintf(head, sizeof head, "d%d  ", it.depth);
        std::string row = head;
        row += signed_value(it.value);
        row += moves(it.line, it.line_len, 4);
        legend_text(p, "normal", 12, row);
    }
}

void draw_legend(std::string &svg, const explanation &e, double x, double bottom) {
    legend_pen p{svg, x, TOP + 12};
    if (e.deep) {
        legend_text(p, "bold", 14, "Deep mode, depth " + std::to_string(e.depth));
        legend_text(p, "normal", 12,
                    std::to_string(e.iterations) + " iterations, " + std::to_string(e.nodes) +
                        " nodes");
        p.y += 4;
        legend_keys(p, e);
        return legend_iterations(p, e, bottom);
    }
    legend_heading(p, e);
    legend_keys(p, e);
    legend_list(p, e, bottom);
}

} // namespace

std::string board_svg(const explanation &e) {
    const board_frame f{e.dim};
    const double board_bottom = TOP + e.dim * CELL + 28;
    const double width = LEFT + e.dim * CELL + 20 + LEGEND, height = board_bottom + 8;
    std::string svg;
    svg_line(svg,
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
             "viewBox=\"0 0 %.0f %.0f\" font-family=\"%s\">",
             width, height, width, height, SVG_FONT);
    svg_line(svg, "<rect width=\"100%%\" height=\"100%%\" fill=\"#ffffff\"/>");
    draw_title(svg, e);
    draw_grid(svg, f);
    for (int x = 0; x < e.dim; x++)
        for (int y = 0; y < e.dim; y++)
            if (e.board[cell(x, y)] != 0) draw_stone(svg, f, x, y, e.board[cell(x, y)]);
    if (e.last_x >= 0)
        svg_line(svg, "<circle class=\"last\" cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\" fill=\"%s\"/>",
                 f.cx(e.last_x), f.cy(e.last_y), CELL * 0.12, LAST);

    // The principal line beyond the chosen move takes the centres of its squares; the
    // candidates go in the centre of theirs unless it is taken, else into a corner.
    int taken[BOARD_CELLS] = {};
    for (int i = 1; i < e.line_len; i++) {
        const square s = e.line[i];
        draw_line_stone(svg, f.cx(s.x), f.cy(s.y), i % 2 == 0 ? e.side : -e.side, i + 1);
        taken[cell(s.x, s.y)]++;
    }
    // Under renju, the squares black must not play: a red cross each, over a line stone
    // (white may play there); black is never offered one.
    for (int i = 0; i < e.forbidden_n; i++)
        draw_cross(svg, f.cx(e.forbidden[i].x), f.cy(e.forbidden[i].y));
    for (int i = 0; i < e.list.n; i++) {
        const move_rec &r = e.list.rec[i];
        draw_marker(svg, f.cx(r.x), f.cy(r.y), taken[cell(r.x, r.y)]++, e.own_figures[i],
                    colour_of(r.tag), i + 1);
    }
    if (e.chosen.x >= 0)
        svg_line(svg,
                 "<circle class=\"chosen\" cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\" fill=\"none\" "
                 "stroke=\"%s\" stroke-width=\"3.5\"/>",
                 f.cx(e.chosen.x), f.cy(e.chosen.y), CELL * 0.48, CHOSEN);
    draw_legend(svg, e, LEFT + e.dim * CELL + 24, board_bottom);
    svg += "</svg>\n";
    return svg;
}
