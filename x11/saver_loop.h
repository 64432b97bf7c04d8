#pragma once
// The native program's run: settings, skin and game loaded as the Windows saver loads them, the
// one-second playback tick, repaints, and a clean end on SIGTERM, SIGINT or (own window) a close
// request, Esc or q (full screen: any key, a mouse button or a mouse jump), writing the game on
// show back to the settings file.

#include "x11/run_options.h"

// Runs until told to stop; the process's exit code: 0 after a clean end, 1 when the display or
// the target window cannot be used.
int RunSaver(const RunOptions& options);
