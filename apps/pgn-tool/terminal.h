#pragma once
// The terminal play draws in: whether stdout is one, its size, and, for the length of a run, the
// alternate screen with a hidden cursor and as many colours as the terminal takes.

#include <cstdint>

#include "apps/pgn-tool/play_frame.h"

struct TerminalSession {
    bool open;
    FrameColours colours;
    uint32_t savedConsoleMode;      // Windows: the console's output mode before the session
    uint32_t savedConsoleCodePage;  // Windows: its output code page before the session
};

// Whether stdout is a terminal (a console on Windows).
bool StdoutIsTerminal();

// The terminal's size in character cells; zero in both when it is not known.
FrameArea TerminalArea();

// Takes over the screen when stdout is a terminal that takes colour escapes (not TERM=dumb nor
// NO_COLOR; on Windows, a console that takes virtual-terminal sequences). False, with nothing
// changed, otherwise.
bool OpenTerminalSession(TerminalSession& session);

// Gives the screen back: colours reset, cursor shown, the main screen as it was.
void CloseTerminalSession(TerminalSession& session);
