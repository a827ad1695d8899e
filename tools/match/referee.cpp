// The match runner: two engine processes, one board per game, every reply checked.
#include "referee.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "engine_proc.h"
#include "five.h"
#include "renju_rules.h"

namespace {

struct board_state {
    int size = 15;
    int cells[20][20] = {}; // 0 empty, 1 first colour, 2 second
    int stones = 0;
};

constexpr int RENJU = 4; // the rule number of renju

// The board as the renju rules and the five check read it: +1 the first colour, -1 the
// second.
void renju_cells(const board_state &b, int cells[400]) {
    for (int x = 0; x < 20; x++)
        for (int y = 0; y < 20; y++) cells[x * 20 + y] = b.cells[x][y] == 2 ? -1 : b.cells[x][y];
}

bool completes_five(const board_state &b, int x, int y, int rule) {
    int cells[400];
    renju_cells(b, cells);
    return stone_makes_five(cells, b.size, x, y, rule);
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

struct played_move {
    int x, y;
    int ms;          // time the engine took; -1 for an opening stone
    int deadline_ms; // its deadline; 0 when it had none
};

// A move request's outcome: a square, or a forfeit of the engine asked.
struct reply {
    int x = -1, y = -1;
    int ms = 0;
    int forfeit = -1; // a forfeit_kind, -1 for none
    std::string why;
};

// Ends the engine's run after it stopped answering: an exit, a crash, or (killed) silence.
void forfeit_by_end(engine_proc &e, reply &r) {
    std::string how = reap_engine(e);
    r.forfeit = how.rfind("signal", 0) == 0 ? CRASH : EXIT;
    r.why = "ended (" + how + ")";
}

// A late engine may still answer; past a grace period it is killed. Either way it can play
// the next game, restarted if need be.
void drain_late(engine_proc &e) {
    std::string line;
    long long until = clock_ms() + 30000;
    for (read_status st; (st = read_line(e, line, until)) == READ_LINE;) {
        int x, y;
        char tail;
        if (std::sscanf(line.c_str(), "%d,%d%c", &x, &y, &tail) == 2) return;
    }
    reap_engine(e);
}

// Sends the request and reads MESSAGE lines up to the move, against the deadline.
reply request_move(engine_proc &e, const std::string &request, int deadline_ms) {
    reply r;
    send_line(e, request);
    const long long start = clock_ms();
    // Without a deadline, a guard against a hung engine.
    const long long until = start + (deadline_ms > 0 ? deadline_ms : 600000);
    std::string line;
    for (;;) {
        read_status st = read_line(e, line, until);
        r.ms = static_cast<int>(clock_ms() - start);
        if (st == READ_END) {
            forfeit_by_end(e, r);
            return r;
        }
        if (st == READ_TIMEOUT) {
            r.forfeit = LATE;
            r.why = "no move in " + std::to_string(r.ms) + " ms";
            drain_late(e);
            return r;
        }
        if (line.rfind("MESSAGE", 0) == 0 || line.rfind("DEBUG", 0) == 0) continue;
        char tail;
        if (std::sscanf(line.c_str(), "%d,%d%c", &r.x, &r.y, &tail) != 2) {
            r.forfeit = MALFORMED;
            r.why = "replied '" + line + "'";
        } else if (deadline_ms > 0 && r.ms > deadline_ms) {
            r.forfeit = LATE;
            r.why = "moved after " + std::to_string(r.ms) + " ms";
        }
        return r;
    }
}

// START and the settings of engine `index`; false (with the forfeit in `r`) when the engine
// does not say OK.
bool start_game(engine_proc &e, int index, const match_setup &s, reply &r) {
    if (e.pid <= 0 && !start_engine(e)) {
        r.forfeit = EXIT;
        r.why = "cannot be started";
        return false;
    }
    send_line(e, "START " + std::to_string(s.size));
    std::string line;
    read_status st;
    while ((st = read_line(e, line, clock_ms() + 10000)) == READ_LINE && line != "OK")
        if (line.rfind("MESSAGE", 0) != 0) break;
    if (st == READ_END) forfeit_by_end(e, r);
    if (st == READ_TIMEOUT) r.forfeit = LATE, r.why = "no OK to START";
    if (st == READ_LINE && line != "OK") r.forfeit = MALFORMED, r.why = "replied '" + line + "'";
    if (r.forfeit >= 0) return false;
    send_line(e, "INFO rule " + std::to_string(s.rule));
    send_line(e, "INFO timeout_match " + std::to_string(s.match_ms));
    send_line(e, "INFO timeout_turn " + std::to_string(s.turn_ms));
    send_line(e, "INFO max_memory " + std::to_string(s.memory));
    // Fixed effort, for matches that do not depend on the machine's speed.
    if (s.nodes[index] > 0) send_line(e, "INFO max_node " + std::to_string(s.nodes[index]));
    if (s.depth[index] > 0) send_line(e, "INFO max_depth " + std::to_string(s.depth[index]));
    return true;
}

// What the engine of colour `c` (0 first) is sent for its move.
std::string move_request(const board_state &b, const std::vector<played_move> &moves, int c,
                         bool first_request, bool from_opening) {
    const played_move *last = moves.empty() ? nullptr : &moves.back();
    if (!first_request) return "TURN " + std::to_string(last->x) + "," + std::to_string(last->y);
    if (b.stones == 0) return "BEGIN";
    if (!from_opening) return "TURN " + std::to_string(last->x) + "," + std::to_string(last->y);
    std::string s = "BOARD\n";
    for (size_t i = 0; i < moves.size(); i++)
        s += std::to_string(moves[i].x) + "," + std::to_string(moves[i].y) + "," +
             (static_cast<int>(i % 2) == c ? "1" : "2") + "\n";
    return s + "DONE";
}

// A reply's square: off the board or taken is illegal, and under renju a forbidden
// square of black (colour 0) loses too.
void judge_square(const board_state &b, int rule, int c, reply &r) {
    const std::string where = std::to_string(r.x) + "," + std::to_string(r.y);
    if (r.x < 0 || r.x >= b.size || r.y < 0 || r.y >= b.size || b.cells[r.x][r.y] != 0) {
        r.forfeit = ILLEGAL;
        r.why = "illegal move " + where;
        return;
    }
    int cells[400];
    renju_cells(b, cells);
    if (rule == RENJU && c == 0 && renju_reference_forbidden(cells, b.size, r.x, r.y)) {
        r.forfeit = FORBIDDEN;
        r.why = "black plays a forbidden square " + where;
    }
}

std::string sgf_game(const match_setup &s, const int colour_engine[2],
                     const std::vector<played_move> &moves, const std::string &result,
                     const std::string &summary) {
    std::ostringstream o;
    o << "(;GM[4]FF[4]SZ[" << s.size << "]PB[" << s.engines[colour_engine[0]] << "]PW["
      << s.engines[colour_engine[1]] << "]RE[" << result << "]C[" << summary << "]\n";
    for (size_t i = 0; i < moves.size(); i++) {
        const played_move &m = moves[i];
        o << ";" << (i % 2 ? "W" : "B") << "[" << static_cast<char>('a' + m.x)
          << static_cast<char>('a' + m.y) << "]C[";
        if (m.ms < 0)
            o << "opening";
        else
            o << m.ms << " ms of " << m.deadline_ms << " ms";
        o << "]\n";
    }
    o << ")\n";
    return o.str();
}

// The opening's stones of game g, if the match has openings, on the board and in the record.
const opening *place_opening(const match_setup &s, int g, board_state &b,
                             std::vector<played_move> &moves) {
    const opening *op = s.openings.empty() ? nullptr : &s.openings[(g / 2) % s.openings.size()];
    const int c0 = (s.size - 1) / 2;
    for (size_t i = 0; op && i < op->size(); i++) {
        int x = c0 + (*op)[i].dx, y = c0 + (*op)[i].dy;
        b.cells[x][y] = static_cast<int>(i % 2) + 1;
        b.stones++;
        moves.push_back({x, y, -1, 0});
    }
    return op;
}

// The time a move may take: the turn time, or what is left of the game clock when less.
int move_deadline(const match_setup &s, int used_ms) {
    int deadline = s.turn_ms;
    if (s.match_ms > 0 && (deadline <= 0 || s.match_ms - used_ms < deadline))
        deadline = s.match_ms - used_ms;
    return deadline;
}

void note_move_time(match_result &res, int ms, int deadline) {
    if (ms > res.longest_move_ms) res.longest_move_ms = ms;
    if (deadline > 0 && static_cast<double>(ms) / deadline > res.worst_ratio)
        res.worst_ratio = static_cast<double>(ms) / deadline;
}

// One game in progress: its board, record and clocks, and how it ended.
struct game_run {
    board_state b;
    std::vector<played_move> moves;
    int used_ms[2] = {0, 0};
    bool requested[2] = {false, false};
    int winner = -1; // engine index; -1 a draw
    std::string how; // empty while the game goes on
};

const char *const engine_names[2] = {"A", "B"};

// One move of the engine of colour c (0 first): the request, the reply judged, the stone
// put; the game ends on a forfeit, a five or a full board.
void play_move(engine_proc &eng, int e, int c, const match_setup &s, bool from_opening,
               game_run &run, match_result &res) {
    board_state &b = run.b;
    const int deadline = move_deadline(s, run.used_ms[e]);
    if (s.match_ms > 0)
        send_line(eng, "INFO time_left " + std::to_string(s.match_ms - run.used_ms[e]));
    std::string request = move_request(b, run.moves, c, !run.requested[e], from_opening);
    run.requested[e] = true;
    reply r = request_move(eng, request, deadline);
    run.used_ms[e] += r.ms;
    note_move_time(res, r.ms, deadline);
    if (r.forfeit < 0) judge_square(b, s.rule, c, r);
    if (r.forfeit >= 0) {
        res.forfeits[e][r.forfeit]++;
        run.winner = 1 - e;
        run.how =
            std::string(engine_names[e]) + " forfeits (" + forfeit_names[r.forfeit] + "): " + r.why;
        return;
    }
    b.cells[r.x][r.y] = c + 1;
    b.stones++;
    run.moves.push_back({r.x, r.y, r.ms, deadline});
    if (s.show) {
        std::printf("Move %d: %s plays %c%d (%d ms)\n", b.stones, engine_names[e], 'a' + r.x,
                    r.y + 1, r.ms);
        show(b, r.x, r.y);
    }
    if (completes_five(b, r.x, r.y, s.rule)) {
        run.winner = e;
        run.how = std::string(engine_names[e]) + " wins by five";
    } else if (b.stones == s.size * s.size) {
        run.how = "draw: full board";
    }
}

// One game; updates the result and returns its SGF record.
std::string play_game(engine_proc eng[2], const match_setup &s, int g, match_result &res) {
    const int first = g % 2; // engine of the first colour
    const int colour_engine[2] = {first, 1 - first};
    game_run run;
    run.b.size = s.size;
    const opening *op = place_opening(s, g, run.b, run.moves);
    reply setup_fault;
    for (int e = 0; e < 2 && run.how.empty(); e++) {
        if (start_game(eng[e], e, s, setup_fault)) continue;
        run.winner = 1 - e;
        res.forfeits[e][setup_fault.forfeit]++;
        run.how = std::string(engine_names[e]) + " forfeits: " + setup_fault.why;
    }
    while (run.how.empty()) {
        const int c = run.b.stones % 2, e = colour_engine[c];
        play_move(eng[e], e, c, s, op != nullptr, run, res);
    }
    res.games++;
    res.winners.push_back(run.winner);
    if (run.winner < 0) res.draws++;
    if (run.winner >= 0) res.wins[run.winner]++;
    if (run.winner >= 0 && run.winner == colour_engine[0]) res.first_colour_wins++;
    std::string summary = "game " + std::to_string(g + 1) + ": " + engine_names[first] +
                          " first, " + std::to_string(run.b.stones) + " stones: " + run.how;
    res.reports.push_back(summary);
    std::string result = run.winner < 0 ? "0" : run.winner == colour_engine[0] ? "B+" : "W+";
    return sgf_game(s, colour_engine, run.moves, result, summary);
}

} // namespace

namespace {

// A game played by a worker, waiting for its turn to join the match's result.
struct finished_game {
    bool done = false;
    match_result tally; // this game alone
    std::string sgf;
};

// Adds one game's tally to the match's.
void merge_game(match_result &res, const match_result &g) {
    res.games += g.games;
    for (int e = 0; e < 2; e++) {
        res.wins[e] += g.wins[e];
        for (int k = 0; k < FORFEIT_KINDS; k++) res.forfeits[e][k] += g.forfeits[e][k];
    }
    res.draws += g.draws;
    res.first_colour_wins += g.first_colour_wins;
    res.longest_move_ms = std::max(res.longest_move_ms, g.longest_move_ms);
    res.worst_ratio = std::max(res.worst_ratio, g.worst_ratio);
    res.reports.insert(res.reports.end(), g.reports.begin(), g.reports.end());
    res.winners.insert(res.winners.end(), g.winners.begin(), g.winners.end());
}

// The games of a match shared by its workers: the next game to start, the games finished,
// and the result so far, which takes games strictly in game order.
struct match_board {
    const match_setup &s;
    const after_game_fn &after_game;
    std::mutex lock;
    int next_game = 0;
    int merged = 0;    // games 0..merged-1 are in `res`
    bool stop = false; // no game is started any more
    std::vector<finished_game> games;
    match_result res;
    std::string sgf;
};

// Takes every finished game that is next in order into the result, reporting each; called
// under the lock.
void merge_in_order(match_board &m) {
    const match_setup &s = m.s;
    while (!m.stop && m.merged < s.games && m.games[m.merged].done) {
        finished_game &g = m.games[m.merged++];
        merge_game(m.res, g.tally);
        m.sgf += g.sgf;
        if (s.show || s.games > 1) std::printf("%s\n", m.res.reports.back().c_str());
        std::fflush(stdout);
        if (m.after_game && !m.after_game(m.res)) m.stop = true;
        g = finished_game{}; // its record is in the match's now
    }
}

// One worker: its own pair of engine processes, playing the next game until none is left.
void work(match_board &m, long peak_kb[2]) {
    engine_proc eng[2];
    for (int e = 0; e < 2; e++) eng[e].path = m.s.engines[e];
    for (;;) {
        int g;
        {
            std::lock_guard<std::mutex> hold(m.lock);
            if (m.stop || m.next_game >= m.s.games) break;
            g = m.next_game++;
        }
        finished_game done;
        done.sgf = play_game(eng, m.s, g, done.tally);
        done.done = true;
        std::lock_guard<std::mutex> hold(m.lock);
        m.games[static_cast<size_t>(g)] = std::move(done);
        merge_in_order(m);
    }
    for (int e = 0; e < 2; e++) {
        stop_engine(eng[e]);
        peak_kb[e] = eng[e].peak_kb;
    }
}

} // namespace

match_result play_match(const match_setup &s, const after_game_fn &after_game) {
    start_busy(s.load);
    match_board m{s, after_game, {}, 0, 0, false, {}, {}, {}};
    m.games.resize(static_cast<size_t>(s.games));
    const int workers = std::max(1, std::min(s.concurrency, s.games));
    std::vector<std::array<long, 2>> peaks(static_cast<size_t>(workers), {0, 0});
    if (workers == 1) {
        work(m, peaks[0].data());
    } else {
        std::vector<std::thread> threads;
        for (int w = 0; w < workers; w++)
            threads.emplace_back(work, std::ref(m), peaks[static_cast<size_t>(w)].data());
        for (std::thread &t : threads) t.join();
    }
    for (const auto &p : peaks)
        for (int e = 0; e < 2; e++) m.res.peak_kb[e] = std::max(m.res.peak_kb[e], p[e]);
    stop_busy();
    if (!s.sgf_path.empty()) {
        std::ofstream out(s.sgf_path);
        out << m.sgf;
    }
    return m.res;
}

bool read_openings(const char *path, std::vector<opening> &out) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        opening op;
        std::string w;
        while (words >> w) {
            stone_offset o;
            if (std::sscanf(w.c_str(), "%d,%d", &o.dx, &o.dy) != 2) return false;
            if (o.dx < -7 || o.dx > 7 || o.dy < -7 || o.dy > 7) return false;
            op.push_back(o);
        }
        if (!op.empty()) out.push_back(op);
    }
    return !out.empty();
}
