#pragma once
// Game state, settings and levels: the process-wide records that
// the command loop writes and every other module reads.

// ---- Board and game -------------------------------------------------------------------

// The board is always a 20 x 20 array; only the first `dim` rows and the first `dim`
// cells of each row are in use. The protocol square x,y lives at index x * 20 + y:
// x selects the row of 20 cells, y the cell within it. Cells hold 0 (empty), +1 (the
// colour of the game's first stone) or -1 (the other colour).
constexpr int MAX_DIM = 20;
constexpr int BOARD_CELLS = MAX_DIM * MAX_DIM;
constexpr int cell(int x, int y) {
    return x * MAX_DIM + y;
}

// A set of cells in words of 64 bits: bit i of word w for cell index w * 64 + i, so the
// bits run in scan order (x outer, y inner).
constexpr int CELL_WORDS = (BOARD_CELLS + 63) / 64;

// Game status: 0 no board, 1 board ready (or a BOARD position being read),
// 2 engine plays +1, 3 engine plays -1.
enum { STATUS_NO_BOARD = 0, STATUS_READY = 1, STATUS_PLAYS_FIRST = 2, STATUS_PLAYS_SECOND = 3 };

struct game_state {
    int board[BOARD_CELLS];
    int dim;        // 15..20 after a valid START, 0 before
    int status;     // see the enum above
    int side;       // the engine's colour, +1 or -1 (0 before the first game)
    int move_count; // stones put since the last START or RESTART
    // Move record: entry i (1..move_count) is the i-th stone; entry 0 is unused.
    // One entry per cell, so a full 20 x 20 board fits.
    int history[BOARD_CELLS + 1][2];
};

// Settings, set only by INFO; the time keys through the time control (search/timectl.h).
// Times are seconds, memory megabytes.
struct settings_state {
    double timeout_turn;
    double timeout_match;
    double time_left;
    double max_memory; // budget of the whole process; 0 (or below) means no limit
    int exact_five;    // 1: only a line of exactly five wins
    int renju;         // 1: renju (INFO rule 4): exact five for +1 only, forbidden squares
};

extern game_state game;
extern settings_state settings;

constexpr int RULE_RENJU = 4; // INFO rule 4

// Whether only a line of exactly five wins for `colour`. Under renju the first player
// (+1, black) needs exactly five and the second wins with five or more.
inline bool exact_for(int colour) {
    return settings.renju != 0 ? colour == 1 : settings.exact_five != 0;
}

// The index of `colour` (+1 or -1) in the arrays kept per colour: 0 for +1, 1 for -1.
constexpr int colour_index(int colour) {
    return colour == 1 ? 0 : 1;
}

// True when x,y lies on the board in use (dim x dim).
inline bool on_board(int x, int y) {
    return x >= 0 && x < game.dim && y >= 0 && y < game.dim;
}

// Process-start values: status 0, dim 0, side 0, empty board and record, default settings.
void reset_game_state();

// Empties the dim x dim cells of `board` (shared dim); the other cells are left alone.
void clear_board(int *board);

// Puts a stone of `colour` (+1 or -1) on x,y, a free square of the shared board, and appends
// it to the move record.
void put_stone(int x, int y, int colour);

// Takes the last stone of the move record off the board and the record (there is one).
void take_last_stone();

// ---- Board watch ------------------------------------------------------------------------
// The live analysis and the hash each mirror the last board they were brought to and reach
// the next one by comparing every cell. The search puts and takes stones on one board for a
// whole move choice, so it watches that board and notes every cell it changes; a mirror
// brought to the watched board then looks only at the cells noted since its last visit.
// The notes are a ring of the last WATCH_RING changes; a mirror that fell further behind,
// or last looked at another board or under an earlier watch, compares every cell.
constexpr int WATCH_RING = 64;
static_assert((WATCH_RING & (WATCH_RING - 1)) == 0, "the change count wraps onto the ring");

struct board_watch {
    const int *board; // the watched board (nullptr: none)
    // Changes noted, counted on from one watch to the next; every watch_board moves the
    // count a ring and one ahead, so every mark of an earlier watch lies too far behind.
    unsigned noted;
    int ring[WATCH_RING]; // change i at ring[i % WATCH_RING]
};
extern board_watch watch;

// Where a mirror stood after its last visit: the count of changes noted then, when it was
// brought to the watched board, else a count too far behind to use.
struct watch_mark {
    unsigned seen;
};

// Watches `board` from now on (nullptr: stops watching); every mark taken before is void.
void watch_board(const int *board);

// No board watched; every mark is void.
void reset_watch();

// Cell c of the watched board may have changed.
inline void note_change(int c) {
    watch.ring[watch.noted++ % WATCH_RING] = c;
}

// A mark that the next visit cannot use, whatever the board.
inline watch_mark void_mark() {
    return watch_mark{watch.noted - WATCH_RING - 1};
}

// Whether a mirror at `mark` may reach `board` by the cells noted since: it is the watched
// board and the ring still holds every change since the mirror's last visit to it. (A mirror
// visits at every search node, far more often than the count takes to wrap.)
inline bool noted_since(const watch_mark &mark, const int *board) {
    return board == watch.board && watch.noted - mark.seen <= WATCH_RING;
}

// The mark of a mirror just brought to `board`.
inline watch_mark mark_of_visit(const int *board) {
    return board == watch.board ? watch_mark{watch.noted} : void_mark();
}

// Diagnostic board printer on stdout. Flag 's' labels rows 1.. and columns a..,
// flag 'n' labels both with numbers from 0; any other flag is fatal.
void tisk(const int *board, char flag);

// Name of square x,y as letter and number ("a1" for 0,0), in a buffer the next call reuses.
const char *move_name(int x, int y);

// ---- Output and ending the process -------------------------------------------------------

// Every line the engine says to the manager (replies, MESSAGE and ERROR lines) goes through
// say(): formatted as printf formats, then handed without its newline to message_sink. The
// default sink, write_line, writes it with a newline to standard output and flushes, so the
// manager sees each line as soon as it is said. A tool or test that drives the engine in its
// own process sets a sink of its own to capture or drop the lines.
extern void (*message_sink)(const char *line);
void write_line(const char *line);
[[gnu::format(printf, 1, 2)]] void say(const char *format, ...);

// Every exit of the engine goes through engine_exit: it flushes standard output and ends
// the process with `code`: 0 for END and the end of the input, 1 for an internal fault. A
// harness that runs the command loop in-process sets exit_hook to get control back
// instead; the hook must not return (it throws or jumps).
extern void (*exit_hook)(int code);
[[noreturn]] void engine_exit(int code);

// An internal fault that correct play never reaches (a list past its capacity, a cell
// value that is no stone): the message, with a newline, on standard error, then exit 1.
[[noreturn, gnu::format(printf, 1, 2)]] void fatal(const char *format, ...);

// ---- Levels ----------------------------------------------------------------------------

// One row per level: full_depth, threat_depth, max_depth. The search stops and takes the
// static score past full_depth after a quiet move, past threat_depth after a move tagged
// +1/-1, and past max_depth always (lone candidates excepted).
constexpr int LEVELS = 5;
constexpr int level_table[LEVELS][3] = {
    {2, 4, 4}, {3, 6, 8}, {4, 8, 12}, {5, 10, 16}, {5, 12, 20},
};

struct level_state {
    int level; // 0..4, the level in force for the game; written by set_game_level alone
    int full_depth;
    int threat_depth;
    int max_depth;
};

extern level_state levels;

// Level 0 and all limits 0, as at process start.
void reset_levels();

// Loads row n of level_table into the limits, quietly. Does not change `levels.level`;
// callers pass 0..4.
void load_level(int n);

// load_level, then "MESSAGE Level... n", flushed: the manager sees every change of the
// limits as it happens.
void set_level(int n);

// Level n for the rest of the game, its limits loaded and announced (set_level): the one
// routine that sets the game's level, for the benchmark's choice, a fixed level and the
// match rule. A move short of time lowers only the limits (set_level).
void set_game_level(int n);
