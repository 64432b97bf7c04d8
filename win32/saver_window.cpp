#include "win32/saver_window.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "display/mouse_jump.h"
#include "display/saver_session.h"
#include "win32/board_renderer.h"
#include "win32/password_check.h"
#include "win32/picture_text.h"
#include "win32/resource_ids.h"
#include "win32/saver_skins.h"
#include "win32/saver_state.h"
#include "win32/settings_store.h"

namespace {

// The longest the timer sleeps: a session with nothing to do is still looked at now and then.
constexpr int64_t kLongestTimerWait = kAsleepWakeMilliseconds;

// GUID_CONSOLE_DISPLAY_STATE: whether the monitors are on, off or dimmed.
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

bool IsFullScreen() {
    return theShell.fullScreen == 1;
}

bool SlidesMoves() {
    return theSession.settings.animateMoves != 0;
}

int64_t Now() {
    return theShell.clock != nullptr ? theShell.clock() : static_cast<int64_t>(GetTickCount64());
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

// The boards' off-screen surface holds one rank of the largest board: a board is drawn through it
// a rank at a time, and a full-screen copy beside the window's own would cost 32 MiB more at
// 3840 x 2160. The background and the texts are drawn on the window itself.
int32_t LargestCell() {
    int32_t cell = 1;
    for (const BoardShow& board : theSession.boards)
        cell = std::max(cell, board.layout.cellSize);
    return cell;
}

void CreateDrawingSurface(HWND window, bool pixels) {
    HDC windowDC = GetDC(window);
    theShell.drawDC = CreateCompatibleDC(windowDC);
    const int32_t cell = LargestCell();
    theShell.drawWidth = 8 * cell;
    theShell.drawHeight = cell;
    theShell.drawPixels = nullptr;
    const int32_t width = theShell.drawWidth;
    const int32_t height = theShell.drawHeight;
    theShell.drawBitmap = pixels ? CreatePixelBitmap(windowDC, width, height, theShell.drawPixels)
                                 : CreateCompatibleBitmap(windowDC, width, height);
    theShell.drawDCFirstBitmap = SelectObject(theShell.drawDC, theShell.drawBitmap);
    ReleaseDC(window, windowDC);
}

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

MonitorList ListMonitors() {
    MonitorList list{};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    return list;
}

// Every monitor, or the primary screen alone when the monitors cannot be listed.
ScreenRect WindowSpan() {
    const MonitorList list = ListMonitors();
    const ScreenLayout layout = ComputeScreenLayout(list.areas, list.count);
    if (layout.window.right > layout.window.left && layout.window.bottom > layout.window.top) {
        return layout.window;
    }
    HDC screen = GetDC(nullptr);
    const int32_t width = GetDeviceCaps(screen, HORZRES);
    const int32_t height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    return ScreenRect{0, 0, width, height};
}

// The window's surface for the session: its size and, full-screen, the monitors it spans, in the
// window's own coordinates.
SaverScreen MeasureScreen(HWND window) {
    SaverScreen screen{};
    screen.kind = IsFullScreen() ? ScreenKind::FullScreen : ScreenKind::Preview;
    screen.width = theShell.clientRect.right;
    screen.height = theShell.clientRect.bottom;
    if (!IsFullScreen()) return screen;
    const MonitorList list = ListMonitors();
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    for (int32_t i = 0; i < list.count; ++i) {
        const ScreenRect& r = list.areas[i].rect;
        screen.monitors[i] = MonitorArea{
            {r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y},
            list.areas[i].primary};
    }
    screen.monitorCount = list.count;
    return screen;
}

void SelectSkin(HWND window) {
    HDC windowDC = GetDC(window);
    theShell.skinDC = CreateCompatibleDC(windowDC);
    ReleaseDC(window, windowDC);
    theShell.skinDCFirstBitmap = theShell.skinBitmap != nullptr
                                     ? SelectObject(theShell.skinDC, theShell.skinBitmap)
                                     : nullptr;
}

// Whether the boards are drawn from sheets of the skin redrawn at their cell sizes: the classic
// saver and preview draw from the loaded skin as they always have.
bool WantsSheets() {
    if (theShell.skinBitmap == nullptr) return false;
    if (SlidesMoves()) return true;
    if (!IsFullScreen()) return false;
    for (const BoardShow& board : theSession.boards) {
        if (board.layout.cellSize != kSkinCellSize) return true;
    }
    return false;
}

// Redraws the skin at cell, cell by cell with halftone so that no cell takes colour from its
// neighbours: down from source's larger drawing, or up from the user's own skin.
BoardSheet MakeSheet(HWND window, HDC source, int32_t sourceCell, int32_t cell) {
    BoardSheet sheet{cell, nullptr, nullptr, nullptr, nullptr};
    HDC windowDC = GetDC(window);
    sheet.dc = CreateCompatibleDC(windowDC);
    sheet.bitmap = CreatePixelBitmap(windowDC, 10 * cell, 7 * cell, sheet.pixels);
    ReleaseDC(window, windowDC);
    sheet.firstBitmap = SelectObject(sheet.dc, sheet.bitmap);
    SetStretchBltMode(sheet.dc, HALFTONE);
    SetBrushOrgEx(sheet.dc, 0, 0, nullptr);
    for (int32_t row = 0; row < 7; ++row) {
        for (int32_t column = 0; column < 10; ++column) {
            StretchBlt(sheet.dc, column * cell, row * cell, cell, cell, source, column * sourceCell,
                       row * sourceCell, sourceCell, sourceCell, SRCCOPY);
        }
    }
    GdiFlush();
    return sheet;
}

// A sheet for every board size, from the drawing the session chose; the larger drawing is not
// needed after that, so a fitted board on a large screen holds its sheets alone.
void PrepareBoardSheets(HWND window) {
    theShell.sheetCount = 0;
    if (!WantsSheets()) return;
    HBITMAP large = theSession.skin.scale > 1 ? theShell.largeSkinBitmap : nullptr;
    HDC source = theShell.skinDC;
    HDC largeDC = nullptr;
    if (large != nullptr) {
        HDC windowDC = GetDC(window);
        largeDC = CreateCompatibleDC(windowDC);
        ReleaseDC(window, windowDC);
        SelectObject(largeDC, large);
        source = largeDC;
    }
    const int32_t sourceCell = kSkinCellSize * (large != nullptr ? theSession.skin.scale : 1);
    for (const BoardShow& board : theSession.boards) {
        const int32_t cell = board.layout.cellSize;
        bool made = cell <= 0;
        for (int32_t i = 0; i < theShell.sheetCount; ++i)
            made |= theShell.sheets[i].cellSize == cell;
        if (!made)
            theShell.sheets[theShell.sheetCount++] = MakeSheet(window, source, sourceCell, cell);
    }
    if (largeDC != nullptr) DeleteDC(largeDC);
    DeleteObject(theShell.largeSkinBitmap);
    theShell.largeSkinBitmap = nullptr;
}

// The timer wakes the window when the session next has something to do.
void ScheduleWake(HWND window) {
    const int64_t delay = std::clamp<int64_t>(NextSessionWake(theSession) - Now(),
                                              USER_TIMER_MINIMUM, kLongestTimerWait);
    SetTimer(window, kSessionTimerId, static_cast<UINT>(delay), nullptr);
}

void SetUpSaverWindow(HWND window) {
    theShell.window = window;
    GetClientRect(window, &theShell.clientRect);
    theShell.backgroundBrush = CreateSolidBrush(theSettings.backgroundColor);
    theShell.skinBitmap = nullptr;
    theShell.largeSkinBitmap = nullptr;
    StartSaverSession(theSession, theSettings, MeasureScreen(window), SaverWindowPlatform(),
                      GetTickCount(), Now());
    theShell.textFonts = TextFonts{};
    theShell.textFonts.wideText = IsFullScreen();
    SelectSkin(window);
    PrepareBoardSheets(window);
    // Once the boards are laid out; the larger drawing is gone by then.
    CreateDrawingSurface(window, theSettings.animateMoves != 0);
    // Windows tells the window when the monitors go off and come back.
    theShell.displayNotice = RegisterPowerSettingNotification(window, &kConsoleDisplayState,
                                                              DEVICE_NOTIFY_WINDOW_HANDLE);
    ScheduleWake(window);
    GetCursorPos(&theShell.cursorAnchor);
    theShell.windowResourcesLive = 1;
}

void ReleaseSkin() {
    for (int32_t i = 0; i < theShell.sheetCount; ++i) {
        BoardSheet& sheet = theShell.sheets[i];
        SelectObject(sheet.dc, sheet.firstBitmap);
        DeleteDC(sheet.dc);
        DeleteObject(sheet.bitmap);
    }
    theShell.sheetCount = 0;
    if (theShell.skinDCFirstBitmap != nullptr) {
        SelectObject(theShell.skinDC, theShell.skinDCFirstBitmap);
    }
    DeleteDC(theShell.skinDC);
    theShell.skinDC = nullptr;
    ReleaseLoadedSkins();
    DeleteObject(theShell.backgroundBrush);
    theShell.backgroundBrush = nullptr;
}

void ReleaseDrawingSurface() {
    SelectObject(theShell.drawDC, theShell.drawDCFirstBitmap);
    DeleteDC(theShell.drawDC);
    theShell.drawDC = nullptr;
    DeleteObject(theShell.drawBitmap);
    theShell.drawBitmap = nullptr;
    theShell.drawPixels = nullptr;
    ReleaseTextFonts(theShell.textFonts);
}

// Runs once: a close request or destroy message queued behind the quit message finds nothing
// left to release and stores nothing again.
void CleanUpSaverWindow() {
    if (theShell.windowResourcesLive == 0) return;
    theShell.windowResourcesLive = 0;
    KillTimer(theShell.window, kSessionTimerId);
    if (theShell.displayNotice != nullptr)
        UnregisterPowerSettingNotification(theShell.displayNotice);
    theShell.displayNotice = nullptr;
    ReleaseSkin();
    if (IsFullScreen()) StoreSaverPlace(theSession.settings);
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

bool IsInside(const RECT& inner, const TextBand& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool IsOnABoard(const RECT& rect) {
    for (const BoardShow& board : theSession.boards) {
        if (IsInside(rect, BoardBand(board.layout))) return true;
    }
    return false;
}

// The rectangles of the window's update region, when every one lies on a board: the frames of
// slides. Empty when any part lies elsewhere, which asks for the whole picture.
std::vector<RECT> BoardPartsToPaint(HWND window) {
    std::vector<RECT> parts;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetUpdateRgn(window, region, FALSE) != ERROR) {
        const DWORD size = GetRegionData(region, 0, nullptr);
        std::vector<char> data(size);
        auto* header = reinterpret_cast<RGNDATA*>(data.data());
        if (size >= sizeof(RGNDATAHEADER) && GetRegionData(region, size, header) == size) {
            const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
            parts.assign(rects, rects + header->rdh.nCount);
        }
    }
    DeleteObject(region);
    for (const RECT& part : parts) {
        if (!IsOnABoard(part)) return {};
    }
    return parts;
}

LRESULT OnPaint(HWND window, UINT, WPARAM, LPARAM) {
    // When moves slide, their frames ask for parts of the boards alone; anything wider is a
    // whole new picture. The classic saver always paints everything.
    const std::vector<RECT> parts = SlidesMoves() ? BoardPartsToPaint(window) : std::vector<RECT>{};
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    // While the monitors are off nothing is drawn.
    if (!theSession.asleep) {
        for (const RECT& part : parts)
            PaintBoardPart(target, part);
        if (parts.empty()) PaintSaverSurface(target);
    }
    EndPaint(window, &paint);
    return 0;
}

void ShowUpdate(HWND window, const SessionUpdate& update) {
    if (update.change == ScreenChange::Whole) InvalidateRect(window, nullptr, FALSE);
    for (int32_t i = 0; update.change == ScreenChange::BoardPart && i < update.areaCount; ++i) {
        const TextBand& area = update.areas[i];
        const RECT rect{area.left, area.top, area.right, area.bottom};
        InvalidateRect(window, &rect, FALSE);
    }
}

// The session's clock has moved on: what it changed is invalidated, and the timer set for its
// next wake.
LRESULT OnTimer(HWND window, UINT, WPARAM, LPARAM) {
    if (theShell.windowResourcesLive == 0) return 0;
    ShowUpdate(window, AdvanceSaverSession(theSession, Now()));
    ScheduleWake(window);
    return 0;
}

LRESULT OnMouseMove(HWND window, UINT, WPARAM, LPARAM) {
    if (!IsFullScreen()) return 0;
    POINT cursor;
    GetCursorPos(&cursor);
    PixelPoint anchor{theShell.cursorAnchor.x, theShell.cursorAnchor.y};
    // The anchor stays after a jump: after a refused password the next jump asks again.
    if (MouseJumped(anchor, PixelPoint{cursor.x, cursor.y})) RequestClose(window);
    theShell.cursorAnchor = POINT{anchor.x, anchor.y};
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

// The monitors' state: 0 off, 1 on, 2 dimmed (still showing).
void OnDisplayState(HWND window, const POWERBROADCAST_SETTING& setting) {
    if (std::memcmp(&setting.PowerSetting, &kConsoleDisplayState, sizeof(GUID)) != 0) return;
    if (setting.DataLength < sizeof(DWORD) || theShell.windowResourcesLive == 0) return;
    DWORD state = 0;
    std::memcpy(&state, setting.Data, sizeof(state));
    ShowUpdate(window, SetSaverDisplayAsleep(theSession, state == 0, Now()));
    ScheduleWake(window);
}

LRESULT OnPowerBroadcast(HWND window, UINT, WPARAM wParam, LPARAM lParam) {
    if (wParam == PBT_APMSUSPEND) {
        RequestClose(window);
        return 0;
    }
    if (wParam == PBT_POWERSETTINGCHANGE && lParam != 0) {
        OnDisplayState(window, *reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam));
        return TRUE;
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
        const ScreenRect span = WindowSpan();
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

// What a board of cell size draws from: its sheet, else the loaded skin, scaled when it must.
BoardPaint SaverBoardPaint(int32_t cell) {
    for (int32_t i = 0; i < theShell.sheetCount; ++i) {
        const BoardSheet& sheet = theShell.sheets[i];
        if (sheet.cellSize != cell) continue;
        const int32_t width = theShell.drawWidth;
        return BoardPaint{sheet.dc,
                          cell,
                          PixelView{theShell.drawPixels, width, theShell.drawHeight, width},
                          ConstPixelView{sheet.pixels, 10 * cell, 7 * cell, 10 * cell},
                          {}};
    }
    return BoardPaint{theShell.skinDC, kSkinCellSize, {}, {}, {}};
}

// The board's squares that meet part, a rank at a time: each rank's squares and the pieces in
// flight over it are drawn on the boards' surface (the rank's left end at its origin), then
// copied to the target, so no half-drawn square ever shows.
void PaintBoardThrough(HDC target, const PictureBoard& board, const TextBand& part) {
    const TextBand band = BoardBand(board.layout);
    const int32_t cell = board.layout.cellSize;
    BoardPaint paint = SaverBoardPaint(cell);
    for (int32_t top = band.top; cell > 0 && top < band.bottom; top += cell) {
        const TextBand clip{std::max(band.left, part.left), std::max(top, part.top),
                            std::min(band.right, part.right), std::min(top + cell, part.bottom)};
        if (clip.right <= clip.left || clip.bottom <= clip.top) continue;
        paint.targetOrigin = PixelPoint{band.left, top};
        SetViewportOrgEx(theShell.drawDC, -band.left, -top, nullptr);
        PaintBoardFrame(theShell.drawDC, board, paint, clip);
        SetViewportOrgEx(theShell.drawDC, 0, 0, nullptr);
        BitBlt(target, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top,
               theShell.drawDC, clip.left - band.left, clip.top - top, SRCCOPY);
    }
}

}  // namespace

RECT BoardRect() {
    const TextBand band = BoardBand(PrimaryBoard(theSession).layout);
    return RECT{band.left, band.top, band.right, band.bottom};
}

void PaintBoardPart(HDC target, RECT part) {
    if (theShell.windowResourcesLive == 0) return;
    const SaverPicture picture = ComposeSaverPicture(theSession, Now());
    if (picture.boards.empty()) {
        PaintSaverSurface(target);
        return;
    }
    // Only the squares under the part: a slide's frame changes two to four of them.
    const TextBand clip{part.left, part.top, part.right, part.bottom};
    for (const PictureBoard& board : picture.boards)
        PaintBoardThrough(target, board, clip);
}

void PaintSaverSurface(HDC target) {
    if (theShell.windowResourcesLive == 0) return;
    const SaverPicture picture = ComposeSaverPicture(theSession, Now());
    SetTextColor(target, picture.fontColor);
    SetBkColor(target, picture.backgroundColor);
    // The background around the boards alone: a board's squares are never painted twice.
    const int saved = SaveDC(target);
    for (const PictureBoard& board : picture.boards) {
        const TextBand band = BoardBand(board.layout);
        ExcludeClipRect(target, band.left, band.top, band.right, band.bottom);
    }
    FillRect(target, &theShell.clientRect, theShell.backgroundBrush);
    RestoreDC(target, saved);
    const TextBand whole{0, 0, theShell.clientRect.right, theShell.clientRect.bottom};
    for (const PictureBoard& board : picture.boards)
        PaintBoardThrough(target, board, whole);
    DrawPictureTexts(target, theShell.textFonts, picture.texts);
}
