#pragma once
// The saver's process-wide records: the shell's state, the saver's settings, the game on show and
// its information texts. One instance each, living for the whole process.

#include <windows.h>

#include <cstdint>

#include "chess/game_state.h"
#include "display/board_layout.h"
#include "display/settings.h"
#include "pgn/pgn_reader.h"
#include "text/char_string.h"
#include "win32/info_text.h"

// Resource texts are read with this limit, terminator included.
constexpr int32_t kResourceTextCapacity = 100;

struct ShellState {
    HINSTANCE instance;
    char noticeText[kResourceTextCapacity];   // string 107
    char windowTitle[kResourceTextCapacity];  // string 108
    char className[kResourceTextCapacity];    // string 111
    char versionText[kResourceTextCapacity];  // string 110
    HWND parentWindow;                        // from the command line; null in full-screen
    int32_t fullScreen;                       // 1 full-screen, 0 otherwise
    int32_t verifyingPassword;                // 1 while the close password is asked
    RECT clientRect;
    HDC drawDC;
    HBITMAP drawBitmap;
    HFONT infoFont;  // full-screen only
    HBRUSH backgroundBrush;
    HDC skinDC;
    HBITMAP skinBitmap;
    CharString errorText;
    int32_t stepCountdown;
    POINT cursorAnchor;
    CharString pgnText;
    // What the surfaces held when they were made, put back before they are deleted.
    HGDIOBJ drawDCFirstBitmap;
    HGDIOBJ drawDCFirstFont;
    HGDIOBJ skinDCFirstBitmap;
    // 1 from the window's set-up to its clean-up: late close or destroy messages find it 0.
    int32_t windowResourcesLive;
    // Where the board and its texts go inside the client area: the primary monitor in
    // full-screen (the window spans every monitor), the whole area in the preview.
    RECT boardArea;
    BoardLayout boardLayout;
    // The surface's pixels when it is a DIB section (moves slide), else null.
    uint32_t* drawPixels;
    // The skin redrawn at the board's cell size, when the board is not drawn from the loaded
    // skin's own cells; null otherwise.
    HDC boardSkinDC;
    HBITMAP boardSkinBitmap;
    HGDIOBJ boardSkinDCFirstBitmap;
    uint32_t* boardSkinPixels;
    InfoFonts infoFonts;
    HWND window;  // the saver window, from its set-up
    // The slide of the latest move: 1 while timer 2 runs, and when it began (GetTickCount).
    int32_t sliding;
    uint32_t slideStart;
};

extern ShellState theShell;
extern SaverSettings theSettings;
extern GameState theGame;
extern GameInfo theGameInfo;
