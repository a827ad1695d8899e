// The deep mode's record for the protocol.
#include <climits>
#include <cstring>

#include "search/budget.h"
#include "search/deep/board.h"
#include "search/deep/deep.h"
#include "search/deep/hash.h"
#include "search/deep/search.h"
#include "search/deep/vcf.h"
#include "search/deep/vct.h"

namespace {

void before_move() {}

// The hash table takes what the memory budget leaves, less a margin for the process itself.
void fit_hash() {
    const long left = bytes_left(deep_mode);
    long bytes = DEFAULT_HASH_BYTES;
    if (left != LONG_MAX && left - HASH_MARGIN_BYTES < bytes) bytes = left - HASH_MARGIN_BYTES;
    hash_resize(bytes);
}

square choose(int *board, int side) {
    fit_hash();
    return deep_choose(board, side);
}

// The table is sized at the first move, once INFO has given the game's memory budget: a size
// chosen at START could overrun a budget that comes after it.
void new_game() {
    hash_clear();
    reset_vcf();
    reset_vct();
    for (auto &h : dsearch.history) std::memset(h, 0, sizeof h);
}

void take_back() {}

void reset_deep() {
    hash_release();
    reset_patterns();
    init_zobrist();
    reset_vcf();
    reset_vct();
    reset_deep_search();
    std::memset(&dboard, 0, sizeof dboard);
    dundo.frames = 0;
}

long deep_bytes() {
    return static_cast<long>(sizeof dboard + sizeof dundo + sizeof patterns + sizeof zobrist +
                             sizeof vcf + sizeof vcf_memo + sizeof vct + sizeof vct_memo +
                             sizeof dsearch + sizeof dlimits);
}

void info_applied(const char *) {}

bool info(const char *key, int (*read_value)()) {
    if (std::strcmp(key, "max_node") == 0) {
        const int v = read_value();
        if (v >= 0) dlimits.max_nodes = v;
        return true;
    }
    if (std::strcmp(key, "max_depth") == 0) {
        const int v = read_value();
        if (v >= 0) dlimits.max_depth = v;
        return true;
    }
    return false;
}

} // namespace

const search_mode deep_mode = {
    "name=\"brusk-deep\", version=\"1\", author=\"Vostrel\", "
    "email=\"brusk-maintainers@example.org\", country=\"CZ\"",
    before_move,
    choose,
    new_game,
    take_back,
    reset_deep,
    deep_bytes,
    info_applied,
    info,
};
