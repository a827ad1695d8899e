// Games through the protocol: opening, turns, positions, settings, and their refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_pipe.h"

namespace {

bool starts_with(const std::string &s, const char *prefix) {
    return s.rfind(prefix, 0) == 0;
}

// A BOARD block from "x,y,k" lines.
std::string board(const std::vector<std::string> &stones) {
    std::string s = "BOARD\n";
    for (const std::string &st : stones) s += st + "\n";
    return s + "DONE\n";
}

// Four stones of the first colour on row y=7 (x 3..6), three of the other far away.
const std::vector<std::string> open_four = {"3,7,1", "10,10,2", "4,7,1", "10,11,2",
                                            "5,7,1", "10,12,2", "6,7,1"};

TEST(ProtocolBegin, PlaysTheCentreAfterTheBenchmark) {
    lines r = replies("START 15 BEGIN");
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[0], "OK");
    EXPECT_EQ(r[1], "MESSAGE Level... 0");
    EXPECT_TRUE(starts_with(r[2], "MESSAGE Val... ")) << r[2];
    EXPECT_TRUE(starts_with(r[3], "MESSAGE Nods per sec... ")) << r[3];
    EXPECT_TRUE(starts_with(r[4], "MESSAGE Level... ")) << r[4];
    EXPECT_EQ(r[5], "7,7");
}

TEST(ProtocolBegin, CentreDependsOnTheBoardSide) {
    struct {
        int side;
        const char *centre;
    } cases[] = {{15, "7,7"}, {16, "7,7"}, {17, "8,8"}, {18, "8,8"}, {19, "9,9"}, {20, "9,9"}};
    for (const auto &c : cases) {
        std::string script = "START " + std::to_string(c.side) + "\nINFO timeout_turn 0\nBEGIN";
        EXPECT_EQ(answers(script), (lines{"OK", c.centre})) << c.side;
    }
}

TEST(ProtocolBegin, IsRefusedWithoutAFreshBoard) {
    EXPECT_EQ(answers("BEGIN ABOUT"), (lines{not_initialized, answers("ABOUT")[0]}));
    EXPECT_EQ(answers(quick15 + "BEGIN\nBEGIN"), (lines{"OK", "7,7", not_initialized}));
    // A RESTART before any START leaves no board to play on.
    EXPECT_EQ(answers("RESTART\nBEGIN"), (lines{"OK", not_initialized}));
}

TEST(ProtocolBegin, TimeoutTurnZeroFixesLevelZeroUntilTheNextStart) {
    EXPECT_EQ(replies(quick15 + "BEGIN"), (lines{"OK", "MESSAGE Level... 0", "7,7"}));
    // Before START it does not spare the benchmark, which then picks level 0.
    lines r = replies("INFO timeout_turn 0\nSTART 15\nBEGIN");
    ASSERT_EQ(r.size(), 7u);
    EXPECT_EQ(r[5], "MESSAGE Level... 0");
    EXPECT_EQ(r[6], "7,7");
}

TEST(ProtocolTurn, OpponentOpensAndEngineAnswers) {
    lines r = answers(quick15 + "TURN 7,7\nBEGIN");
    ASSERT_EQ(r.size(), 3u);
    EXPECT_TRUE(is_move(r[1])) << r[1];
    EXPECT_NE(r[1], "7,7");
    EXPECT_EQ(r[2], not_initialized); // the game is under way
}

TEST(ProtocolTurn, RefusalsAndTheirLines) {
    // Occupied square: no move follows, the rest of the line is read as commands.
    lines r = answers(quick15 + "TURN 7,7\nTURN 7,7 RESTART");
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[2], "ERROR position (7,7) isn't free.");
    EXPECT_EQ(r[3], "OK");
    // Off the board: the rest of the line is dropped.
    EXPECT_EQ(answers(quick15 + "TURN 15,3 RESTART\nTURN -1,0"),
              (lines{"OK", "ERROR Position (15,3) is out of board.",
                     "ERROR Position (-1,0) is out of board."}));
    // No comma right after x, or a missing number.
    EXPECT_EQ(answers(quick15 + "TURN 7 ,7 RESTART\nTURN a,b"),
              (lines{"OK", "ERROR i/o value", "ERROR i/o value"}));
    // Before any START.
    EXPECT_EQ(answers("TURN 7,7 RESTART"), (lines{not_initialized}));
}

TEST(ProtocolTurn, CoordinatesMaySpanLines) {
    lines r = answers(quick15 + "TURN\n7,\n7");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_TRUE(is_move(r[1])) << r[1];
}

TEST(ProtocolBoard, FirstListedStoneIsTheFirstColourAndParityGivesTheEngineSide) {
    // Eight stones: the engine plays the first colour and completes its five at once,
    // whatever the third numbers are, and without a search.
    std::vector<std::string> eight = open_four;
    eight.push_back("0,0,2");
    EXPECT_EQ(replies(quick15 + board(eight)), (lines{"OK", "MESSAGE Level... 0", "2,7"}));
    std::vector<std::string> relabelled = {"3,7,5", "10,10,9", "4,7,5", "10,11,9",
                                           "5,7,5", "10,12,9", "6,7,5", "0,0,9"};
    EXPECT_EQ(answers(quick15 + board(relabelled)), (lines{"OK", "2,7"}));
    // Seven stones: the engine plays the second colour; the open four cannot be stopped,
    // so it blocks one end at once.
    EXPECT_EQ(answers(quick15 + board(open_four)), (lines{"OK", "2,7"}));
}

TEST(ProtocolBoard, BadLinesAreAnsweredAndTheReadingGoesOn) {
    EXPECT_EQ(answers(quick15 + "BOARD\n7,7\nEND\nDone\n20,3,1\n3,7,1\n3,7,2\nD ONE"),
              (lines{"OK", "ERROR bad values", "ERROR bad values",
                     "ERROR Unknown terminate. Use DONE.", "ERROR Position (20,3) is out of board.",
                     "ERROR Position (3,7) isn't free.", answers(quick15 + board({"3,7,1"}))[1]}));
    // D at the end of a line with ONE on the next ends the position too.
    lines r = answers(quick15 + "BOARD\n7,7,1\nD\nONE");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_TRUE(is_move(r[1])) << r[1];
}

TEST(ProtocolBoard, IsRefusedOutsideAFreshBoard) {
    EXPECT_EQ(answers("BOARD ABOUT\n7,7,1\nDONE"),
              (lines{not_initialized, "UNKNOWN command '7,7,1'", "UNKNOWN command 'DONE'"}));
    lines r = answers(quick15 + board({"7,7,1"}) + "BOARD\nBEGIN");
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[2], not_initialized);
    EXPECT_EQ(r[3], not_initialized);
}

TEST(ProtocolBoard, EmptyPositionResigns) {
    engine_run run = run_engine(quick15 + "BOARD\nDONE\nABOUT\n");
    EXPECT_EQ(lines_of(run.out), (lines{"OK", "MESSAGE Level... 0", "MESSAGE Resign..."}));
    EXPECT_EQ(run.exit_code, 0);
    // A RESTART before any START gives a board of side 0: every stone is off it.
    run = run_engine("RESTART\nBOARD\n7,7,1\nDONE\n");
    EXPECT_EQ(lines_of(run.out),
              (lines{"OK", "ERROR Position (7,7) is out of board.", "MESSAGE Resign..."}));
    EXPECT_EQ(run.exit_code, 0);
}

TEST(ProtocolBoard, NewGameOnASmallerBoardIgnoresOldStones) {
    // Stones left outside 15 x 15 after a game on 20 x 20 are never seen again.
    std::string first = "START 20\nINFO timeout_turn 0\n" + board({"17,17,1", "18,18,2"});
    engine_run run = run_engine(first + quick15 + "BOARD\nDONE\n");
    lines out = lines_of(run.out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), "MESSAGE Resign...");
}

TEST(ProtocolInfo, EveryKeyAndItsReplies) {
    EXPECT_EQ(replies("INFO timeout_match 300000\nINFO time_left 100\nINFO max_memory 83886080\n"
                      "INFO game_type 1 ABOUT\nINFO folder /tmp/x ABOUT\nINFO rule 0\nINFO rule 1"),
              lines{});
    EXPECT_EQ(
        replies("INFO evaluate 1 ABOUT\nINFO rule 2 RESTART"),
        (lines{"MESSAGE Unknown key 'evaluate'", "MESSAGE Unknown value '2' in key 'rule'", "OK"}));
    EXPECT_EQ(
        replies("INFO rule x\nINFO timeout_turn y"),
        (lines{"ERROR i/o value", "MESSAGE Unknown value '-1' in key 'rule'", "ERROR i/o value"}));
}

TEST(ProtocolInfo, RuleDecidesWhetherSixWins) {
    // The first colour has x 1..4 and 6 on row 7, its other end blocked: 5,7 makes six.
    std::vector<std::string> six = {"1,7,1",   "0,7,2", "2,7,1",   "10,10,2", "3,7,1",
                                    "10,12,2", "4,7,1", "12,10,2", "6,7,1",   "12,12,2"};
    EXPECT_EQ(answers(quick15 + "INFO rule 0\n" + board(six)), (lines{"OK", "5,7"}));
    lines r = answers(quick15 + "INFO rule 1\n" + board(six));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_NE(r[1], "5,7");
    // An unknown value keeps the rule as it was.
    EXPECT_EQ(answers(quick15 + "INFO rule 0\nINFO rule 7\n" + board(six)),
              (lines{"OK", "MESSAGE Unknown value '7' in key 'rule'", "5,7"}));
}

} // namespace
