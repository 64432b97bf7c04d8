#include "win32/saver_window.h"

#include <cstdlib>

#include "display/playback.h"
#include "win32/board_renderer.h"
#include "win32/password_check.h"
#include "win32/pgn_file.h"
#include "win32/resource_ids.h"
#include "win32/saver_state.h"
#include "win32/settings_store.h"
#include "win32/skin_catalogue.h"

namespace {

constexpr int32_t kInfoFontHeight = 24;
constexpr const char* kInfoFontFace = "Palatino Linotype";

bool IsFullScreen() {
    return theShell.fullScreen == 1;
}

void AppendErrorLine(const char* text) {
    if (!theShell.errorText.empty()) theShell.errorText.append("\n");
    theShell.errorText.append(text);
}

void CreateDrawingSurface(HWND window) {
    HDC windowDC = GetDC(window);
    theShell.drawDC = CreateCompatibleDC(windowDC);
    theShell.drawBitmap =
        CreateCompatibleBitmap(windowDC, theShell.clientRect.right, theShell.clientRect.bottom);
    theShell.drawDCFirstBitmap = SelectObject(theShell.drawDC, theShell.drawBitmap);
    ReleaseDC(window, windowDC);
}

HFONT CreateInfoFont() {
    return CreateFontA(kInfoFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, kInfoFontFace);
}

void LoadSkin(HWND window) {
    HDC windowDC = GetDC(window);
    theShell.skinDC = CreateCompatibleDC(windowDC);
    ReleaseDC(window, windowDC);
    theShell.skinBitmap = LoadSaverSkin(theSettings);
    if (theShell.skinBitmap == nullptr) {
        theShell.errorText = CharString(kSkinsMissingText);
        theShell.skinDCFirstBitmap = nullptr;
    } else {
        theShell.skinDCFirstBitmap = SelectObject(theShell.skinDC, theShell.skinBitmap);
    }
}

void LoadPgnText() {
    switch (ReadPgnFile(theSettings.pgnPath, theShell.pgnText)) {
        case PgnFileResult::NotOpened:
            AppendErrorLine(kPgnMissingText);
            break;
        case PgnFileResult::OutOfMemory:
            AppendErrorLine(kOutOfMemoryText);
            break;
        case PgnFileResult::Read:
        case PgnFileResult::ReadFailed:  // plays what was read before the error, as before
            break;
    }
}

void SetUpSaverWindow(HWND window) {
    std::srand(GetTickCount());
    GetClientRect(window, &theShell.clientRect);
    CreateDrawingSurface(window);
    theShell.infoFont = IsFullScreen() ? CreateInfoFont() : nullptr;
    theShell.errorText = CharString();
    theShell.backgroundBrush = CreateSolidBrush(theSettings.backgroundColor);
    LoadSkin(window);
    theShell.drawDCFirstFont =
        theShell.infoFont != nullptr ? SelectObject(theShell.drawDC, theShell.infoFont) : nullptr;
    LoadPgnText();
    if (theShell.errorText.empty()) {
        LoadCurrentGame(theGame, theGameInfo, theSettings.currentGameNumber, theShell.pgnText);
    }
    StartPlayback(theShell.stepCountdown, theSettings);
    SetTimer(window, kPlaybackTimerId, kPlaybackTimerMilliseconds, nullptr);
    GetCursorPos(&theShell.cursorAnchor);
    theShell.windowResourcesLive = 1;
}

void ReleaseSkin() {
    if (theShell.skinDCFirstBitmap != nullptr) {
        SelectObject(theShell.skinDC, theShell.skinDCFirstBitmap);
    }
    DeleteDC(theShell.skinDC);
    theShell.skinDC = nullptr;
    DeleteObject(theShell.skinBitmap);
    theShell.skinBitmap = nullptr;
    DeleteObject(theShell.backgroundBrush);
    theShell.backgroundBrush = nullptr;
}

void ReleaseDrawingSurface() {
    if (theShell.drawDCFirstFont != nullptr) {
        SelectObject(theShell.drawDC, theShell.drawDCFirstFont);
    }
    SelectObject(theShell.drawDC, theShell.drawDCFirstBitmap);
    DeleteDC(theShell.drawDC);
    theShell.drawDC = nullptr;
    DeleteObject(theShell.infoFont);
    theShell.infoFont = nullptr;
    DeleteObject(theShell.drawBitmap);
    theShell.drawBitmap = nullptr;
}

// Runs once: a close request or destroy message queued behind the quit message finds nothing
// left to release and stores nothing again.
void CleanUpSaverWindow() {
    if (theShell.windowResourcesLive == 0) return;
    theShell.windowResourcesLive = 0;
    ReleaseSkin();
    if (IsFullScreen()) StoreCurrentGameNumber(theSettings);
    ReleaseDrawingSurface();
    PostQuitMessage(0);
}

void RequestClose(HWND window) {
    SendMessageA(window, WM_CLOSE, 0, 0);
}

LRESULT OnCreate(HWND window, UINT, WPARAM, LPARAM) {
    SetUpSaverWindow(window);
    return 0;
}

LRESULT OnPaint(HWND window, UINT, WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    PaintSaverSurface(target);
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnTimer(HWND window, UINT, WPARAM, LPARAM) {
    if (theShell.windowResourcesLive == 0) return 0;
    if (OnPlaybackTick(theShell.stepCountdown, !theShell.errorText.empty(), theGame, theGameInfo,
                       theSettings, theShell.pgnText)) {
        InvalidateRect(window, nullptr, FALSE);
    }
    return 0;
}

LRESULT OnMouseMove(HWND window, UINT, WPARAM, LPARAM) {
    if (!IsFullScreen()) return 0;
    POINT cursor;
    GetCursorPos(&cursor);
    if (std::abs(cursor.x - theShell.cursorAnchor.x) > kMouseJumpLimit ||
        std::abs(cursor.y - theShell.cursorAnchor.y) > kMouseJumpLimit) {
        // The anchor stays: after a refused password the next jump asks again.
        RequestClose(window);
    } else {
        theShell.cursorAnchor = cursor;
    }
    return 0;
}

LRESULT OnInput(HWND window, UINT, WPARAM, LPARAM) {
    if (IsFullScreen()) RequestClose(window);
    return 0;
}

LRESULT OnActivation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (wParam == 0) RequestClose(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT OnSetCursor(HWND, UINT, WPARAM, LPARAM) {
    if (IsFullScreen()) SetCursor(nullptr);
    return 0;
}

LRESULT OnSysCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The low four bits of the command are the system's own.
    if (IsFullScreen() && (wParam & 0xFFF0) == SC_MONITORPOWER) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return 0;
}

LRESULT OnPowerBroadcast(HWND window, UINT, WPARAM wParam, LPARAM) {
    if (wParam == PBT_APMSUSPEND) {
        RequestClose(window);
        return 0;
    }
    return wParam == PBT_APMQUERYSUSPEND ? TRUE : 0;
}

LRESULT OnClose(HWND, UINT, WPARAM, LPARAM) {
    CloseSaverWindowOnPlatform(RunningPlatformId());
    return 0;
}

LRESULT OnDestroy(HWND, UINT, WPARAM, LPARAM) {
    CleanUpSaverWindow();
    return 0;
}

using MessageHandler = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct MessageRoute {
    UINT message;
    MessageHandler handler;
};

constexpr MessageRoute kMessageRoutes[] = {
    {WM_CREATE, OnCreate},
    {WM_PAINT, OnPaint},
    {WM_TIMER, OnTimer},
    {WM_MOUSEMOVE, OnMouseMove},
    {WM_KEYDOWN, OnInput},
    {WM_SYSKEYDOWN, OnInput},
    {WM_LBUTTONDOWN, OnInput},
    {WM_RBUTTONDOWN, OnInput},
    {WM_MBUTTONDOWN, OnInput},
    {WM_ACTIVATE, OnActivation},
    {WM_ACTIVATEAPP, OnActivation},
    {WM_NCACTIVATE, OnActivation},
    {WM_SETCURSOR, OnSetCursor},
    {WM_SYSCOMMAND, OnSysCommand},
    {WM_POWERBROADCAST, OnPowerBroadcast},
    {WM_CLOSE, OnClose},
    {WM_DESTROY, OnDestroy},
};

}  // namespace

void CloseSaverWindowOnPlatform(DWORD platformId) {
    if (theShell.windowResourcesLive == 0) return;
    if (theShell.verifyingPassword != 0) return;
    if (VerifyClosePasswordOnPlatform(platformId) == 0) return;
    CleanUpSaverWindow();
}

bool RegisterSaverClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SaverWindowProc;
    windowClass.hInstance = instance;
    // The program's own icon; the saver's windows never show a class icon anyway.
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SAVER_ICON));
    windowClass.hCursor = nullptr;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = theShell.className;
    return RegisterClassExA(&windowClass) != 0;
}

bool CreateSaverWindow(HINSTANCE instance, int showCommand) {
    HWND window = nullptr;
    if (IsFullScreen()) {
        HDC screen = GetDC(nullptr);
        const int width = GetDeviceCaps(screen, HORZRES);
        const int height = GetDeviceCaps(screen, VERTRES);
        ReleaseDC(nullptr, screen);
        window = CreateWindowExA(WS_EX_TOPMOST, theShell.className, theShell.windowTitle,
                                 WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                                 instance, nullptr);
    } else {
        RECT parentArea{};
        GetClientRect(theShell.parentWindow, &parentArea);
        window = CreateWindowExA(0, theShell.className, theShell.windowTitle, WS_CHILD | WS_VISIBLE,
                                 0, 0, parentArea.right, parentArea.bottom, theShell.parentWindow,
                                 nullptr, instance, nullptr);
    }
    if (window == nullptr) return false;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    for (const MessageRoute& route : kMessageRoutes) {
        if (route.message == message) return route.handler(window, message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RenderSaverSurface() {
    if (theShell.windowResourcesLive == 0) return;
    HDC surface = theShell.drawDC;
    SetTextColor(surface, theSettings.fontColor);
    SetBkColor(surface, theSettings.backgroundColor);
    FillRect(surface, &theShell.clientRect, theShell.backgroundBrush);
    if (!theShell.errorText.empty()) {
        RECT area = theShell.clientRect;
        DrawTextA(surface, theShell.errorText.chars(), theShell.errorText.length(), &area,
                  DT_WORDBREAK);
        return;
    }
    DrawPosition(theShell.fullScreen, theSettings, theGame, theGameInfo, surface, theShell.skinDC,
                 theShell.clientRect);
}

void PaintSaverSurface(HDC target) {
    if (theShell.windowResourcesLive == 0) return;
    RenderSaverSurface();
    BitBlt(target, 0, 0, theShell.clientRect.right, theShell.clientRect.bottom, theShell.drawDC, 0,
           0, SRCCOPY);
}
