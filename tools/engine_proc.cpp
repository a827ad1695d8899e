// Engine processes on pipes and busy processes, as a game manager runs them.
#include "engine_proc.h"

#include "search/clock.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

bool start_engine(engine_proc &e) {
    signal(SIGPIPE, SIG_IGN);
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return false;
    e.pid = fork();
    if (e.pid < 0) return false;
    if (e.pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        close(in[0]);
        close(in[1]);
        close(out[0]);
        close(out[1]);
        execl(e.path, e.path, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    // Engines started later must not hold this one's pipes open: it would miss the end of
    // its input, and its output would never end.
    fcntl(in[1], F_SETFD, FD_CLOEXEC);
    fcntl(out[0], F_SETFD, FD_CLOEXEC);
    e.to = in[1];
    e.from = out[0];
    e.pending.clear();
    return true;
}

void send_line(engine_proc &e, const std::string &line) {
    std::string s = line + "\n";
    if (e.to < 0 || write(e.to, s.data(), s.size()) < 0) { /* seen on the next read */
    }
}

read_status read_line(engine_proc &e, std::string &line, long long deadline_ms) {
    for (;;) {
        size_t nl = e.pending.find('\n');
        if (nl != std::string::npos) {
            line = e.pending.substr(0, nl);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            e.pending.erase(0, nl + 1);
            return READ_LINE;
        }
        long long left = deadline_ms - clock_ms();
        if (left <= 0) return READ_TIMEOUT;
        pollfd p{e.from, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        char buf[4096];
        ssize_t n = read(e.from, buf, sizeof buf);
        if (n <= 0) return READ_END;
        e.pending.append(buf, static_cast<size_t>(n));
    }
}

namespace {
// Waits for the process (killing it after `grace_ms`) and notes its peak memory.
int wait_engine(engine_proc &e, long long grace_ms) {
    int status = 0;
    rusage usage{};
    long long deadline = clock_ms() + grace_ms;
    while (wait4(e.pid, &status, WNOHANG, &usage) == 0) {
        if (clock_ms() > deadline) {
            kill(e.pid, SIGKILL);
            wait4(e.pid, &status, 0, &usage);
            break;
        }
        usleep(5000);
    }
    if (usage.ru_maxrss > e.peak_kb) e.peak_kb = usage.ru_maxrss;
    for (int *fd : {&e.to, &e.from})
        if (*fd >= 0) close(*fd);
    e.to = e.from = -1;
    e.pid = -1;
    return status;
}
} // namespace

std::string reap_engine(engine_proc &e) {
    if (e.pid <= 0) return "not running";
    int status = wait_engine(e, 1000);
    if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
    return "exit " + std::to_string(WEXITSTATUS(status));
}

void stop_engine(engine_proc &e) {
    if (e.pid <= 0) return;
    send_line(e, "END");
    wait_engine(e, 5000);
}

namespace {
std::vector<pid_t> busy;
}

void start_busy(int n) {
    for (int i = 0; i < n; i++) {
        pid_t pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            volatile unsigned spin = 0;
            for (;;) spin = static_cast<unsigned>(spin) + 1u;
        }
        if (pid > 0) busy.push_back(pid);
    }
}

void stop_busy() {
    for (pid_t pid : busy) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    busy.clear();
}
