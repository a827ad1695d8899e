#pragma once
// The memory budget: INFO max_memory is the manager's budget for the whole process. The
// shared records (the game, the settings, the board watch, the live analysis, the deadline
// and the report) and each search's own fixed arrays take what they take whatever happens;
// a search's growing store (the classic's tree, the deep mode's hash table) may use what is
// left. A budget of 0 (or below) means no limit.
struct search_mode;

// The bytes of the shared records.
long shared_bytes();

// What the budget leaves after the shared records and `mode`'s own (LONG_MAX: no limit;
// below 0 when the budget is smaller than the fixed records).
long bytes_left(const search_mode &mode);
