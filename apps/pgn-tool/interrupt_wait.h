#pragma once
// Waiting between ticks while watching for Ctrl-C: a run that is interrupted ends at its next
// look, after it has given the terminal back, instead of dying in the middle of a frame.

#include <cstdint>

// From now on Ctrl-C (and, outside Windows, SIGTERM and SIGHUP) only sets a flag.
void WatchInterrupts();

bool InterruptRequested();

// Sleeps for up to the given nanoseconds; a signal may end the nap early.
void Nap(int64_t nanoseconds);

// Ends the process as the interrupt would have, now that the terminal is restored: outside
// Windows by the same signal, so that a calling shell sees it. Returns the exit status to use
// where the process goes on (Windows): 130.
int EndAfterInterrupt();
