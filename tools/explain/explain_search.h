#pragma once
// What the engine makes of one position, gathered through its own interfaces: the
// generator's candidates and static score, the root search's value of every candidate,
// the chosen move, and the principal line as the transposition tree holds it.
#include "explain_input.h"
#include "movegen/movegen.h"
#include "search/classic/alphabeta.h"
#include "search/classic/root.h"

constexpr int MAX_LINE = REPORT_LINE; // plies of the principal line kept

// One completed iteration of the deep mode, as its MESSAGE line tells it.
constexpr int MAX_ITERATIONS = 64;
struct deep_iteration {
    int depth;
    int value;
    long long nodes;
    int line_len;
    square line[MAX_LINE];
};

// Which part of the generator made the root list: the selection's rules (last_selection),
// or the two cases it does not reach.
constexpr int RULE_NO_CANDIDATE = -1; // nothing to try: the engine plays its fallback
constexpr int RULE_OWN_FIVE = 5;      // the side to move completes five: the one move

struct explanation {
    int dim, rule_number, level; // rule_number as INFO rule takes it
    int board[BOARD_CELLS];
    int stones;         // on the board
    int last_x, last_y; // the last stone; -1 when none
    int side;           // to move: +1 the first colour
    bool game_over;     // the last stone made five: nothing to explain
    // The generator at the root, in the order it returns the candidates.
    move_list list;
    bool own_figures[MAX_MOVES]; // record i holds the side to move's analysis, else the opponent's
    int rule;                    // 0 ordinary selection, 1..4 forced replies, or the RULE_ above
    int static_score, own_sum, opp_sum;
    // The root search (searched false: a lone candidate is played without one).
    bool searched;
    int values[MAX_MOVES]; // value of candidate i, in the order searched
    // The root's window narrows as alpha rises: a later candidate that is no better than
    // the best before it comes back as that best, an upper bound of its own value.
    bool at_most[MAX_MOVES];
    square chosen;
    int value;
    int nodes;
    long tree_peak;
    double seconds;
    int line_len; // the principal line, the chosen move first
    square line[MAX_LINE];
    // Under renju with black to move: the squares black must not play.
    int forbidden_n;
    square forbidden[BOARD_CELLS];
    // The deep mode's view instead of the classic's (deep set; list then stays empty): its
    // depth limit, every iteration it completed, and a solver's win where one was found
    // (vcf_len 0: none): the whole line of a win by fours, or the first threat of a win by
    // threats (by_threats).
    bool deep;
    int depth;
    int iterations;
    deep_iteration iter[MAX_ITERATIONS];
    int vcf_len;
    square vcf[MAX_LINE];
    bool by_threats;
};

// The position of the first `stones` stones of `g` on `board` and in `e` (everything but
// what a search finds); false when the last stone made five, leaving nothing to search.
bool set_up_position(const game_record &g, int stones, int dim, int rule, explanation &e,
                     int *board);

// A fresh engine (reset, the board side and rule given, `level` fixed, no clock) with the
// first `stones` stones of `g`, and the position explained for the side to move. `g` must
// have passed check_record.
void explain_position(const game_record &g, int stones, int dim, int rule, int level,
                      explanation &e);

// Names for the report and the picture.
const char *tag_name(int tag);
const char *rule_name(int rule);

// The five-in-a-row rule of an INFO rule number: "five or more", "exactly five", "renju".
const char *five_rule_name(int rule);
std::string point_class(const point_info &p);
std::string signed_value(int v); // "+12", "0", "-7"
// Root candidate i's value as searched, "<=" before an upper bound.
std::string searched_value(const explanation &e, int i);
