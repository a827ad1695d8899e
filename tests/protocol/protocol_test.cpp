// The protocol as a manager sees it: the real engine binary driven through pipes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine_pipe.h"

namespace {

const std::string &about = about_reply;

TEST(ProtocolSession, StartAcceptsSidesFifteenToTwenty) {
    EXPECT_EQ(replies("START 15\nSTART 20"), (lines{"OK", "OK"}));
    EXPECT_EQ(replies("START 14\nSTART 21\nSTART -3"),
              (lines{"ERROR 15 <= dim <= 20", "ERROR 15 <= dim <= 20", "ERROR 15 <= dim <= 20"}));
    EXPECT_EQ(replies("START x\nSTART\n16"), (lines{"ERROR i/o size", "OK"}));
}

TEST(ProtocolSession, InvalidStartKeepsTheBoardSide) {
    // The board stays 20 wide: a stone at 19,19 is still on it and is answered with a move.
    lines r = answers("START 20\nSTART 14\nINFO timeout_turn 0\nTURN 19,19");
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[1], "ERROR 15 <= dim <= 20");
    EXPECT_NE(r[2].rfind("ERROR", 0), 0u) << r[2];
}

TEST(ProtocolSession, WordsAreCaseSensitiveAndUnknownOnesDropTheirLine) {
    EXPECT_EQ(replies("start 15 ABOUT\nHELP\nABOUT"),
              (lines{"UNKNOWN command 'start'", "UNKNOWN command 'HELP'", about}));
}

TEST(ProtocolSession, AboutDiscardsItsLine) {
    EXPECT_EQ(replies("ABOUT START 15\nABOUT"), (lines{about, about}));
}

TEST(ProtocolSession, HelpWritesNineLinesToStandardError) {
    for (const char *word : {"help", "?"}) {
        engine_run run = run_engine(std::string(word) + "\nEND\n");
        EXPECT_EQ(run.out, "");
        lines err = lines_of(run.err);
        ASSERT_EQ(err.size(), 9u) << word;
        EXPECT_EQ(err[0], "START [size]\tPrepare game on board of size 'size'");
        EXPECT_EQ(err[3], "BOARD\tPrepare position (terminte DONE)");
        EXPECT_EQ(err[8], "? or help\tThis help");
    }
    // The rest of the line is read as commands.
    EXPECT_EQ(replies("help ABOUT"), (lines{about}));
}

TEST(ProtocolSession, EndAnswersNothingAndStopsReading) {
    engine_run run = run_engine("END\nABOUT\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exit_code, 0);
}

TEST(ProtocolSession, CommandsAreSeparatedByWhiteSpaceNotLines) {
    EXPECT_EQ(replies("START 15 RESTART\tRESTART\r\nABOUT"), (lines{"OK", "OK", "OK", about}));
}

TEST(ProtocolSession, CarriageReturnLineEndsReadLikeNewlines) {
    EXPECT_EQ(answers("START 15\r\nINFO timeout_turn 0\r\nBOARD\r\n3,7,1\r\n10,10,2\r\n"
                      "4,7,1\r\n10,11,2\r\n5,7,1\r\n10,12,2\r\n6,7,1\r\n0,0,2\r\nDONE\r\n"),
              (lines{"OK", "2,7"}));
}

TEST(ProtocolEndOfInput, LastReplyNamesTheFailedReadAndExitIsClean) {
    struct {
        const char *input;
        const char *last;
    } cases[] = {
        {"", "ERROR i/o command"},
        {"ABOUT\n", "ERROR i/o command"},
        {"START", "ERROR i/o size"},
        {"START 15\nTURN", "ERROR i/o value"},
        {"START 15\nTURN 3,", "ERROR i/o value"},
        {"INFO", "ERROR i/o key"},
        {"INFO rule", "ERROR i/o value"},
        {"START 15\nBOARD\n7,7,1\n", "ERROR bad values"},
        {"START 15\nBOARD\n7,7,1\nD", "ERROR i/o command"},
    };
    for (const auto &c : cases) {
        engine_run run = run_engine(c.input);
        EXPECT_FALSE(run.hung) << c.input;
        EXPECT_EQ(run.exit_code, 0) << c.input;
        lines out = lines_of(run.out);
        ASSERT_FALSE(out.empty()) << c.input;
        EXPECT_EQ(out.back(), c.last) << c.input;
        // One line for the failed read, and nothing after it.
        if (out.size() >= 2) {
            EXPECT_NE(out[out.size() - 2], c.last) << c.input;
        }
    }
}

TEST(ProtocolInput, LongWordsAreCutAndUnknown) {
    std::string word(40, 'A');
    EXPECT_EQ(
        replies(word + " START 15\nSTARTSTARTSTARTSTART\nABOUT"),
        (lines{"UNKNOWN command 'AAAAAAAAAAAAAAA'", "UNKNOWN command 'STARTSTARTSTART'", about}));
    EXPECT_EQ(replies("INFO timeout_turn_but_longer 5\nABOUT"),
              (lines{"MESSAGE Unknown key 'timeout_turn_bu'", about}));
    EXPECT_EQ(replies(quick15 + "BOARD\nDONEDONEDONEDONEDONE\nDONE"),
              (lines{"OK", "MESSAGE Level... 0", "ERROR Unknown terminate. Use DONE.",
                     "MESSAGE Resign..."}));
}

TEST(ProtocolInput, HugeIntegersAreClampedToTheIntRange) {
    EXPECT_EQ(replies("START 99999999999999999999999\nSTART -99999999999999999999"),
              (lines{"ERROR 15 <= dim <= 20", "ERROR 15 <= dim <= 20"}));
    EXPECT_EQ(replies("START 15\nTURN 99999999999999,3\nTURN 3,-99999999999999"),
              (lines{"OK", "ERROR Position (2147483647,3) is out of board.",
                     "ERROR Position (3,-2147483648) is out of board."}));
    EXPECT_EQ(replies("INFO rule 4294967297\nINFO rule 1"),
              (lines{"MESSAGE Unknown value '2147483647' in key 'rule'"}));
}

// Pseudo-random input: raw bytes mixed with pieces of commands, so that the parser's
// deeper paths (BOARD lines, INFO values, TURN coordinates) see garbage too. Every START
// fixes level 0, so the moves it provokes are quick.
std::string garbage(unsigned &state, int pieces) {
    static const char *const fragments[] = {
        "START 15 INFO timeout_turn 0\n",
        "BOARD\n",
        "DONE\n",
        "D",
        "TURN ",
        "INFO ",
        "rule ",
        "timeout_match ",
        ",",
        "7",
        "-",
        "99999999999",
        "\r\n",
        "\n",
        " ",
    };
    std::string bytes;
    for (int i = 0; i < pieces; i++) {
        state = state * 1103515245u + 12345u;
        unsigned r = state >> 16;
        if (r % 3 == 0)
            bytes += fragments[(r / 3) % (sizeof fragments / sizeof *fragments)];
        else
            bytes.push_back(static_cast<char>(r >> 4));
    }
    return bytes;
}

TEST(ProtocolInput, RandomInputNeverCrashesOrHangs) {
    unsigned state = 12345;
    for (int round = 0; round < 30; round++) {
        std::string input = garbage(state, 3000);
        engine_run run = run_engine(input, 60);
        EXPECT_FALSE(run.hung) << round;
        EXPECT_EQ(run.signal, 0) << round;
        EXPECT_EQ(run.exit_code, 0) << round;
        for (const std::string &l : lines_of(run.out)) {
            bool documented = l.rfind("UNKNOWN command '", 0) == 0 || l.rfind("ERROR", 0) == 0 ||
                              l.rfind("MESSAGE", 0) == 0 || l == "OK" || l == about || is_move(l);
            EXPECT_TRUE(documented) << l;
        }
    }
}

} // namespace
