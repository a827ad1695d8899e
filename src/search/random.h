#pragma once
// The engine's own pseudo-random generator: a fixed linear congruential sequence of
// values 0..32767, the same in every run and on every platform. It fills the hash keys.

// Next value of the sequence, 0..32767.
int random_next();

// Restarts the sequence from its fixed seed (process-start state).
void random_reset();
