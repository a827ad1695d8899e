#pragma once
// A match runner for engine-against-engine games over the protocol, as the managers that
// players use run them: one process per engine for the whole match, START for every game,
// every move checked against its deadline with no tolerance.
#include <functional>
#include <string>
#include <vector>

struct stone_offset {
    int dx, dy; // from the centre square (c, c), c = (size - 1) / 2
};
using opening = std::vector<stone_offset>; // first colour first, colours alternating

struct match_setup {
    const char *engines[2];        // engine A and engine B (may be the same program)
    int games;                     // colours alternate: A opens the even games
    int size;                      // board side, 15..20
    int rule;                      // 1: exactly five wins, 0: five or more, 4: renju
    int turn_ms;                   // INFO timeout_turn; 0 fixes the engines at level 0
    int match_ms;                  // INFO timeout_match, a game clock per engine and game; 0: none
    int memory;                    // INFO max_memory in bytes; 0 means no limit
    std::vector<opening> openings; // each played twice, colours swapped; none: BEGIN
    int load;                      // busy processes running meanwhile
    std::string sgf_path;          // the games as SGF; empty: not saved
    bool show;                     // print the board after every move
    int nodes[2] = {0, 0};         // INFO max_node for A and B; 0: not sent
    int depth[2] = {0, 0};         // INFO max_depth for A and B; 0: not sent
    int concurrency = 1;           // games played at once, each by its own pair of processes
};

// Ways to lose a game other than on the board.
// FORBIDDEN: under renju, black played a forbidden square.
enum forfeit_kind { LATE, EXIT, CRASH, ILLEGAL, MALFORMED, FORBIDDEN, FORFEIT_KINDS };
constexpr const char *forfeit_names[FORFEIT_KINDS] = {"late",    "exit",      "crash",
                                                      "illegal", "malformed", "forbidden"};

struct match_result {
    int games = 0;
    int wins[2] = {0, 0}; // by engine, A and B
    int draws = 0;
    int first_colour_wins = 0;
    int forfeits[2][FORFEIT_KINDS] = {};
    int longest_move_ms = 0;
    double worst_ratio = 0; // largest move time / deadline
    long peak_kb[2] = {0, 0};
    std::vector<std::string> reports; // one line per game
    std::vector<int> winners;         // by game: the engine that won it, -1 a draw
};

// Called after each game in game order, once its report is printed; false stops the match
// (games already under way past it are dropped, so the result depends on the games only).
using after_game_fn = std::function<bool(const match_result &)>;

match_result play_match(const match_setup &setup, const after_game_fn &after_game = nullptr);

// Reads openings, one a line: offsets "dx,dy" separated by blanks; '#' starts a comment.
bool read_openings(const char *path, std::vector<opening> &out);
