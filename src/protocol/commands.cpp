// The command loop and one handler per protocol command. What each command answers is the
// README's command table; command_table below is the loop's (words, handlers and the lines
// `help` prints), and a protocol test holds the two to the same commands.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/game.h"
#include "protocol/protocol.h"
#include "search/deadline.h"
#include "search/mode.h"

namespace {

const char *const not_initialized = "ERROR Board isn't initialized. Use: 'START size'";

// The search the loop drives, set by run_protocol for its whole run.
const search_mode *mode = nullptr;

// START and RESTART: an empty board of the current side, and a new game for the search.
void new_game() {
    clear_board(game.board);
    game.move_count = 0;
    game.status = STATUS_READY;
    mode->new_game();
    say("OK");
}

// BEGIN's move: the centre of the fresh board BEGIN asks for (NOT_FREE should a stone
// stand there).
constexpr int NOT_FREE = -2;
square centre_square(int *board, int) {
    const int c = (game.dim - 1) / 2;
    return board[cell(c, c)] == 0 ? square{c, c} : square{NOT_FREE, NOT_FREE};
}

// A request to move (BEGIN, TURN, BOARD): the deadline armed, the search's set-up before
// the move (the classic's benchmark before its first move of a game), the choice, the
// deadline disarmed, and the answer: the stone put and its square said. Only a board with
// no free square leaves nothing to play.
void request_move(square (*choose)(int *board, int side)) {
    arm_stop();
    mode->before_move();
    const square s = choose(game.board, game.side);
    disarm_stop();
    if (s.x == NOT_FREE) return say("ERROR Board isn't free!");
    if (s.x < 0) return say("MESSAGE Resign...");
    put_stone(s.x, s.y, game.side);
    say("%d,%d", s.x, s.y);
}

// A new game on a board of side n, as START n asks for it.
void start_board(int n) {
    if (n < 15 || n > MAX_DIM) {
        say("ERROR 15 <= dim <= %d", MAX_DIM);
        return skip_line();
    }
    game.dim = n;
    new_game();
}

void cmd_start() {
    int n;
    if (!read_int(&n)) return read_failed("ERROR i/o size");
    start_board(n);
}

// Graphical managers start a board of w x h; the engine plays square boards only.
void cmd_rectstart() {
    int wh[2];
    if (read_ints(wh, 2) < 2) return read_failed("ERROR i/o size");
    if (wh[0] == wh[1]) return start_board(wh[0]);
    say("ERROR Only square boards from 15 to %d are supported.", MAX_DIM);
    skip_line();
}

void cmd_restart() {
    new_game();
}

void cmd_begin() {
    // A RESTART before any START gives status 1 on a board of side 0: no centre to play.
    if (game.status != STATUS_READY || game.dim == 0) return say("%s", not_initialized);
    game.side = +1;
    game.status = STATUS_PLAYS_FIRST;
    request_move(centre_square);
}

void cmd_turn() {
    // The opponent has opened: this stands even if the move is then refused.
    if (game.status == STATUS_READY) {
        game.side = -1;
        game.status = STATUS_PLAYS_SECOND;
    } else if (game.status == STATUS_NO_BOARD) {
        say("%s", not_initialized);
        return skip_line();
    }
    int xy[2];
    if (read_ints(xy, 2) < 2) return read_failed("ERROR i/o value");
    if (!on_board(xy[0], xy[1])) {
        say("ERROR Position (%d,%d) is out of board.", xy[0], xy[1]);
        return skip_line();
    }
    if (game.board[cell(xy[0], xy[1])] != 0) {
        say("ERROR position (%d,%d) isn't free.", xy[0], xy[1]);
        return;
    }
    put_stone(xy[0], xy[1], -game.side);
    request_move(mode->choose);
}

// A person's undo in a graphical manager: the last stone of the record comes off, whoever
// played it; the engine's colour and the game's status stay.
void cmd_takeback() {
    if (game.status == STATUS_NO_BOARD) {
        say("%s", not_initialized);
        return skip_line();
    }
    int xy[2];
    if (read_ints(xy, 2) < 2) return read_failed("ERROR i/o value");
    const int n = game.move_count;
    if (n == 0 || game.history[n][0] != xy[0] || game.history[n][1] != xy[1]) {
        say("ERROR Position (%d,%d) isn't the last move.", xy[0], xy[1]);
        return skip_line();
    }
    take_last_stone();
    mode->take_back(); // what the search found before the undo no longer stands
    say("OK");
}

// Reads the position lines of BOARD up to DONE. Returns false when the input gave no
// word after a D, which abandons the command with the stones read so far.
bool read_position() {
    bool first = true;
    int ref = 0; // third number of the first stone: stones with it are +1, others -1
    for (;;) {
        skip_line();
        int ch = next_nonspace();
        if (ch == 'D') {
            char word[WORD_MAX + 1];
            if (read_word(word) == 0) {
                read_failed("ERROR i/o command");
                return false;
            }
            if (std::strcmp(word, "ONE") == 0) return true;
            say("ERROR Unknown terminate. Use DONE.");
            continue;
        }
        unget_char(ch);
        int v[3];
        if (read_ints(v, 3) < 3) {
            say("ERROR bad values");
            stop_if_input_ended();
            continue;
        }
        if (!on_board(v[0], v[1])) {
            say("ERROR Position (%d,%d) is out of board.", v[0], v[1]);
            continue;
        }
        if (game.board[cell(v[0], v[1])] != 0) {
            say("ERROR Position (%d,%d) isn't free.", v[0], v[1]);
            continue;
        }
        if (first) ref = v[2];
        put_stone(v[0], v[1], first || v[2] == ref ? +1 : -1);
        first = false;
    }
}

void cmd_board() {
    if (game.status != STATUS_READY) {
        say("%s", not_initialized);
        return skip_line();
    }
    if (!read_position()) return;
    // The count of stones says whose turn it is.
    game.side = game.move_count % 2 == 1 ? -1 : +1;
    game.status = game.side == 1 ? STATUS_PLAYS_FIRST : STATUS_PLAYS_SECOND;
    request_move(mode->choose);
}

void info_rule() {
    int v = read_value();
    if (v == 0 || v == 1 || v == RULE_RENJU) {
        // Renju's black needs exactly five: a reader of exact_five alone sees its rule.
        settings.exact_five = v != 0;
        settings.renju = v == RULE_RENJU;
    } else
        say("MESSAGE Unknown value '%ld' in key '%s'", static_cast<long>(v), "rule");
}

struct info_key {
    const char *name;
    void (*apply)();
};

const info_key info_keys[] = {
    {"timeout_turn", [] { settings.timeout_turn = read_value() / 1000.0; }},
    {"timeout_match", [] { settings.timeout_match = read_value() / 1000.0; }},
    {"max_memory", [] { settings.max_memory = read_value() / 1048576.0; }},
    {"time_left", [] { settings.time_left = read_value() / 1000.0; }},
    {"game_type", skip_line},
    {"rule", info_rule},
    {"folder", skip_line},
};

void cmd_info() {
    char key[WORD_MAX + 1];
    if (read_word(key) == 0) return read_failed("ERROR i/o key");
    for (const info_key &k : info_keys) {
        if (std::strcmp(key, k.name) == 0) {
            k.apply();
            return mode->info_applied(k.name);
        }
    }
    if (mode->info(key, read_value)) return;
    say("MESSAGE Unknown key '%s'", key);
    skip_line();
}

void cmd_end() {
    engine_exit(0);
}

void cmd_about() {
    skip_line();
    say("%s", mode->about);
}

struct command {
    const char *word;
    void (*run)();
    const char *help; // its line of the `help` list; nullptr: said with another command's
};

// Looked up in this order, which is also the order of the `help` list; words match whole
// and case-sensitively.
const command command_table[] = {
    {"START", cmd_start, "START [size]\tPrepare game on board of size 'size'"},
    {"BEGIN", cmd_begin, "BEGIN\tStart game (AI begin)"},
    {"INFO", cmd_info, "INFO [key] [value]\tInfo and set parameters of game"},
    {"BOARD", cmd_board, "BOARD\tPrepare position (terminte DONE)"},
    {"TURN", cmd_turn, "TURN [i,j]\tOpponent move"},
    {"END", cmd_end, "END\tEnd program"},
    {"ABOUT", cmd_about, "ABOUT\tAbout of game"},
    {"RESTART", cmd_restart, "RESTART\tRestart game"},
    {"RECTSTART", cmd_rectstart,
     "RECTSTART [w,h]\tPrepare game on board of size 'w' x 'h' (square only)"},
    {"TAKEBACK", cmd_takeback, "TAKEBACK [i,j]\tTake back the last move"},
    {"?", print_help, "? or help\tThis help"},
    {"help", print_help, nullptr},
};

} // namespace

void print_help() {
    for (const command &c : command_table)
        if (c.help) std::fprintf(stderr, "%s\n", c.help);
}

int run_protocol(const search_mode &search) {
    mode = &search;
    reset_engine(search);
    for (;;) {
        char word[WORD_MAX + 1];
        if (read_word(word) == 0) {
            read_failed("ERROR i/o command");
            continue;
        }
        const command *found = nullptr;
        for (const command &c : command_table) {
            if (std::strcmp(word, c.word) == 0) {
                found = &c;
                break;
            }
        }
        if (found == nullptr) {
            say("UNKNOWN command '%s'", word);
            skip_line();
            continue;
        }
        found->run();
    }
}
