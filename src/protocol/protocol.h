#pragma once
// The command loop: reads the manager's commands from stdin and answers on stdout.
//
// Commands are separated by white space, not by lines: a handler that leaves the rest of
// its line unread lets the next word on that line be read as the next command.

#include <cstdio>

struct search_mode;

// Runs the loop with `search` choosing the moves (its reset first, as at process start)
// until END or the end of input; returns the exit code.
int run_protocol(const search_mode &search);

// Where the loop reads its commands: stdin when null. A harness points it at a stream of
// its own before run_protocol.
extern FILE *input_stream;

// ---- Reading standard input -------------------------------------------------------------
// The loop keeps no line buffer: it reads words and numbers straight from the stream.

// Command words and INFO keys are held in 16 characters: at most 15 and the terminator.
constexpr int WORD_MAX = 15;

// Reads the next white-space-delimited word, skipping white space (line ends included)
// before it. A longer word is read to its end and cut to its first WORD_MAX characters;
// no command or key is that long, so a cut word is always unknown. Returns the number
// of characters kept, 0 when the input has ended.
int read_word(char word[WORD_MAX + 1]);

// Reads a signed decimal integer like scanf's "%d": white space before it is skipped.
// Values beyond the int range are clamped to it. Returns false when no integer is there.
bool read_int(int *out);

// Reads "%d,%d" (count 2) or "%d,%d,%d" (count 3): white space may stand before each
// number but not before a comma. Returns how many numbers were read.
int read_ints(int *values, int count);

// Reads and drops characters up to and including the next newline.
void skip_line();

// Skips white space and returns the next character (EOF at the end); unget_char puts it back.
int next_nonspace();
void unget_char(int c);

// True once a read has met the end of the input.
bool input_ended();

// Once the input has ended nothing more can come: ends the process with code 0.
void stop_if_input_ended();

// Reads one integer; when there is none, prints "ERROR i/o value", discards the rest of
// the line and returns -1.
int read_value();

// A read failed: prints `reply`, discards the rest of the line and, when the input has
// ended, ends the process with code 0 (nothing more can come).
void read_failed(const char *reply);

// Writes the command list to standard error.
void print_help();
