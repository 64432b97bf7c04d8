#include "saver_window_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "win32/saver_window.h"
#include "win32/settings_store.h"

const char* const kTwoGames =
    "[White \"Wanda\"]\r\n[Black \"Bert\"]\r\n[Date \"2011.02.14\"]\r\n[Event \"Test\"]\r\n"
    "[Site \"Here\"]\r\n\r\n1. e4 e5 *\r\n\r\n"
    "[Event \"Second\"]\r\n\r\n1. d4 *\r\n";

Surface::Surface(int32_t w, int32_t h) : width(w), height(h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<uint32_t*>(bits);
    previous = SelectObject(dc, bitmap);
}

Surface::~Surface() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

COLORREF Surface::Pixel(int32_t x, int32_t y) const {
    GdiFlush();
    const uint32_t value =
        pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return RGB((value >> 16) & 0xff, (value >> 8) & 0xff, value & 0xff);
}

bool Surface::AllOf(int32_t left, int32_t top, int32_t right, int32_t bottom,
                    COLORREF colour) const {
    for (int32_t y = top; y < bottom; ++y) {
        for (int32_t x = left; x < right; ++x) {
            if (Pixel(x, y) != colour) return false;
        }
    }
    return true;
}

bool Surface::AnyBut(int32_t left, int32_t top, int32_t right, int32_t bottom,
                     COLORREF colour) const {
    return !AllOf(left, top, right, bottom, colour);
}

int32_t ColourDistance(COLORREF a, COLORREF b) {
    const int32_t dr = std::abs(GetRValue(a) - GetRValue(b));
    const int32_t dg = std::abs(GetGValue(a) - GetGValue(b));
    const int32_t db = std::abs(GetBValue(a) - GetBValue(b));
    return std::max(dr, std::max(dg, db));
}

namespace {

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClassesOnce() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    std::strcpy(theShell.className, kTestClassName);
    ASSERT_TRUE(RegisterSaverClass(GetModuleHandleA(nullptr)));
    WNDCLASSA parentClass{};
    parentClass.lpfnWndProc = ParentProc;
    parentClass.hInstance = GetModuleHandleA(nullptr);
    parentClass.lpszClassName = "QUORVANE_TEST_PARENT";
    ASSERT_NE(RegisterClassA(&parentClass), 0);
}

}  // namespace

SaverFixture::SaverFixture()
    : skinFolder(folder.File(L"Skin")), pgnPath(folder.File(L"games.pgn")) {
    CreateDirectoryW(skinFolder.c_str(), nullptr);
    WriteCellSkin(skinFolder + L"\\Cells.bmp");
    WriteFileBytes(pgnPath, kTwoGames);
    theShell.instance = GetModuleHandleA(nullptr);
    std::strcpy(theShell.className, kTestClassName);
    std::strcpy(theShell.windowTitle, "Quorvane");
    theShell.parentWindow = nullptr;
    theShell.fullScreen = 0;
    theShell.verifyingPassword = 0;
    theSettings = SettingsFor(folder.path(), pgnPath, L"Cells.bmp");
    theSession = SaverSession{};
    fakeNow = 0;
    theShell.clock = FakeClock;
    RegisterClassesOnce();
    DeleteSettingsKeys();
}

SaverFixture::~SaverFixture() {
    CloseAll();
    DeleteSettingsKeys();
}

HWND SaverFixture::OpenPreview(int32_t width, int32_t height) {
    parent = CreateWindowExA(0, "QUORVANE_TEST_PARENT", "preview host", WS_POPUP | WS_VISIBLE, 0, 0,
                             width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    theShell.fullScreen = 0;
    theShell.parentWindow = parent;
    EXPECT_TRUE(CreateSaverWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
    saver = FindWindowExA(parent, nullptr, kTestClassName, nullptr);
    return saver;
}

HWND SaverFixture::OpenFullScreen() {
    theShell.fullScreen = 1;
    theShell.parentWindow = nullptr;
    EXPECT_TRUE(CreateSaverWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL));
    saver = FindWindowA(kTestClassName, nullptr);
    return saver;
}

void SaverFixture::CloseAll() {
    if (saver != nullptr && IsWindow(saver)) DestroyWindow(saver);
    if (parent != nullptr && IsWindow(parent)) DestroyWindow(parent);
    saver = nullptr;
    parent = nullptr;
    DrainMessages();
}

int64_t fakeNow = 0;

int64_t FakeClock() {
    return fakeNow;
}

void AdvanceClock(HWND saver, int64_t milliseconds) {
    fakeNow += milliseconds;
    SendMessageA(saver, WM_TIMER, kSessionTimerId, 0);
}

bool DrainMessages() {
    bool quit = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return quit;
}

std::unique_ptr<Surface> Capture() {
    auto surface = std::make_unique<Surface>(theShell.clientRect.right, theShell.clientRect.bottom);
    PaintSaverSurface(surface->dc);
    return surface;
}

int32_t StoredGameNumber() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return -1000;
    }
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LONG result = RegQueryValueExW(key, L"Current game number", nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? static_cast<int32_t>(value) : -1000;
}
