#pragma once
// The command loop: reads the manager's commands from stdin and answers on stdout.

// Runs the loop until END, a resignation or the end of input; returns the exit code.
int run_protocol();
