// Reading the manager's input: words, clamped integers and line skips, straight from the
// input stream (stdin unless a harness sets another).
#include <climits>
#include <cstdio>

#include "game/game.h"
#include "protocol/protocol.h"

FILE *input_stream = nullptr;

namespace {

FILE *in() {
    return input_stream ? input_stream : stdin;
}

// The white-space class of the C locale: blank, tab, newline, vertical tab, form feed, CR.
bool is_space(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int get_char() {
    return std::getc(in());
}

} // namespace

bool input_ended() {
    return std::feof(in()) != 0 || std::ferror(in()) != 0;
}

void unget_char(int c) {
    if (c != EOF) std::ungetc(c, in());
}

int next_nonspace() {
    int c = get_char();
    while (is_space(c)) c = get_char();
    return c;
}

void skip_line() {
    int c = get_char();
    while (c != '\n' && c != EOF) c = get_char();
}

int read_word(char word[WORD_MAX + 1]) {
    int len = 0;
    int c = next_nonspace();
    while (c != EOF && !is_space(c)) {
        if (len < WORD_MAX) word[len++] = static_cast<char>(c);
        c = get_char();
    }
    // The white space that ended the word stays in the stream, so that a handler that
    // discards the rest of the line discards this line and not the next one.
    unget_char(c);
    word[len] = '\0';
    return len;
}

bool read_int(int *out) {
    int c = next_nonspace();
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = get_char();
    }
    if (c < '0' || c > '9') {
        unget_char(c);
        return false;
    }
    // Accumulate with a cap well past the int range, so huge inputs cannot overflow.
    long long value = 0;
    constexpr long long cap = 1LL << 40;
    while (c >= '0' && c <= '9') {
        if (value < cap) value = value * 10 + (c - '0');
        c = get_char();
    }
    unget_char(c);
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    *out = static_cast<int>(value);
    return true;
}

int read_ints(int *values, int count) {
    for (int i = 0; i < count; i++) {
        if (i > 0) {
            int c = get_char();
            if (c != ',') {
                unget_char(c);
                return i;
            }
        }
        if (!read_int(&values[i])) return i;
    }
    return count;
}

void stop_if_input_ended() {
    if (!input_ended()) return;
    engine_exit(0);
}

void read_failed(const char *reply) {
    say("%s", reply);
    skip_line();
    stop_if_input_ended();
}

int read_value() {
    int value;
    if (read_int(&value)) return value;
    read_failed("ERROR i/o value");
    return -1;
}
