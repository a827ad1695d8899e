// pbrain-brusk-deep: brusk's deep mode, driven by a game manager over stdin/stdout.
#include "protocol/protocol.h"
#include "search/deep/deep.h"

int main() {
    return run_protocol(deep_mode);
}
