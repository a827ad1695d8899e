#pragma once
// The deep mode's value scale: static values stay well inside ±EVAL_LIMIT, a win in n plies
// is WIN - n and a loss n - WIN.
constexpr int WIN = 30000;
constexpr int WIN_BOUND = WIN - 1000; // beyond: a found win or loss
constexpr int EVAL_LIMIT = 20000;
constexpr int INF_VALUE = 32000;
