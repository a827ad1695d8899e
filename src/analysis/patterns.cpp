// Line-pattern tables: the base-3 digits, the packed figures, the tallies and the pattern
// deltas, each filled from the rule it stands for.
#include "analysis/patterns.h"

#include "analysis/window.h"

namespace {

constexpr ternary_table make_ternary() {
    ternary_table t{};
    for (int b = 0; b < 512; b++)
        for (int i = 8; i >= 0; i--) t.v[b] = t.v[b] * 3 + (b >> i & 1);
    return t;
}

constexpr tally_table make_tallies() {
    tally_table t{};
    for (int f = 0; f < 256; f++) t.v[f] = line_tally(f >> 4, f & 15);
    return t;
}

constexpr threat_table make_threat_classes() {
    threat_table t{};
    for (int sum = 0; sum < 512; sum++) t.v[sum] = threat_class(sum);
    return t;
}

constexpr bucket_table make_buckets() {
    bucket_table t{};
    for (int f = 0; f < 256; f++)
        for (int threat = 0; threat < THREAT_CLASSES; threat++)
            t.v[f][threat] =
                static_cast<unsigned char>(rank_bucket(point_info{f >> 4, f & 15, threat, 0, 0}));
    return t;
}

// A cell value as a digit of colour index k's patterns: 0 empty, 1 own, 2 blocked.
constexpr int digit(int v, int k) {
    return v == 0 ? 0 : v == (k == 0 ? 1 : -1) ? 1 : 2;
}

constexpr int pow3[9] = {1, 3, 9, 27, 81, 243, 729, 2187, 6561};

// How colour index k's pattern index of a square changes when the cell at index i of its
// line goes from `old` to `now`: a base-3 digit for cells 1-9, whether the cell is own for
// cells 0 and 10.
constexpr int pattern_delta(int i, int old, int now, int k) {
    if (i == 0 || i == 10) {
        const int own = k == 0 ? 1 : -1;
        return ((now == own) - (old == own)) * INNER_PATTERNS * (i == 0 ? 1 : 2);
    }
    return (digit(now, k) - digit(old, k)) * pow3[i - 1];
}

constexpr int kind_value[VALUE_KINDS] = {0, 1, -1, 2}; // one value of each kind

constexpr delta_table make_deltas() {
    delta_table t{};
    for (int o = 0; o < VALUE_KINDS; o++)
        for (int n = 0; n < VALUE_KINDS; n++)
            for (int k = 0; k < 2; k++)
                for (int i = 0; i < LINE_LEN; i++)
                    t.v[o][n][k][i] = pattern_delta(i, kind_value[o], kind_value[n], k);
    return t;
}

// classify reads the leader off the largest tagged figures; that stands for line_leads
// only while a line leads exactly when its figures are larger.
constexpr bool leads_by_size() {
    for (int f = 0; f < 256; f++)
        for (int g = 0; g < 256; g++)
            if (line_leads(f, g) != (f > g)) return false;
    return true;
}
static_assert(leads_by_size(), "classify's tagged maximum follows line_leads");

} // namespace

constexpr ternary_table ternary = make_ternary();
constexpr tally_table line_tallies = make_tallies();
constexpr threat_table threat_classes = make_threat_classes();
constexpr bucket_table figure_buckets = make_buckets();
constexpr delta_table deltas = make_deltas();

figures_cache pattern_figures;

unsigned char work_out_figures(int exact, int k) {
    unsigned own = (k / INNER_PATTERNS & 1) | (k / INNER_PATTERNS & 2) << 9;
    unsigned blocked = 0;
    for (int i = 1, digits = k % INNER_PATTERNS; i <= 9; i++, digits /= 3) {
        if (digits % 3 == 1) own |= 1u << i;
        if (digits % 3 == 2) blocked |= 1u << i;
    }
    const line_figures lf = scan_line(line_bits{own, blocked, 0}, exact != 0);
    const int f = packed_figures(lf.m, lf.c);
    pattern_figures.f[exact][k] = static_cast<unsigned char>(f + 1);
    return static_cast<unsigned char>(f);
}
