// Wall-clock milliseconds. steady_clock never jumps with the system time, so a move's
// elapsed time is what the manager's own clock sees.
#include "search/clock.h"

#include <chrono>

long long clock_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
