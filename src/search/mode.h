#pragma once
// What the protocol needs of a search, and what a search tells its tools. The command loop,
// the engine's reset and the memory budget reach a search only through the mode record that
// `main` hands to run_protocol; each search fills one record of its own.

// A square of the board, x,y as the protocol names it; {-1, -1}: none.
struct square {
    int x;
    int y;
};

// The last move choice as the search saw it, for the bench, the explainer and the tests. A
// search fills it at the end of every move choice it searched (searched = false when it
// played without searching: a lone candidate, an empty board).
constexpr int REPORT_LINE = 64;
struct search_report {
    bool searched;
    square move;
    int value;       // from the side to move; a found win or loss is beyond FOUND_WIN
    long long nodes; // nodes the search counted for this move
    int depth;       // the depth of the last completed iteration (0 for a search without)
    long long ms;    // wall-clock milliseconds the choice took
    int line_length; // the principal line, the chosen move first
    square line[REPORT_LINE];
};
extern search_report report;

// Values beyond FOUND_WIN (either sign) are forced wins and losses, in every search: static
// evaluations stay below it.
constexpr int FOUND_WIN = 512;

// Clears the report (nothing searched yet).
void reset_report();

// One search, as the protocol sees it. Every entry is required (none is null).
struct search_mode {
    // The ABOUT line.
    const char *about;
    // Called when a move is asked for, before `choose`, with the deadline armed: a search
    // that sets itself up before its first move of a game (a speed benchmark) does it here.
    void (*before_move)();
    // The engine's move for `side` on `board`; {-1, -1} when no square is free. The board is
    // as it was when it returns.
    square (*choose)(int *board, int side);
    // START and RESTART: a new game begins.
    void (*new_game)();
    // TAKEBACK took a stone off: whatever the search kept from the moves before is void.
    void (*take_back)();
    // The search's own records back to their process-start values.
    void (*reset)();
    // The bytes the search holds in its own records and arrays, at most, under the memory
    // budget in force (the shared records are counted by the protocol's budget).
    long (*bytes)();
    // INFO: the protocol has applied one of its own keys to the settings (timeout_turn,
    // timeout_match, time_left, max_memory, rule, ...), named by `key`.
    void (*info_applied)(const char *key);
    // An INFO key the protocol does not know: true when the search took it and read its
    // value with `value` (which answers a value that cannot be read as the protocol does,
    // and gives -1), false to have it answered as an unknown key.
    bool (*info)(const char *key, int (*value)());
};

// Every process-wide record back to its process-start values: the shared ones (the game and
// its settings, the deadline, the board watch, the live analysis) and the search's own
// through its mode's reset.
void reset_engine(const search_mode &mode);
