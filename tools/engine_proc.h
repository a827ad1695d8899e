#pragma once
// Child processes for the match runner: engines on pipes, read line by line against a
// deadline, and busy processes that load the machine.
#include <string>
#include <sys/types.h>

#include "search/clock.h"

struct engine_proc {
    const char *path = nullptr;
    pid_t pid = -1;
    int to = -1;   // the engine's standard input
    int from = -1; // the engine's standard output
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

// Starts n processes that spin until stop_busy; they also die with this process.
void start_busy(int n);
void stop_busy();
