#pragma once
// Child processes as a game manager runs them: engines on pipes, read line by line against
// a deadline (the match runner), or fed a whole script and collected (the tests); and busy
// processes that load the machine.
#include <string>
#include <sys/types.h>
#include <vector>

#include "search/clock.h"

struct engine_proc {
    const char *path = nullptr;
    std::vector<std::string> args; // the arguments after the program's name
    bool capture_err = false;      // standard error on a pipe of its own, else inherited
    pid_t pid = -1;
    int to = -1;   // the engine's standard input
    int from = -1; // the engine's standard output
    int err = -1;  // the engine's standard error, when captured
    std::string pending;
    long peak_kb = 0; // largest resident size of every process run so far
};

// Starts `e.path` on fresh pipes; false when it cannot be started.
bool start_engine(engine_proc &e);

// Writes one line (a newline is added); a dead engine shows up on the next read.
void send_line(engine_proc &e, const std::string &line);

enum read_status { READ_LINE, READ_TIMEOUT, READ_END };

// The next line of the engine's output, without its line end (LF or CR LF).
read_status read_line(engine_proc &e, std::string &line, long long deadline_ms);

// How the engine's process ended, once its output has closed: "exit N" or "signal N". Kills
// it first if it is still running.
std::string reap_engine(engine_proc &e);

// Sends END and waits a little; kills a process that does not go.
void stop_engine(engine_proc &e);

// What a whole run of a program gave.
struct engine_run {
    std::string out, err; // CR LF read as LF, as a Windows engine writes its lines
    int exit_code = -1;   // -1 when it did not exit normally
    int signal = 0;       // the signal that ended it, 0 if none
    bool hung = false;    // still running at the deadline (then killed)
};

// Runs `program` with `args`: writes `input` to its standard input and closes it, collecting
// standard output and error meanwhile. A process still running after `deadline_seconds` is
// killed and reported as hung: a guard against hangs, not a timing claim.
engine_run run_program(const std::string &program, const std::vector<std::string> &args,
                       const std::string &input, int deadline_seconds = 120);

// Starts n processes that spin until stop_busy; they also die with this process.
void start_busy(int n);
void stop_busy();
