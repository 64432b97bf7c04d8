#include "win32/saver_window.h"

#include <cstdlib>

#include "display/move_animation.h"
#include "display/playback.h"
#include "display/screen_layout.h"
#include "display/skin_scale.h"
#include "win32/board_renderer.h"
#include "win32/password_check.h"
#include "win32/pgn_file.h"
#include "win32/resource_ids.h"
#include "win32/saver_state.h"
#include "win32/settings_store.h"
#include "win32/skin_catalogue.h"

namespace {

// At most this many monitors are taken into the window's span.
constexpr int32_t kMaxMonitors = 16;

bool IsFullScreen() {
    return theShell.fullScreen == 1;
}

void AppendErrorLine(const char* text) {
    if (!theShell.errorText.empty()) theShell.errorText.append("\n");
    theShell.errorText.append(text);
}

bool SlidesMoves() {
    return theSettings.animateMoves != 0;
}

// A top-down 32-bit DIB section, so that a travelling piece can be laid on its pixels.
HBITMAP CreatePixelBitmap(HDC dc, int32_t width, int32_t height, uint32_t*& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = bitmap != nullptr ? static_cast<uint32_t*>(bits) : nullptr;
    return bitmap;
}

void CreateDrawingSurface(HWND window) {
    HDC windowDC = GetDC(window);
    theShell.drawDC = CreateCompatibleDC(windowDC);
    const int32_t width = theShell.clientRect.right;
    const int32_t height = theShell.clientRect.bottom;
    theShell.drawPixels = nullptr;
    theShell.drawBitmap = SlidesMoves()
                              ? CreatePixelBitmap(windowDC, width, height, theShell.drawPixels)
                              : CreateCompatibleBitmap(windowDC, width, height);
    theShell.drawDCFirstBitmap = SelectObject(theShell.drawDC, theShell.drawBitmap);
    ReleaseDC(window, windowDC);
}

// The drawing a board of the layout's cell size is best made from: the skin's larger drawing at
// the nearest scale at or above the cell, else the loaded skin itself. Returns its scale.
HBITMAP LargestUsefulDrawing(const WideChar* skinName, int32_t& scale) {
    bool available[kLargeSkinScaleCount] = {};
    HBITMAP drawings[kLargeSkinScaleCount] = {};
    for (int32_t i = 0; i < kLargeSkinScaleCount; ++i) {
        drawings[i] = LoadLargeSkin(theSettings, skinName, kLargeSkinScales[i]);
        available[i] = drawings[i] != nullptr;
    }
    scale = ChooseSkinScale(theShell.boardLayout.cellSize, available);
    HBITMAP chosen = nullptr;
    for (int32_t i = 0; i < kLargeSkinScaleCount; ++i) {
        if (kLargeSkinScales[i] == scale) {
            chosen = drawings[i];
        } else if (drawings[i] != nullptr) {
            DeleteObject(drawings[i]);
        }
    }
    return chosen;
}

// Redraws the skin at the board's cell size, cell by cell with halftone so that no cell takes
// colour from its neighbours: down from a larger drawing, or up from the user's own skin.
void PrepareBoardSkin(HWND window, const WideChar* skinName) {
    const int32_t cell = theShell.boardLayout.cellSize;
    theShell.boardSkinDC = nullptr;
    // The classic saver and preview draw from the loaded skin as they always have.
    if (!SlidesMoves() && (cell == kSkinCellSize || !IsFullScreen())) return;
    int32_t scale = 1;
    HBITMAP large = cell > kSkinCellSize ? LargestUsefulDrawing(skinName, scale) : nullptr;
    HDC windowDC = GetDC(window);
    HDC source = theShell.skinDC;
    HDC largeDC = nullptr;
    if (large != nullptr) {
        largeDC = CreateCompatibleDC(windowDC);
        SelectObject(largeDC, large);
        source = largeDC;
    }
    theShell.boardSkinDC = CreateCompatibleDC(windowDC);
    theShell.boardSkinBitmap =
        CreatePixelBitmap(windowDC, 10 * cell, 7 * cell, theShell.boardSkinPixels);
    ReleaseDC(window, windowDC);
    theShell.boardSkinDCFirstBitmap = SelectObject(theShell.boardSkinDC, theShell.boardSkinBitmap);
    SetStretchBltMode(theShell.boardSkinDC, HALFTONE);
    SetBrushOrgEx(theShell.boardSkinDC, 0, 0, nullptr);
    const int32_t sourceCell = kSkinCellSize * scale;
    for (int32_t row = 0; row < 7; ++row) {
        for (int32_t column = 0; column < 10; ++column) {
            StretchBlt(theShell.boardSkinDC, column * cell, row * cell, cell, cell, source,
                       column * sourceCell, row * sourceCell, sourceCell, sourceCell, SRCCOPY);
        }
    }
    GdiFlush();
    if (largeDC != nullptr) {
        DeleteDC(largeDC);
        DeleteObject(large);
    }
}

void LoadSkin(HWND window) {
    HDC windowDC = GetDC(window);
    theShell.skinDC = CreateCompatibleDC(windowDC);
    ReleaseDC(window, windowDC);
    WideChar skinName[kPathCapacity] = {0};
    theShell.skinBitmap = LoadSaverSkin(theSettings, skinName);
    theShell.boardSkinDC = nullptr;
    if (theShell.skinBitmap == nullptr) {
        theShell.errorText = CharString(kSkinsMissingText);
        theShell.skinDCFirstBitmap = nullptr;
    } else {
        theShell.skinDCFirstBitmap = SelectObject(theShell.skinDC, theShell.skinBitmap);
        PrepareBoardSkin(window, skinName);
    }
}

// The board's place: on the primary monitor in full-screen, with the fitted cell when asked for.
void LayOutBoard() {
    if (!IsFullScreen() || theShell.boardArea.right <= theShell.boardArea.left) {
        theShell.boardArea = theShell.clientRect;
    }
    const RECT& area = theShell.boardArea;
    BoardLayout layout =
        IsFullScreen() ? ComputeFullScreenLayout(area.right - area.left, area.bottom - area.top,
                                                 theSettings.fitBoard != 0)
                       : ComputeBoardLayout(area.right - area.left, area.bottom - area.top, false);
    layout.left += area.left;
    layout.top += area.top;
    theShell.boardLayout = layout;
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
    theShell.window = window;
    GetClientRect(window, &theShell.clientRect);
    LayOutBoard();
    CreateDrawingSurface(window);
    const int32_t fontHeight = InfoFontHeight(theShell.boardLayout.cellSize);
    theShell.infoFont = IsFullScreen() ? CreateInfoFont(fontHeight) : nullptr;
    theShell.infoFonts = InfoFonts{};
    theShell.infoFonts.height = fontHeight;
    theShell.sliding = 0;
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
    if (theShell.boardSkinDC != nullptr) {
        SelectObject(theShell.boardSkinDC, theShell.boardSkinDCFirstBitmap);
        DeleteDC(theShell.boardSkinDC);
        DeleteObject(theShell.boardSkinBitmap);
        theShell.boardSkinDC = nullptr;
        theShell.boardSkinBitmap = nullptr;
        theShell.boardSkinPixels = nullptr;
    }
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
    theShell.drawPixels = nullptr;
    ReleaseInfoFonts(theShell.infoFonts);
}

// Runs once: a close request or destroy message queued behind the quit message finds nothing
// left to release and stores nothing again.
void CleanUpSaverWindow() {
    if (theShell.windowResourcesLive == 0) return;
    theShell.windowResourcesLive = 0;
    if (theShell.sliding != 0) KillTimer(theShell.window, kSlideTimerId);
    theShell.sliding = 0;
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

bool IsInside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

LRESULT OnPaint(HWND window, UINT, WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    // When moves slide, their frames ask for part of the board alone; anything wider is a whole
    // new picture. The classic saver always paints everything.
    if (SlidesMoves() && IsInside(paint.rcPaint, BoardRect())) {
        PaintBoardPart(target, paint.rcPaint);
    } else {
        PaintSaverSurface(target);
    }
    EndPaint(window, &paint);
    return 0;
}

void InvalidateBand(HWND window, const TextBand& band) {
    const RECT rect{band.left, band.top, band.right, band.bottom};
    InvalidateRect(window, &rect, FALSE);
}

// A new ply of the same game starts a slide, when moves slide: timer 2 then asks for frames
// until the piece has arrived.
void StartSlide(HWND window) {
    theShell.slideStart = GetTickCount();
    if (theShell.sliding == 0) SetTimer(window, kSlideTimerId, kSlideTimerMilliseconds, nullptr);
    theShell.sliding = 1;
}

void OnPlaybackTimer(HWND window) {
    const int32_t gameBefore = theSettings.currentGameNumber;
    const int32_t plyBefore = theGame.ply;
    if (!OnPlaybackTick(theShell.stepCountdown, !theShell.errorText.empty(), theGame, theGameInfo,
                        theSettings, theShell.pgnText)) {
        return;
    }
    const bool nextPly =
        theSettings.currentGameNumber == gameBefore && theGame.ply == plyBefore + 1;
    if (SlidesMoves() && nextPly) {
        // The screen already shows the slide's first frame, the board before the move: the
        // frames to come repaint what they change.
        StartSlide(window);
        return;
    }
    InvalidateRect(window, nullptr, FALSE);
}

void OnSlideTimer(HWND window) {
    if (theShell.sliding == 0) return;
    if (SlideElapsed() >= kSlideMilliseconds) {
        // The last frame: the capture gone, the marks moved to this move's squares, and at a
        // game's end the home page line; the board alone when the texts stay as they are.
        KillTimer(window, kSlideTimerId);
        theShell.sliding = 0;
        if (IsFinalPosition(theGame)) {
            InvalidateRect(window, nullptr, FALSE);
        } else {
            const RECT board = BoardRect();
            InvalidateRect(window, &board, FALSE);
        }
        return;
    }
    InvalidateBand(window, SlideBounds(theGame, theShell.boardLayout));
}

LRESULT OnTimer(HWND window, UINT, WPARAM timerId, LPARAM) {
    if (theShell.windowResourcesLive == 0) return 0;
    if (timerId == kSlideTimerId) {
        OnSlideTimer(window);
    } else {
        OnPlaybackTimer(window);
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

namespace {

struct MonitorList {
    MonitorArea areas[kMaxMonitors];
    int32_t count;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& list = *reinterpret_cast<MonitorList*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (list.count < kMaxMonitors && GetMonitorInfoW(monitor, &info) != 0) {
        const RECT& r = info.rcMonitor;
        list.areas[list.count++] = MonitorArea{{r.left, r.top, r.right, r.bottom},
                                               (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
    }
    return TRUE;
}

// Every monitor, or the primary screen alone when the monitors cannot be listed.
ScreenLayout MeasureScreens() {
    MonitorList list{};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    const ScreenLayout layout = ComputeScreenLayout(list.areas, list.count);
    if (layout.window.right > layout.window.left && layout.window.bottom > layout.window.top) {
        return layout;
    }
    HDC screen = GetDC(nullptr);
    const int32_t width = GetDeviceCaps(screen, HORZRES);
    const int32_t height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    return ScreenLayout{{0, 0, width, height}, {0, 0, width, height}};
}

}  // namespace

bool CreateSaverWindow(HINSTANCE instance, int showCommand) {
    HWND window = nullptr;
    if (IsFullScreen()) {
        const ScreenLayout screens = MeasureScreens();
        const ScreenRect& span = screens.window;
        const ScreenRect& primary = screens.primary;
        theShell.boardArea = RECT{primary.left, primary.top, primary.right, primary.bottom};
        window = CreateWindowExA(WS_EX_TOPMOST, theShell.className, theShell.windowTitle,
                                 WS_POPUP | WS_VISIBLE, span.left, span.top, span.right - span.left,
                                 span.bottom - span.top, nullptr, nullptr, instance, nullptr);
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

namespace {

int32_t SlideElapsedNow() {
    if (theShell.sliding == 0) return kSlideMilliseconds;
    return static_cast<int32_t>(GetTickCount() - theShell.slideStart);
}

BoardPaint SaverBoardPaint() {
    BoardPaint paint{};
    paint.fullScreen = theShell.fullScreen;
    paint.area = theShell.boardArea;
    paint.layout = theShell.boardLayout;
    const bool prepared = theShell.boardSkinDC != nullptr;
    paint.skin = prepared ? theShell.boardSkinDC : theShell.skinDC;
    paint.skinCellSize = prepared ? paint.layout.cellSize : kSkinCellSize;
    paint.slideElapsed = SlideElapsedNow();
    paint.targetPixels = PixelView{theShell.drawPixels, theShell.clientRect.right,
                                   theShell.clientRect.bottom, theShell.clientRect.right};
    const int32_t cell = paint.layout.cellSize;
    paint.skinPixels = ConstPixelView{theShell.boardSkinPixels, 10 * cell, 7 * cell, 10 * cell};
    paint.fonts = IsFullScreen() ? &theShell.infoFonts : nullptr;
    return paint;
}

}  // namespace

RECT BoardRect() {
    const BoardLayout& layout = theShell.boardLayout;
    return RECT{layout.left, layout.top, layout.left + 8 * layout.cellSize,
                layout.top + 8 * layout.cellSize};
}

int32_t SlideElapsed() {
    return SlideElapsedNow();
}

void RenderSaverSurface() {
    if (theShell.windowResourcesLive == 0) return;
    HDC surface = theShell.drawDC;
    SetTextColor(surface, theSettings.fontColor);
    SetBkColor(surface, theSettings.backgroundColor);
    FillRect(surface, &theShell.clientRect, theShell.backgroundBrush);
    if (!theShell.errorText.empty()) {
        RECT area = theShell.boardArea;  // on the primary monitor, where the board would be
        DrawTextA(surface, theShell.errorText.chars(), theShell.errorText.length(), &area,
                  DT_WORDBREAK);
        return;
    }
    PaintBoard(theSettings, theGame, theGameInfo, surface, SaverBoardPaint());
}

void PaintBoardPart(HDC target, RECT part) {
    if (theShell.windowResourcesLive == 0) return;
    if (!theShell.errorText.empty()) {
        PaintSaverSurface(target);
        return;
    }
    // Only the squares under the part: a slide's frame changes two to four of them.
    BoardPaint paint = SaverBoardPaint();
    paint.only = part;
    PaintSquares(theSettings, theGame, theShell.drawDC, paint);
    BitBlt(target, part.left, part.top, part.right - part.left, part.bottom - part.top,
           theShell.drawDC, part.left, part.top, SRCCOPY);
}

void PaintSaverSurface(HDC target) {
    if (theShell.windowResourcesLive == 0) return;
    RenderSaverSurface();
    BitBlt(target, 0, 0, theShell.clientRect.right, theShell.clientRect.bottom, theShell.drawDC, 0,
           0, SRCCOPY);
}
