#include "engine_pipe.h"

#include "search/clock.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

[[noreturn]] void exec_child(const std::string &program, const std::vector<std::string> &args,
                             int in_fd, int out_fd, int err_fd) {
    dup2(in_fd, 0);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

// Moves data between the child's pipes until both outputs close or the deadline passes.
// The descriptors it closes are set to -1; the caller closes what is left.
bool pump(int &in_fd, int &out_fd, int &err_fd, const std::string &input, engine_run &run,
          long long deadline) {
    size_t written = 0;
    if (input.empty()) {
        close(in_fd);
        in_fd = -1;
    }
    while (out_fd >= 0 || err_fd >= 0) {
        long long left = deadline - clock_ms();
        if (left <= 0) return false;
        pollfd fds[3] = {{in_fd, POLLOUT, 0}, {out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
        if (poll(fds, 3, static_cast<int>(left)) < 0) continue;
        if (in_fd >= 0 && (fds[0].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t n = write(in_fd, input.data() + written, input.size() - written);
            if (n > 0) written += static_cast<size_t>(n);
            if (n < 0 || written == input.size()) {
                close(in_fd);
                in_fd = -1;
            }
        }
        int *fd_of[2] = {&out_fd, &err_fd};
        std::string *text_of[2] = {&run.out, &run.err};
        for (int i = 0; i < 2; i++) {
            if (*fd_of[i] < 0 || !(fds[i + 1].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buf[4096];
            ssize_t n = read(*fd_of[i], buf, sizeof buf);
            if (n > 0) {
                text_of[i]->append(buf, static_cast<size_t>(n));
            } else {
                close(*fd_of[i]);
                *fd_of[i] = -1;
            }
        }
    }
    return true;
}

// A Windows engine ends its lines in CR LF; the tests read both endings as one.
void drop_cr_before_lf(std::string &text) {
    size_t kept = 0;
    for (size_t i = 0; i < text.size(); i++)
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') text[kept++] = text[i];
    text.resize(kept);
}

} // namespace

engine_run run_program(const std::string &program, const std::vector<std::string> &args,
                       const std::string &input, int deadline_seconds) {
    signal(SIGPIPE, SIG_IGN); // the child may exit before reading all its input
    engine_run run;
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return run;
    pid_t pid = fork();
    if (pid == 0) {
        close(in[1]);
        close(out[0]);
        close(err[0]);
        exec_child(program, args, in[0], out[1], err[1]);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    long long deadline = clock_ms() + deadline_seconds * 1000LL;
    if (!pump(in[1], out[0], err[0], input, run, deadline)) {
        run.hung = true;
        kill(pid, SIGKILL);
    }
    for (int fd : {in[1], out[0], err[0]})
        if (fd >= 0) close(fd);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    drop_cr_before_lf(run.out);
    drop_cr_before_lf(run.err);
    return run;
}

engine_run run_engine(const std::string &input, int deadline_seconds) {
    const char *other = std::getenv("BRUSK_TEST_ENGINE");
    return run_program(other && *other ? other : BRUSK_ENGINE, {}, input, deadline_seconds);
}
