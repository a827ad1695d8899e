#pragma once
// Runs a program as a game manager does: its standard input fed from a string and then
// ended, its standard output and error collected, its exit reported.
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

struct engine_run {
    std::string out, err;
    int exit_code = -1; // -1 when it did not exit normally
    int signal = 0;     // the signal that ended it, 0 if none
    bool hung = false;  // still running at the deadline (then killed)
};

// An unnamed temporary file holding `text`, read from its start.
inline int temp_file(const std::string &text) {
    char name[] = "/tmp/brusk_test_XXXXXX";
    int fd = mkostemp(name, O_CLOEXEC);
    unlink(name);
    if (write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) return -1;
    lseek(fd, 0, SEEK_SET);
    return fd;
}

inline std::string contents(int fd) {
    std::string text;
    char buf[4096];
    lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
    close(fd);
    return text;
}

// A process still running after `deadline_seconds` is killed and reported as hung: a guard
// against hangs, not a timing claim.
inline engine_run run_program(const std::string &program, const std::vector<std::string> &args,
                              const std::string &input, int deadline_seconds = 120) {
    engine_run run;
    const int fds[3] = {temp_file(input), temp_file(""), temp_file("")};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int i = 0; i < 3; i++) posix_spawn_file_actions_adddup2(&actions, fds[i], i);
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid;
    int status = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::seconds(deadline_seconds);
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                run.hung = true;
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
        if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fds[0]);
    run.out = contents(fds[1]);
    run.err = contents(fds[2]);
    return run;
}

// The engine built beside the tests, fed with `input`.
inline engine_run run_engine(const std::string &input, int deadline_seconds = 120) {
    return run_program(BRUSK_ENGINE, {}, input, deadline_seconds);
}

using lines = std::vector<std::string>;

// The lines of `text`, without their newlines.
inline lines lines_of(const std::string &text) {
    lines result;
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        result.push_back(text.substr(start, end - start));
    }
    return result;
}
