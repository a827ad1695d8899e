#pragma once
// Line classes and square kinds of the deep mode. Every square looks five cells each way
// along each of the four lines; those ten neighbours, seen by one colour as empty, own or
// blocked (the other colour or the edge), are one base-3 code. One rule applied to every code
// gives the class of the line for a stone of that colour put on the square, and the four line
// classes together give the square's kind.
#include <cstdint>

constexpr int LINE_SIDE = 5;      // cells looked at on each side of a square
constexpr int LINE_CODES = 59049; // 3^10 codes of the ten neighbours
constexpr int CODE_EMPTY = 0, CODE_OWN = 1, CODE_BLOCKED = 2;

// What a stone put on the square makes on one line, weakest first.
enum line_class : uint8_t {
    L_NONE,
    L_ONE,        // one more stone makes a two
    L_TWO,        // one more stone makes a three
    L_TWO_OPEN,   // one more stone makes an open three
    L_THREE,      // one more stone makes a four
    L_THREE_OPEN, // one more stone makes an open four
    L_FOUR,       // one more stone makes five, on one square
    L_FOUR_OPEN,  // one more stone makes five, on two or more squares
    L_FIVE,       // five through the square
    L_OVERLINE,   // more than five through the square where only exactly five wins
    LINE_CLASSES
};

// A square's kind for one colour from its four line classes, strongest first in the order
// the search reads them.
enum square_kind : uint8_t {
    K_NONE,
    K_WEAK,       // twos and ones only
    K_THREE,      // a closed three
    K_TWO_TWO,    // two open twos
    K_THREE_OPEN, // one open three
    K_FOUR,       // one four (it may come with closed threes)
    K_DOUBLE_THREE,
    K_FOUR_THREE,
    K_FOUR_OPEN, // an open four, or two fours
    K_FIVE,
    SQUARE_KINDS
};

struct pattern_tables {
    int exact[2];                // the exact-five rule each table was built for
    uint8_t line[2][LINE_CODES]; // line_class by colour index and code
    uint8_t kind[LINE_CLASSES * LINE_CLASSES * LINE_CLASSES * LINE_CLASSES];
    int16_t score[LINE_CLASSES * LINE_CLASSES * LINE_CLASSES * LINE_CLASSES];
    // Under renju, black's combinations that may be forbidden (two fours, two open threes,
    // an overline, a double four on one line): only these ask the renju verdict.
    uint8_t suspect[LINE_CLASSES * LINE_CLASSES * LINE_CLASSES * LINE_CLASSES];
};
extern pattern_tables patterns;

// Builds the tables for the exact-five rule of each colour (exact_black, exact_white); does
// nothing when they were built for it already.
void init_patterns(bool exact_black, bool exact_white);

// Forgets the built tables (process start).
void reset_patterns();

// The code of ten neighbours, cells[0..4] the cells -5..-1 and cells[5..9] the cells +1..+5,
// each CODE_EMPTY, CODE_OWN or CODE_BLOCKED.
int line_code(const int cells[2 * LINE_SIDE]);

// Index of the combination of four line classes.
constexpr int combo_index(int a, int b, int c, int d) {
    return ((a * LINE_CLASSES + b) * LINE_CLASSES + c) * LINE_CLASSES + d;
}
