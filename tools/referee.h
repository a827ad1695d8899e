#pragma once
// A referee for engine-against-engine games over the protocol, used by selfplay.
#include <string>

struct game_setup {
    int size;     // board side, 15..20
    int rule;     // 1: exactly five wins, 0: five or more
    int turn_ms;  // INFO timeout_turn; 0 fixes the engines at level 0
    int match_ms; // INFO timeout_match; time_left is sent before every move
    int memory;   // INFO max_memory in bytes; 0 means no limit
    bool show;    // print the board after every move
};

struct game_result {
    std::string summary; // "first wins by five", "second resigns", "draw: full board", ...
    int moves;           // stones on the board at the end
    int longest_move_ms; // the slowest reply of either engine
    bool fault;          // an engine misbehaved (illegal move, ERROR line, crash, silence)
};

// Plays one game: the first engine opens with BEGIN, the second answers with TURN.
game_result play_game(const char *engine, const game_setup &setup);
