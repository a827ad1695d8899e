#pragma once
// The deep mode's view of a position: what it says after each iteration and after the
// threat solver, gathered from its own MESSAGE lines, and the report of its choice.
#include "explain_search.h"

// A fresh deep mode (reset, the board side and rule given, its depth bounded by `depth`, no
// clock) with the first `stones` stones of `g`, and the position explained for the side to
// move. `g` must have passed check_record.
void explain_deep_position(const game_record &g, int stones, int dim, int rule, int depth,
                           explanation &e);

// Reads one MESSAGE line of the deep mode into `e`: an iteration ("MESSAGE depth D value V
// nodes N nps S time T pv x,y ...") or a solver's win ("MESSAGE vcf win x,y ...", "MESSAGE
// vct win x,y"); other lines are passed over.
void read_deep_line(const char *line, explanation &e);
