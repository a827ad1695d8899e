// The protocol as a manager sees it: the real engine binary driven through scripts, every
// reply and refusal and the end of input. Garbage input is the fuzz target's (tests/fuzz).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine_proc.h"

namespace {

const std::string about = "name=\"brusk\", version=\"1\", author=\"Vostrel\", "
                          "email=\"brusk-maintainers@example.org\", country=\"CZ\"";
const std::string not_init = "ERROR Board isn't initialized. Use: 'START size'";
const std::string bad_dim = "ERROR 15 <= dim <= 20";
const std::string quick = "START 15\nINFO timeout_turn 0\n"; // level 0 fixed: quick moves
// In an expected reply: MOVE stands for any move "x,y", a line ending in '*' for any line
// that starts with the rest.
const std::string MOVE = "<move>";
// The search's and the benchmark's lines, before their number.
const std::string level_said = "MESSAGE Level... ", value_said = "MESSAGE Val... ",
                  speed_said = "MESSAGE Nods per sec... ";

bool is_move(const std::string &line) {
    int x, y;
    char tail;
    return std::sscanf(line.c_str(), "%d,%d%c", &x, &y, &tail) == 2;
}

bool is_search_message(const std::string &l) {
    return l.starts_with(level_said) || l.starts_with(value_said) || l.starts_with(speed_said);
}

// How a script runs: ended by END, its replies without the benchmark's and the search's
// messages (ANSWERS) or with them (ALL); or with its input just ending (NO_END), all kept.
enum mode { ANSWERS, ALL, NO_END };

using lines = std::vector<std::string>;

// Runs a script through the engine built beside the tests, or the program named by
// BRUSK_TEST_ENGINE (the Windows build under Wine); it must end cleanly. Returns its
// stdout lines.
lines run_script(const std::string &script, mode m = ANSWERS) {
    const char *other = std::getenv("BRUSK_TEST_ENGINE");
    engine_run run = run_program(other && *other ? other : BRUSK_ENGINE, {},
                                 m == NO_END ? script : script + "\nEND\n");
    EXPECT_FALSE(run.hung) << script;
    EXPECT_EQ(run.signal, 0) << script;
    EXPECT_EQ(run.exit_code, 0) << script;
    lines kept;
    std::istringstream out(run.out);
    for (std::string l; std::getline(out, l);)
        if (m != ANSWERS || !is_search_message(l)) kept.push_back(l);
    return kept;
}

// A BOARD block from "x,y,k" lines.
std::string board(const lines &stones) {
    std::string s = "BOARD\n";
    for (const std::string &st : stones) s += st + "\n";
    return s + "DONE\n";
}

// Four stones of the first colour on row y=7 (x 3..6), three of the other far away.
const lines open_four = {"3,7,1", "10,10,2", "4,7,1", "10,11,2", "5,7,1", "10,12,2", "6,7,1"};
// Fours of both colours, each blocked at one end: whoever is to move completes five, the
// first colour at 7,7, the other at 7,10. Ten stones: the first colour is to move.
const lines two_fours = {"3,7,1",  "2,7,2", "4,7,1",  "3,10,2", "5,7,1",
                         "4,10,2", "6,7,1", "5,10,2", "2,10,1", "6,10,2"};
// The first colour has x 1..4 and 6 on row 7, its other end blocked: 5,7 makes six.
const lines six = {"1,7,1",   "0,7,2", "2,7,1",   "10,10,2", "3,7,1",
                   "10,12,2", "4,7,1", "12,10,2", "6,7,1",   "12,12,2"};
// open_four and two_fours with one more stone far away: the other side is to move. And the
// open four as a manager may label it, with any two numbers for the colours.
const lines eight = {"3,7,1", "10,10,2", "4,7,1", "10,11,2", "5,7,1", "10,12,2", "6,7,1", "0,0,2"};
const lines eleven = {"3,7,1", "2,7,2",  "4,7,1",  "3,10,2", "5,7,1", "4,10,2",
                      "6,7,1", "5,10,2", "2,10,1", "6,10,2", "0,0,1"};
const lines relabelled = {"3,7,5", "10,10,9", "4,7,5", "10,11,9",
                          "5,7,5", "10,12,9", "6,7,5", "0,0,9"};

// What graphical managers send: TAKEBACK undoes the last stone, whoever played it, and the
// game goes on with the same colours; RECTSTART starts square boards only.
const std::string not_last = "ERROR Position (7,7) isn't the last move.";
const std::string not_square = "ERROR Only square boards from 15 to 20 are supported.";
const std::string undo = "TAKEBACK 6,6\nTAKEBACK 7,7\n"; // the reply to TURN 7,7, then 7,7

// Black's double three at 7,7, which wins under exactly five: a square black must not play
// under renju (INFO rule 4, silently).
const std::string double_three =
    board({"5,7,1", "0,14,2", "6,7,1", "14,0,2", "7,5,1", "14,14,2", "7,6,1", "0,0,2"});

// A full 15 x 15 board but for three squares, coloured so that no line can become five for
// either side: the engine has no candidate, yet it plays the first free square (x outer, y
// inner) without a search, and the game goes on to a full board.
std::string dead_board() {
    std::string script = quick + "BOARD\n";
    for (int x = 0; x < 15; x++)
        for (int y = 0; y < 15; y++) {
            if ((x == 3 && (y == 5 || y == 9)) || (x == 10 && y == 2)) continue;
            const int colour = (x + 2 * y) / 2 % 2 + 1;
            script +=
                std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(colour) + "\n";
        }
    return script + "DONE\nTURN 3,9\nABOUT";
}

// BEGIN on every side from 15 to 20: the centre square.
std::string begin_every_side() {
    std::string script;
    for (int side = 15; side <= 20; side++)
        script += "START " + std::to_string(side) + "\nINFO timeout_turn 0\nBEGIN\n";
    return script;
}

struct script_case {
    const char *name;
    std::string script;
    lines want;
    mode m = ANSWERS;
};

const script_case script_cases[] = {
    // START: sides 15 to 20; a refused START keeps the side in force.
    {"StartRefusesOtherSides", "START 14\nSTART 21\nSTART -3", {bad_dim, bad_dim, bad_dim}},
    {"StartNeedsANumber", "START x\nSTART\n16", {"ERROR i/o size", "OK"}},
    {"RefusedStartKeepsTheSide",
     "START 20\nSTART 14\nINFO timeout_turn 0\nTURN 19,19",
     {"OK", bad_dim, MOVE}},
    // Words: case-sensitive, separated by white space, not lines; unknown ones, ABOUT
    // and END drop the rest of their line, help does not.
    {"WordsAreCaseSensitive",
     "start 15 ABOUT\nHELP\nABOUT",
     {"UNKNOWN command 'start'", "UNKNOWN command 'HELP'", about}},
    {"AboutDropsItsLine", "ABOUT START 15\nABOUT", {about, about}},
    {"HelpKeepsItsLine", "help ABOUT", {about}},
    {"EndEndsTheProcess", "END\nABOUT", {}},
    {"WhiteSpaceSeparatesWords", "START 15 RESTART\tRESTART\r\nABOUT", {"OK", "OK", "OK", about}},
    {"CarriageReturnsAreWhiteSpace",
     "START 15\r\nINFO timeout_turn 0\r\nBOARD\r\n3,7,1\r\n10,10,2\r\n4,7,1\r\n10,11,2\r\n"
     "5,7,1\r\n10,12,2\r\n6,7,1\r\n0,0,2\r\nDONE\r\n",
     {"OK", "2,7"}},
    // Long words are cut to 15 characters and unknown; huge numbers clamp to int.
    {"LongWordsAreCut",
     std::string(40, 'A') + " START 15\nSTARTSTARTSTARTSTART\nABOUT",
     {"UNKNOWN command 'AAAAAAAAAAAAAAA'", "UNKNOWN command 'STARTSTARTSTART'", about}},
    {"LongKeysAreCut",
     "INFO timeout_turn_but_longer 5\nABOUT",
     {"MESSAGE Unknown key 'timeout_turn_bu'", about}},
    {"LongTerminatorsAreCut",
     quick + "BOARD\nDONEDONEDONEDONEDONE\nDONE",
     {"OK", level_said + "0", "ERROR Unknown terminate. Use DONE.", "7,7"},
     ALL},
    {"HugeSquaresClamp",
     "START 15\nTURN 99999999999999,3\nTURN 3,-99999999999999",
     {"OK", "ERROR Position (2147483647,3) is out of board.",
      "ERROR Position (3,-2147483648) is out of board."}},
    {"HugeValuesClamp",
     "INFO rule 4294967297\nINFO rule 1",
     {"MESSAGE Unknown value '2147483647' in key 'rule'"}},
    // BEGIN: timeout_turn 0 spares the benchmark; only on a fresh board of some side.
    {"BeginPlaysTheCentre", quick + "BEGIN", {"OK", level_said + "0", "7,7"}, ALL},
    // The benchmark before the first move measures the speed and picks the level; a
    // timeout_turn 0 given before START does not spare it, and it then picks level 0.
    {"BenchmarkBeforeTheFirstMove",
     "START 15 BEGIN",
     {"OK", level_said + "0", value_said + "*", speed_said + "*", level_said + "*", "7,7"},
     ALL},
    {"TurnTimeZeroBeforeStartIsNoFixedLevel",
     "INFO timeout_turn 0\nSTART 15 BEGIN",
     {level_said + "0", "OK", level_said + "0", value_said + "*", speed_said + "*",
      level_said + "0", "7,7"},
     ALL},
    {"BeginOnEverySide",
     begin_every_side(),
     {"OK", "7,7", "OK", "7,7", "OK", "8,8", "OK", "8,8", "OK", "9,9", "OK", "9,9"}},
    {"BeginNeedsABoard", "BEGIN ABOUT", {not_init, about}},
    {"BeginOnlyOnAFreshBoard", quick + "BEGIN\nBEGIN", {"OK", "7,7", not_init}},
    {"BeginNeedsASide", "RESTART\nBEGIN", {"OK", not_init}},
    // TURN: the opponent has opened even when the move is refused.
    {"TurnOpensTheGame", quick + "TURN 7,7\nBEGIN", {"OK", MOVE, not_init}},
    {"TurnOnATakenSquare",
     quick + "TURN 7,7\nTURN 7,7 RESTART",
     {"OK", MOVE, "ERROR position (7,7) isn't free.", "OK"}},
    {"TurnOffTheBoard",
     quick + "TURN 15,3 RESTART\nTURN -1,0",
     {"OK", "ERROR Position (15,3) is out of board.", "ERROR Position (-1,0) is out of board."}},
    {"TurnNeedsTwoNumbers",
     quick + "TURN 7 ,7 RESTART\nTURN a,b",
     {"OK", "ERROR i/o value", "ERROR i/o value"}},
    {"TurnNeedsABoard", "TURN 7,7 RESTART", {not_init}},
    {"TurnAcrossLines", quick + "TURN\n7,\n7", {"OK", MOVE}},
    // BOARD: the first listed stone is the first colour, the count gives the engine's
    // side. Eight stones: it completes its five at once, without a search; seven: it
    // blocks one end of the open four.
    {"BoardFiveAtOnce", quick + board(eight), {"OK", level_said + "0", "2,7"}, ALL},
    {"BoardColoursByTheFirstStone", quick + board(relabelled), {"OK", "2,7"}},
    {"BoardBlocksAnOpenFour", quick + board(open_four), {"OK", "2,7"}},
    {"BoardRefusesBadLines",
     quick + "BOARD\n7,7\nEND\nDone\n20,3,1\n3,7,1\n3,7,2\nD ONE",
     {"OK", "ERROR bad values", "ERROR bad values", "ERROR Unknown terminate. Use DONE.",
      "ERROR Position (20,3) is out of board.", "ERROR Position (3,7) isn't free.", "4,6"}},
    {"BoardDoneAcrossLines", quick + "BOARD\n7,7,1\nD\nONE", {"OK", MOVE}},
    {"BoardNeedsABoard",
     "BOARD ABOUT\n7,7,1\nDONE",
     {not_init, "UNKNOWN command '7,7,1'", "UNKNOWN command 'DONE'"}},
    {"BoardOnlyOnAFreshBoard",
     quick + board({"7,7,1"}) + "BOARD\nBEGIN",
     {"OK", MOVE, not_init, not_init}},
    // An empty position gets the centre; a board of side 0 has no square to play.
    {"EmptyBoardGetsTheCentre",
     quick + "BOARD\nDONE\nABOUT",
     {"OK", level_said + "0", "7,7", about},
     ALL},
    {"NoSideNoMove",
     "RESTART\nBOARD\n7,7,1\nDONE\nABOUT",
     {"OK", "ERROR Position (7,7) is out of board.", "MESSAGE Resign...", about}},
    // Stones outside 15 x 15 left from a game on 20 x 20 are never seen again.
    {"SmallerBoardForgetsTheLarger",
     "START 20\nINFO timeout_turn 0\n" + board({"17,17,1", "18,18,2"}) + quick + "BOARD\nDONE",
     {"OK", MOVE, "OK", "7,7"}},
    // INFO: every key; the rule decides whether six wins, an unknown value keeps it.
    {"InfoKeysAreQuiet",
     "INFO timeout_match 300000\nINFO time_left 100\nINFO max_memory 83886080\n"
     "INFO game_type 1 ABOUT\nINFO folder /tmp/x ABOUT\nINFO rule 0\nINFO rule 1",
     {}},
    {"InfoRefusesUnknownKeysAndRules",
     "INFO evaluate 1 ABOUT\nINFO rule 2 RESTART",
     {"MESSAGE Unknown key 'evaluate'", "MESSAGE Unknown value '2' in key 'rule'", "OK"}},
    {"SixWinsUnlessExactlyFive",
     quick + "INFO rule 1\n" + board(six) + quick + "INFO rule 0\n" + board(six),
     {"OK", "11,11", "OK", "5,7"}},
    {"UnknownRuleKeepsTheRule",
     quick + "INFO rule 0\nINFO rule 7\n" + board(six),
     {"OK", "MESSAGE Unknown value '7' in key 'rule'", "5,7"}},
    {"ExactFiveBlackPlaysTheDoubleThree", quick + "INFO rule 1\n" + double_three, {"OK", "7,7"}},
    {"RenjuBlackAvoidsItsForbiddenSquare", quick + "INFO rule 4\n" + double_three, {"OK", "5,6"}},
    {"WhoeverMovesCompletesFive", quick + board(two_fours), {"OK", "7,7"}},
    {"TheOtherColourCompletesFive", quick + board(eleven), {"OK", "7,10"}},
    // At the end of input a failed read is answered once and the exit is clean.
    {"EmptyInput", "", {"ERROR i/o command"}, NO_END},
    {"InputEndsAfterACommand", "ABOUT\n", {about, "ERROR i/o command"}, NO_END},
    {"InputEndsInStart", "START", {"ERROR i/o size"}, NO_END},
    {"InputEndsInTurn", "START 15\nTURN", {"OK", "ERROR i/o value"}, NO_END},
    {"InputEndsInASquare", "START 15\nTURN 3,", {"OK", "ERROR i/o value"}, NO_END},
    {"InputEndsInInfo", "INFO", {"ERROR i/o key"}, NO_END},
    {"InputEndsInAValue", "INFO rule", {"ERROR i/o value"}, NO_END},
    {"InputEndsInABoard", "START 15\nBOARD\n7,7,1\n", {"OK", "ERROR bad values"}, NO_END},
    {"InputEndsInDone", "START 15\nBOARD\n7,7,1\nD", {"OK", "ERROR i/o command"}, NO_END},
    {"ValuesMustBeNumbers",
     "INFO rule x\nINFO timeout_turn y",
     {"ERROR i/o value", "MESSAGE Unknown value '-1' in key 'rule'", "ERROR i/o value"}},
    // TAKEBACK and RECTSTART.
    {"TakebackUndoesBothColours",
     quick + "TURN 7,7\n" + undo + "TURN 7,7",
     {"OK", "6,6", "OK", "OK", "6,6"}},
    {"TakebackOnlyTheLastStone",
     quick + "TURN 7,7\nTAKEBACK 7,7 ABOUT\n" + undo + "TAKEBACK 7,7\nTAKEBACK x",
     {"OK", "6,6", not_last, "OK", "OK", not_last, "ERROR i/o value"}},
    {"TakebackNeedsAStone",
     "TAKEBACK 7,7 ABOUT\nRESTART\nTAKEBACK 7,7",
     {not_init, "OK", not_last}},
    {"RectstartSquares",
     "RECTSTART 15,15\nRECTSTART 20,20\nRECTSTART 14,14\nRECTSTART 21,21",
     {"OK", "OK", bad_dim, bad_dim}},
    {"RectstartRefusesRectangles",
     "START 20\nRECTSTART 15,16 ABOUT\nRECTSTART x\nINFO timeout_turn 0\nTURN 19,19",
     {"OK", not_square, "ERROR i/o size", MOVE}},
    {"DeadBoardStillGetsAMove", dead_board(), {"OK", level_said + "0", "3,5", "10,2", about}, ALL},
};

// The case's name in gtest's messages.
void PrintTo(const script_case &c, std::ostream *os) {
    *os << c.name;
}

class Script : public testing::TestWithParam<script_case> {};

TEST_P(Script, Replies) {
    const script_case &c = GetParam();
    lines got = run_script(c.script, c.m);
    for (size_t i = 0; i < got.size() && i < c.want.size(); i++) {
        const std::string &w = c.want[i];
        if ((w == MOVE && is_move(got[i])) ||
            (w.ends_with('*') && got[i].starts_with(w.substr(0, w.size() - 1))))
            got[i] = w;
    }
    EXPECT_EQ(got, c.want) << c.script;
}

INSTANTIATE_TEST_SUITE_P(Protocol, Script, testing::ValuesIn(script_cases),
                         [](const testing::TestParamInfo<script_case> &param) {
                             return std::string(param.param.name);
                         });

// Every game of a process has its own clock. A long turn time lets the benchmark pick level
// 4 on any machine; with 3 s left of a 60 s game the clock checks lower it to 3, then to 0;
// the next game is lowered afresh, and a game with ample time keeps the benchmark's level.
TEST(Protocol, EveryGameHasItsOwnClock) {
    const std::string moves = "START 15\nBEGIN\nTURN 8,8\n";
    const std::string short_game = "INFO time_left 3000\n" + moves;
    lines got = run_script("INFO timeout_turn 300000\nINFO timeout_match 60000\n" + short_game +
                               short_game + "INFO time_left 60000\n" + moves,
                           ALL);
    std::string levels; // the levels loaded, game by game
    for (const std::string &l : got) {
        if (l == "OK") levels += "|";
        if (l.starts_with(level_said)) levels += l.substr(level_said.size());
    }
    EXPECT_EQ(levels, "|0430|0430|04") << testing::PrintToString(got);
}

// The README's command table and the engine's `help` list name the same commands.
TEST(Protocol, HelpAndTheReadmeNameTheSameCommands) {
    std::set<std::string> readme, help;
    std::ifstream in(BRUSK_README);
    for (std::string row; std::getline(in, row);) {
        if (!row.starts_with("| `")) continue; // a command's row: "| `WORD ...`, `WORD` | ..."
        std::istringstream cell(row.substr(2, row.find(" |", 2) - 2));
        for (std::string part; std::getline(cell >> std::ws, part, ',');)
            if (part[0] == '`') readme.insert(part.substr(1, part.find_first_of(" `", 1) - 1));
    }
    std::istringstream err(run_program(BRUSK_ENGINE, {}, "help\nEND\n").err);
    for (std::string line; std::getline(err, line);) {
        std::istringstream words(line.substr(0, line.find('\t')));
        for (std::string w; words >> w;)
            if (w != "or" && w[0] != '[') help.insert(w);
    }
    EXPECT_GT(readme.size(), 10u) << BRUSK_README;
    EXPECT_EQ(help, readme);
}

} // namespace
