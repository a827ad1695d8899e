// The one rule that classifies a line, and the tables built from it.
#include "search/deep/patterns.h"

#include <cstring>

pattern_tables patterns;

namespace {

constexpr int pow3(int k) {
    int p = 1;
    for (int i = 0; i < k; i++) p *= 3;
    return p;
}

// The run of own stones through the centre, the centre counted as own.
int centre_run(const int cells[2 * LINE_SIDE]) {
    int run = 1;
    for (int i = LINE_SIDE - 1; i >= 0 && cells[i] == CODE_OWN; i--) run++;
    for (int i = LINE_SIDE; i < 2 * LINE_SIDE && cells[i] == CODE_OWN; i++) run++;
    return run;
}

int code_of(const int cells[2 * LINE_SIDE]) {
    int code = 0;
    for (int i = 0; i < 2 * LINE_SIDE; i++) code += cells[i] * pow3(i);
    return code;
}

// Classification with a memo: 255 marks a code not yet classified.
line_class classify_memo(int cells[2 * LINE_SIDE], bool exact, uint8_t *memo) {
    const int code = code_of(cells);
    if (memo[code] != 255) return static_cast<line_class>(memo[code]);
    line_class result = L_NONE;
    const int run = centre_run(cells);
    if (run == 5 || (run > 5 && !exact)) {
        result = L_FIVE;
    } else if (run > 5) {
        result = L_OVERLINE;
    } else {
        // What one more own stone on each empty cell makes, the centre still counted.
        int fives = 0;
        line_class best = L_NONE;
        for (int i = 0; i < 2 * LINE_SIDE; i++) {
            if (cells[i] != CODE_EMPTY) continue;
            cells[i] = CODE_OWN;
            const line_class child = classify_memo(cells, exact, memo);
            cells[i] = CODE_EMPTY;
            if (child == L_FIVE)
                fives++;
            else if (child != L_OVERLINE && child > best)
                best = child;
        }
        if (fives >= 2)
            result = L_FOUR_OPEN;
        else if (fives == 1)
            result = L_FOUR;
        else if (best == L_FOUR_OPEN)
            result = L_THREE_OPEN;
        else if (best == L_FOUR)
            result = L_THREE;
        else if (best == L_THREE_OPEN)
            result = L_TWO_OPEN;
        else if (best == L_THREE)
            result = L_TWO;
        else if (best >= L_TWO)
            result = L_ONE;
    }
    memo[code] = result;
    return result;
}

void build_line_table(uint8_t *table, bool exact) {
    std::memset(table, 255, LINE_CODES);
    int cells[2 * LINE_SIDE];
    for (int code = 0; code < LINE_CODES; code++) {
        for (int i = 0, c = code; i < 2 * LINE_SIDE; i++, c /= 3) cells[i] = c % 3;
        classify_memo(cells, exact, table);
    }
}

// Value of one line class towards a square's score: what the stone adds to the colour's
// prospects on that line.
constexpr int16_t line_value[LINE_CLASSES] = {0, 1, 4, 10, 12, 40, 45, 200, 1000, 0};

square_kind kind_of(const int count[LINE_CLASSES]) {
    const int fours = count[L_FOUR] + count[L_FOUR_OPEN];
    if (count[L_FIVE]) return K_FIVE;
    if (count[L_FOUR_OPEN] || fours >= 2) return K_FOUR_OPEN;
    if (fours && count[L_THREE_OPEN]) return K_FOUR_THREE;
    if (count[L_THREE_OPEN] >= 2) return K_DOUBLE_THREE;
    if (fours) return K_FOUR;
    if (count[L_THREE_OPEN]) return K_THREE_OPEN;
    if (count[L_TWO_OPEN] >= 2) return K_TWO_TWO;
    if (count[L_THREE]) return K_THREE;
    if (count[L_TWO_OPEN] || count[L_TWO] || count[L_ONE]) return K_WEAK;
    return K_NONE;
}

// Bonus of a kind on top of its lines' values: the threats that win by combination.
constexpr int16_t kind_bonus[SQUARE_KINDS] = {0, 0, 0, 20, 0, 0, 150, 400, 500, 2000};

void build_combo_tables() {
    for (int a = 0; a < LINE_CLASSES; a++)
        for (int b = 0; b < LINE_CLASSES; b++)
            for (int c = 0; c < LINE_CLASSES; c++)
                for (int d = 0; d < LINE_CLASSES; d++) {
                    int count[LINE_CLASSES] = {};
                    count[a]++, count[b]++, count[c]++, count[d]++;
                    const int i = combo_index(a, b, c, d);
                    const square_kind k = kind_of(count);
                    patterns.kind[i] = k;
                    patterns.score[i] =
                        static_cast<int16_t>(line_value[a] + line_value[b] + line_value[c] +
                                             line_value[d] + kind_bonus[k]);
                    const int fours = count[L_FOUR] + count[L_FOUR_OPEN];
                    patterns.suspect[i] =
                        !count[L_FIVE] && (count[L_OVERLINE] || count[L_FOUR_OPEN] || fours >= 2 ||
                                           count[L_THREE_OPEN] >= 2);
                }
}

} // namespace

int line_code(const int cells[2 * LINE_SIDE]) {
    return code_of(cells);
}

void reset_patterns() {
    patterns.exact[0] = patterns.exact[1] = -1;
}

void init_patterns(bool exact_black, bool exact_white) {
    const int want[2] = {exact_black, exact_white};
    if (patterns.exact[0] == want[0] && patterns.exact[1] == want[1]) return;
    for (int i = 0; i < 2; i++) {
        if (i == 1 && want[1] == want[0])
            std::memcpy(patterns.line[1], patterns.line[0], LINE_CODES);
        else
            build_line_table(patterns.line[i], want[i] != 0);
        patterns.exact[i] = want[i];
    }
    build_combo_tables();
}
