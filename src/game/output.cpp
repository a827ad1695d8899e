// The engine's one output path and its one exit path.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "game/game.h"

void (*message_sink)(const char *line) = write_line;
void (*exit_hook)(int code) = nullptr;

void write_line(const char *line) {
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void say(const char *format, ...) {
    char line[512]; // the longest line is the about line, under 128 characters
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    message_sink(line);
}

void engine_exit(int code) {
    std::fflush(stdout);
    if (exit_hook) exit_hook(code);
    std::exit(code);
}

void fatal(const char *format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    engine_exit(1);
}
