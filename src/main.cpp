// pbrain-brusk: a gomoku engine driven by a game manager over stdin/stdout.
#include "protocol/protocol.h"
#include "search/classic/classic.h"

int main() {
    return run_protocol(classic_mode);
}
