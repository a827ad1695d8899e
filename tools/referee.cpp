// The referee: two engine processes on pipes, one board, the moves checked one by one.
#include "referee.h"

#include <csignal>
#include <cstdio>
#include <poll.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

long long now_ms() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

struct engine_proc {
    pid_t pid = -1;
    int to = -1;   // its standard input
    int from = -1; // its standard output
    std::string pending;
    long long used_ms = 0; // match time used so far
};

bool start_engine(const char *path, engine_proc &e) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return false;
    e.pid = fork();
    if (e.pid < 0) return false;
    if (e.pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        close(in[1]);
        close(out[0]);
        execl(path, path, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    e.to = in[1];
    e.from = out[0];
    return true;
}

void send(engine_proc &e, const std::string &line) {
    std::string s = line + "\n";
    if (write(e.to, s.data(), s.size()) < 0) { /* a dead engine shows up on the next read */
    }
}

// Next line of the engine's output; false at its end or when the deadline passes.
bool read_line(engine_proc &e, std::string &line, long long deadline) {
    for (;;) {
        size_t nl = e.pending.find('\n');
        if (nl != std::string::npos) {
            line = e.pending.substr(0, nl);
            e.pending.erase(0, nl + 1);
            return true;
        }
        long long left = deadline - now_ms();
        if (left <= 0) return false;
        pollfd p{e.from, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        char buf[4096];
        ssize_t n = read(e.from, buf, sizeof buf);
        if (n <= 0) return false;
        e.pending.append(buf, static_cast<size_t>(n));
    }
}

void stop_engine(engine_proc &e) {
    if (e.pid <= 0) return;
    send(e, "END");
    close(e.to);
    close(e.from);
    long long deadline = now_ms() + 5000;
    int status;
    while (waitpid(e.pid, &status, WNOHANG) == 0) {
        if (now_ms() > deadline) {
            kill(e.pid, SIGKILL);
            waitpid(e.pid, &status, 0);
            break;
        }
        usleep(10000);
    }
}

struct board_state {
    int size;
    int cells[20][20]; // 0 empty, 1 first colour, 2 second
    int stones;
};

// Length of the line of `colour` through x,y along (dx, dy).
int run_length(const board_state &b, int x, int y, int dx, int dy) {
    int colour = b.cells[x][y], n = 1;
    for (int s = -1; s <= 1; s += 2) {
        int cx = x + s * dx, cy = y + s * dy;
        while (cx >= 0 && cx < b.size && cy >= 0 && cy < b.size && b.cells[cx][cy] == colour) {
            n++;
            cx += s * dx;
            cy += s * dy;
        }
    }
    return n;
}

bool makes_five(const board_state &b, int x, int y, int rule) {
    const int dirs[4][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}};
    for (const auto &d : dirs) {
        int n = run_length(b, x, y, d[0], d[1]);
        if (n == 5 || (rule == 0 && n > 5)) return true;
    }
    return false;
}

// x to the right as letters, y upwards as numbers; the last move in brackets.
void show(const board_state &b, int lx, int ly) {
    for (int y = b.size - 1; y >= 0; y--) {
        std::printf("%2d ", y + 1);
        for (int x = 0; x < b.size; x++) {
            char c = ".xo"[b.cells[x][y]];
            if (x == lx && y == ly)
                std::printf("[%c", c);
            else
                std::printf(x == lx + 1 && y == ly ? "]%c" : " %c", c);
        }
        std::printf(lx == b.size - 1 && ly == y ? "]\n" : "\n");
    }
    std::printf("   ");
    for (int x = 0; x < b.size; x++) std::printf(" %c", 'a' + x);
    std::printf("\n\n");
}

// Reads the engine's reply to a move request: MESSAGE lines, then "x,y".
// Returns 1 with the move, 0 on resignation, -1 on a fault (described in `why`).
int await_move(engine_proc &e, int limit_ms, int &x, int &y, std::string &why) {
    long long deadline = now_ms() + limit_ms;
    std::string line;
    bool resigned = false;
    while (read_line(e, line, deadline)) {
        if (line == "MESSAGE Resign...") resigned = true;
        if (line.rfind("MESSAGE", 0) == 0) continue;
        char tail;
        if (std::sscanf(line.c_str(), "%d,%d%c", &x, &y, &tail) == 2) return 1;
        why = "unexpected reply '" + line + "'";
        return -1;
    }
    if (resigned) return 0;
    why = now_ms() >= deadline ? "no reply in time" : "engine ended without a move";
    return -1;
}

bool setup_engine(engine_proc &e, const game_setup &s) {
    send(e, "START " + std::to_string(s.size));
    send(e, "INFO rule " + std::to_string(s.rule));
    send(e, "INFO timeout_match " + std::to_string(s.match_ms));
    send(e, "INFO timeout_turn " + std::to_string(s.turn_ms));
    send(e, "INFO max_memory " + std::to_string(s.memory));
    std::string line;
    while (read_line(e, line, now_ms() + 10000))
        if (line == "OK") return true;
    return false;
}

} // namespace

game_result play_game(const char *engine, const game_setup &s) {
    signal(SIGPIPE, SIG_IGN);
    game_result r{"", 0, 0, false};
    engine_proc eng[2];
    board_state b{};
    b.size = s.size;
    const char *names[2] = {"first (x)", "second (o)"};
    // A move may overrun its turn time, never by this much: past it the engine is silent.
    int limit_ms = (s.turn_ms > 0 ? 4 * s.turn_ms : 0) + 60000;
    if (!start_engine(engine, eng[0]) || !start_engine(engine, eng[1]) ||
        !setup_engine(eng[0], s) || !setup_engine(eng[1], s)) {
        r = {"an engine failed to start", 0, 0, true};
    }
    int lx = -1, ly = -1;
    for (int turn = 0; !r.fault && r.summary.empty(); turn++) {
        engine_proc &e = eng[turn % 2];
        send(e, "INFO time_left " + std::to_string(s.match_ms - e.used_ms));
        send(e, turn == 0 ? std::string("BEGIN")
                          : "TURN " + std::to_string(lx) + "," + std::to_string(ly));
        long long t0 = now_ms();
        int x = -1, y = -1;
        std::string why;
        int got = await_move(e, limit_ms, x, y, why);
        int took = static_cast<int>(now_ms() - t0);
        e.used_ms += took;
        if (took > r.longest_move_ms) r.longest_move_ms = took;
        if (got == 0) {
            r.summary = std::string(names[turn % 2]) + " resigns";
        } else if (got < 0) {
            r = {std::string(names[turn % 2]) + ": " + why, b.stones, r.longest_move_ms, true};
        } else if (x < 0 || x >= s.size || y < 0 || y >= s.size || b.cells[x][y] != 0) {
            r.summary = std::string(names[turn % 2]) + ": illegal move " + std::to_string(x) + "," +
                        std::to_string(y);
            r.fault = true;
        } else {
            b.cells[x][y] = turn % 2 + 1;
            b.stones++;
            lx = x;
            ly = y;
            if (s.show) {
                std::printf("Move %d: %s plays %c%d (%d ms)\n", b.stones, names[turn % 2], 'a' + x,
                            y + 1, took);
                show(b, x, y);
            }
            if (makes_five(b, x, y, s.rule))
                r.summary = std::string(names[turn % 2]) + " wins by five";
            else if (b.stones == s.size * s.size)
                r.summary = "draw: full board";
        }
    }
    r.moves = b.stones;
    stop_engine(eng[0]);
    stop_engine(eng[1]);
    return r;
}
