#pragma once
// Drives the saver window in-process: a private installation folder with a skin of one-colour
// cells and a PGN file, the shell's records set as the entry point would set them, and a
// surface to read the painted pixels back from.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "win32/saver_state.h"
#include "win32_test_support.h"

constexpr const char* kTestClassName = "QUORVANE_TEST";

// Two games: 1. e4 e5 between Wanda and Bert, then 1. d4 without names.
extern const char* const kTwoGames;

// A 32-bit top-down DIB section with its own memory DC.
struct Surface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;

    Surface(int32_t w, int32_t h);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    COLORREF Pixel(int32_t x, int32_t y) const;
    // True when every pixel of the rectangle is colour.
    bool AllOf(int32_t left, int32_t top, int32_t right, int32_t bottom, COLORREF colour) const;
    // True when some pixel of the rectangle differs from colour.
    bool AnyBut(int32_t left, int32_t top, int32_t right, int32_t bottom, COLORREF colour) const;
};

// The largest difference of the three channels.
int32_t ColourDistance(COLORREF a, COLORREF b);

struct SaverFixture {
    TemporaryFolder folder;
    std::wstring skinFolder;
    std::wstring pgnPath;
    HWND parent = nullptr;
    HWND saver = nullptr;

    // Writes Skin\Cells.bmp and games.pgn, resets the shell's records and the settings.
    SaverFixture();
    ~SaverFixture();

    // The preview child inside a new parent of the given client size.
    HWND OpenPreview(int32_t width, int32_t height);
    HWND OpenFullScreen();
    // Closes whatever is open and drains the queue, the quit message included.
    void CloseAll();
};

// The saver's clock in the tests: it stands still until a test moves it.
extern int64_t fakeNow;
int64_t FakeClock();

// Moves the clock on and lets the window's timer fire once.
void AdvanceClock(HWND saver, int64_t milliseconds);

// Dispatches every queued message; true when a quit message was among them.
bool DrainMessages();

// Paints the saver's current picture into a surface of the client area's size.
std::unique_ptr<Surface> Capture();

// The user's stored "Current game number", or -1000 when there is none.
int32_t StoredGameNumber();
