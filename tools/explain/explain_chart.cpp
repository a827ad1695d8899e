// The value chart of an analysed game: moves across, value up, found wins and losses on
// the edges, the largest swings marked.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "explain_svg.h"

namespace {

constexpr double CW = 880, CH = 440;                 // picture
constexpr double PL = 64, PR = 24, PT = 76, PB = 56; // plot margins
constexpr double EDGE = 18; // band at the top and bottom edges for found wins and losses

struct chart_frame {
    int count;
    int range; // values within +-range fill the plot between the edge bands
    double x(int move) const {
        return PL + (count > 1 ? (move - 1) * (CW - PL - PR) / (count - 1) : 0);
    }
    double y(int v) const {
        const double top = PT, bottom = CH - PB;
        if (v > FOUND_WIN) return top;
        if (v < -FOUND_WIN) return bottom;
        return (top + bottom) / 2 - v * (bottom - top - 2 * EDGE) / (2.0 * range);
    }
};

// The largest ordinary value, rounded up to a whole number of grid steps; *step gets the
// step, about four to a side.
int chart_range(const game_point *points, int count, int *step) {
    int top = 0;
    for (int i = 0; i < count; i++)
        if (points[i].valued && std::abs(points[i].value) <= FOUND_WIN)
            top = std::max(top, std::abs(points[i].value));
    static const int steps[] = {10, 20, 25, 50, 100, 200};
    *step = 200;
    for (int s : steps)
        if (top <= 4 * s) {
            *step = s;
            break;
        }
    const int range = (top + *step - 1) / *step * *step;
    return range > 0 ? range : *step;
}

void draw_axes(std::string &svg, const chart_frame &f, int step) {
    const double right = CW - PR;
    for (int v = -f.range; v <= f.range; v += step) {
        svg_line(svg, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\"/>", PL,
                 f.y(v), right, f.y(v), v == 0 ? "#555" : "#e2e2e2");
        svg_line(svg,
                 "<text x=\"%.1f\" y=\"%.1f\" font-size=\"12\" text-anchor=\"end\" "
                 "fill=\"#333\">%s%d</text>",
                 PL - 6, f.y(v) + 4, v > 0 ? "+" : "", v);
    }
    // The edges: found wins of each colour.
    for (int s = -1; s <= 1; s += 2) {
        const double y = f.y(s * (FOUND_WIN + 1));
        svg_line(svg,
                 "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\" "
                 "stroke-width=\"2\"/>",
                 PL, y, right, y, s > 0 ? "#151515" : "#9a9a9a");
        svg_line(svg,
                 "<text x=\"%.1f\" y=\"%.1f\" font-size=\"12\" text-anchor=\"end\" "
                 "font-weight=\"bold\" fill=\"#333\">%s</text>",
                 PL - 6, y + 4, s > 0 ? "x wins" : "o wins");
    }
    const int every = f.count <= 30 ? 5 : f.count <= 120 ? 10 : 20;
    for (int m = 1; m <= f.count; m++) {
        if (m != 1 && m % every != 0) continue;
        svg_line(svg,
                 "<text x=\"%.1f\" y=\"%.1f\" font-size=\"12\" text-anchor=\"middle\" "
                 "fill=\"#333\">%d</text>",
                 f.x(m), CH - PB + 18, m);
    }
    svg_line(svg,
             "<text x=\"%.1f\" y=\"%.1f\" font-size=\"13\" text-anchor=\"middle\" "
             "fill=\"#333\">move</text>",
             (PL + right) / 2, CH - 12);
}

} // namespace

std::string game_svg(const game_point *points, int count, const int *swings, int swing_count,
                     const std::string &title) {

    int step = 0;
    const chart_frame f{count, chart_range(points, count, &step)};
    std::string svg;
    svg_line(svg,
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
             "viewBox=\"0 0 %.0f %.0f\" font-family=\"%s\">",
             CW, CH, CW, CH, SVG_FONT);
    svg_line(svg, "<rect width=\"100%%\" height=\"100%%\" fill=\"#ffffff\"/>");
    svg_line(svg,
             "<text x=\"%.1f\" y=\"24\" font-size=\"16\" font-weight=\"bold\" fill=\"#222\">%s"
             "</text>",
             PL, title.c_str());
    draw_axes(svg, f, step);
    // The largest swings, behind the values.
    for (int s = 0; s < swing_count; s++) {
        const int m = swings[s];
        const game_point &p = points[m - 1];
        svg_line(svg,
                 "<line class=\"swing\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" "
                 "stroke=\"#e6007e\" stroke-width=\"1.5\" stroke-dasharray=\"5,4\"/>",
                 f.x(m), PT - 4, f.x(m), CH - PB);
        svg_line(svg,
                 "<text x=\"%.1f\" y=\"%.1f\" font-size=\"12\" text-anchor=\"middle\" "
                 "fill=\"#e6007e\">%d: move %d %s</text>",
                 f.x(m), PT - 8 - 14 * (s % 2), s + 1, m, move_name(p.stone.x, p.stone.y));
    }
    std::string line;
    for (int i = 0; i < count; i++) {
        if (!points[i].valued) continue;
        char xy[48];
        std::snprintf(xy, sizeof xy, "%.1f,%.1f ", f.x(i + 1), f.y(points[i].value));
        line += xy;
    }
    // Appended whole: a long game's points overrun svg_line's buffer.
    svg +=
        "<polyline points=\"" + line + "\" fill=\"none\" stroke=\"#1f5fbf\" stroke-width=\"2\"/>\n";
    for (int i = 0; i < count; i++) {
        const game_point &p = points[i];
        if (!p.valued) continue;
        const double x = f.x(i + 1), y = f.y(p.value);
        if (std::abs(p.value) > FOUND_WIN) // a found win or loss: a triangle on the edge
            svg_line(svg, "<path class=\"point\" d=\"M%.1f %.1fl-5 %.1fh10z\" fill=\"%s\"/>", x, y,
                     p.value > 0 ? 8.0 : -8.0, p.value > 0 ? "#151515" : "#9a9a9a");
        else
            svg_line(svg,
                     "<circle class=\"point\" cx=\"%.1f\" cy=\"%.1f\" r=\"3\" fill=\"#1f5fbf\" "
                     "stroke=\"#ffffff\"/>",
                     x, y);
    }
    svg += "</svg>\n";
    return svg;
}
