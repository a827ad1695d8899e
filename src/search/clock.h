#pragma once
// Wall-clock milliseconds from a monotonic clock. Managers enforce wall-clock limits, so
// the engine measures the same time they do, whatever the machine's load.
long long clock_ms();
