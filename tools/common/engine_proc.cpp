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
    signal(SIGPIPE, SIG_IGN); // an engine may exit before reading all its input
    int in[2], out[2], err[2] = {-1, -1};
    // Close-on-exec from the start: the match runner may start engines from two threads at
    // once, and an engine forked by the other thread must not inherit these pipes before they
    // are marked (dup2 below clears the flag on the child's own ends).
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 ||
        (e.capture_err && pipe2(err, O_CLOEXEC) != 0))
        return false;
    // Built before fork: a child of a process with threads should not allocate.
    std::vector<char *> argv{const_cast<char *>(e.path)};
    for (const std::string &a : e.args) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    e.pid = fork();
    if (e.pid < 0) return false;
    if (e.pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        if (e.capture_err) dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
            if (fd > 2) close(fd);
        execv(e.path, argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    if (e.capture_err) close(err[1]);
    // Engines started later must not hold this one's pipes open (close-on-exec above): it
    // would miss the end of its input, and its output would never end.
    e.to = in[1];
    e.from = out[0];
    e.err = err[0];
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
    for (int *fd : {&e.to, &e.from, &e.err})
        if (*fd >= 0) close(*fd);
    e.to = e.from = e.err = -1;
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

// Moves data between the engine's pipes until both outputs close or the deadline passes;
// false at the deadline. The descriptors it is done with are closed and set to -1.
bool pump(engine_proc &e, const std::string &input, engine_run &run, long long deadline) {
    size_t written = 0;
    int *fds_of[3] = {&e.to, &e.from, &e.err};
    std::string *text_of[3] = {nullptr, &run.out, &run.err};
    auto done = [](int *fd) {
        close(*fd);
        *fd = -1;
    };
    if (input.empty()) done(&e.to);
    while (e.from >= 0 || e.err >= 0) {
        long long left = deadline - clock_ms();
        if (left <= 0) return false;
        pollfd fds[3] = {{e.to, POLLOUT, 0}, {e.from, POLLIN, 0}, {e.err, POLLIN, 0}};
        if (poll(fds, 3, static_cast<int>(left)) < 0) continue;
        if (e.to >= 0 && (fds[0].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t n = write(e.to, input.data() + written, input.size() - written);
            if (n > 0) written += static_cast<size_t>(n);
            if (n < 0 || written == input.size()) done(&e.to);
        }
        for (int i = 1; i < 3; i++) {
            if (*fds_of[i] < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buf[4096];
            ssize_t n = read(*fds_of[i], buf, sizeof buf);
            if (n > 0)
                text_of[i]->append(buf, static_cast<size_t>(n));
            else
                done(fds_of[i]);
        }
    }
    return true;
}

void drop_cr_before_lf(std::string &text) {
    size_t kept = 0;
    for (size_t i = 0; i < text.size(); i++)
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') text[kept++] = text[i];
    text.resize(kept);
}

} // namespace

engine_run run_program(const std::string &program, const std::vector<std::string> &args,
                       const std::string &input, int deadline_seconds) {
    engine_run run;
    engine_proc e;
    e.path = program.c_str();
    e.args = args;
    e.capture_err = true;
    if (!start_engine(e)) return run;
    long long deadline = clock_ms() + deadline_seconds * 1000LL;
    run.hung = !pump(e, input, run, deadline);
    int status = wait_engine(e, run.hung ? 0 : 1000 * deadline_seconds);
    if (WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    drop_cr_before_lf(run.out);
    drop_cr_before_lf(run.err);
    return run;
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
