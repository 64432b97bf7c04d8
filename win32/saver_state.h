#pragma once
// The saver's process-wide records: the shell's state (the window's handles and surfaces), the
// settings the entry point loaded, and the session that decides what the window shows. One
// instance each, living for the whole process.

#include <windows.h>

#include <cstdint>

#include "display/saver_session.h"
#include "display/settings.h"
#include "win32/picture_text.h"

// Resource texts are read with this limit, terminator included.
constexpr int32_t kResourceTextCapacity = 100;

// The skin redrawn at one board's cell size, cell by cell.
struct BoardSheet {
    int32_t cellSize;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ firstBitmap;
    uint32_t* pixels;
};

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
    // The boards' off-screen surface: one rank of the largest board.
    HDC drawDC;
    HBITMAP drawBitmap;
    int32_t drawWidth;
    int32_t drawHeight;
    TextFonts textFonts;
    HBRUSH backgroundBrush;
    // The skin's classic drawing, and the larger drawing a fitted board was made from (released
    // once the board's sheet is made).
    HDC skinDC;
    HBITMAP skinBitmap;
    HBITMAP largeSkinBitmap;
    POINT cursorAnchor;
    // What the surfaces held when they were made, put back before they are deleted.
    HGDIOBJ drawDCFirstBitmap;
    HGDIOBJ skinDCFirstBitmap;
    // 1 from the window's set-up to its clean-up: late close or destroy messages find it 0.
    int32_t windowResourcesLive;
    // The boards' surface's pixels when it is a DIB section (moves slide), else null.
    uint32_t* drawPixels;
    // The skin redrawn at each board's cell size, when the boards are not drawn from the loaded
    // skin's own cells.
    BoardSheet sheets[kMaxMonitors];
    int32_t sheetCount;
    HWND window;                 // the saver window, from its set-up
    HPOWERNOTIFY displayNotice;  // the monitors' on and off, while the window lives
    // The clock the session runs on, in milliseconds; null: the system's tick count. A test puts
    // a clock of its own here.
    int64_t (*clock)();
};

extern ShellState theShell;
extern SaverSettings theSettings;
extern SaverSession theSession;
