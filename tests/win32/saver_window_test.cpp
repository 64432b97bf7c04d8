// The saver window in-process: set-up, painting read back pixel by pixel, the timer, input in
// both modes, and the clean-up. Skips without an X display for Wine.

#include "win32/saver_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "display/board_layout.h"
#include "saver_window_harness.h"
#include "win32/saver_state.h"

namespace {

class SaverWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!HaveDisplay()) GTEST_SKIP() << "no X display for Wine";
        fixture = std::make_unique<SaverFixture>();
        SetCursorPos(500, 400);
    }
    void TearDown() override { fixture.reset(); }

    bool Live() const { return theShell.windowResourcesLive == 1; }

    std::unique_ptr<SaverFixture> fixture;
};

// The skin cell a square must show, from its position in the skin.
COLORREF ExpectedCell(int32_t file, int32_t rank) {
    const SkinCell cell =
        SkinCellFor(*PrimaryBoard(theSession).game, file, rank, theSettings.showLastMove != 0);
    return CellColour(cell.x / 64, cell.y / 64);
}

void ExpectFullScreenBoard(const Surface& surface, int32_t left, int32_t top) {
    for (int32_t rank = 7; rank >= 0; --rank) {
        for (int32_t file = 0; file < 8; ++file) {
            const int32_t x = left + 64 * file;
            const int32_t y = top + 64 * (7 - rank);
            EXPECT_TRUE(surface.AllOf(x, y, x + 64, y + 64, ExpectedCell(file, rank)))
                << "square " << static_cast<char>('a' + file) << rank + 1;
        }
    }
}

TEST_F(SaverWindow, FullScreenBoardIsTheSkinsCellsUnscaled) {
    ASSERT_NE(fixture->OpenFullScreen(), nullptr);
    ASSERT_TRUE(theSession.errorText.empty()) << theSession.errorText;
    ASSERT_EQ(theShell.clientRect.right, 1024);
    ASSERT_EQ(theShell.clientRect.bottom, 768);
    auto surface = Capture();
    ExpectFullScreenBoard(*surface, 256, 128);
    // Named cells, independent of the layout code: a8 black rook on light, e1 white king on dark.
    EXPECT_EQ(surface->Pixel(256 + 10, 128 + 10), CellColour(6, 4));
    EXPECT_EQ(surface->Pixel(256 + 4 * 64 + 30, 128 + 7 * 64 + 30), CellColour(0, 6));
    // Background left of the board, the players' names in their bands, no home page yet.
    const COLORREF background = theSettings.backgroundColor;
    EXPECT_TRUE(surface->AllOf(0, 200, 256, 600, background));
    EXPECT_TRUE(surface->AnyBut(256, 88, 768, 128, background)) << "Black's name";
    EXPECT_TRUE(surface->AnyBut(256, 640, 768, 680, background)) << "White's name";
    EXPECT_TRUE(surface->AnyBut(256, 728, 768, 752, background)) << "site line";
    EXPECT_TRUE(surface->AllOf(0, 0, 1024, 40, background)) << "home page before the end";
}

TEST_F(SaverWindow, TimerStepsThePlayAndThePaintShowsTheLastMove) {
    ASSERT_NE(fixture->OpenFullScreen(), nullptr);
    SendMessageA(fixture->saver, WM_TIMER, kSessionTimerId, 0);
    EXPECT_EQ(PrimaryBoard(theSession).game->ply, 0) << "stepped before its second had passed";
    AdvanceClock(fixture->saver, 1000);  // time mode 0: one second a position
    EXPECT_EQ(PrimaryBoard(theSession).game->ply, 1);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(fixture->saver, &update, FALSE));
    EXPECT_EQ(update.right - update.left, 1024);
    UpdateWindow(fixture->saver);
    auto copy = Capture();
    EXPECT_EQ(copy->Pixel(256 + 4 * 64 + 5, 128 + 6 * 64 + 5), CellColour(4, 0)) << "e2 marked";
    EXPECT_EQ(copy->Pixel(256 + 4 * 64 + 5, 128 + 4 * 64 + 5), CellColour(4, 1)) << "e4 marked";
    ExpectFullScreenBoard(*copy, 256, 128);
}

TEST_F(SaverWindow, HomePageLineAtTheFinalPositionOnly) {
    theSettings.showInfo = 0;
    ASSERT_NE(fixture->OpenFullScreen(), nullptr);
    const COLORREF background = theSettings.backgroundColor;
    AdvanceClock(fixture->saver, 1000);  // 1. e4
    EXPECT_TRUE(Capture()->AllOf(0, 0, 1024, 40, background));
    AdvanceClock(fixture->saver, 1000);
    ASSERT_EQ(PrimaryBoard(theSession).game->ply, 2);  // 1... e5, the final position
    auto surface = Capture();
    EXPECT_TRUE(surface->AnyBut(512, 0, 1024, 40, background)) << "right-aligned address";
    EXPECT_TRUE(surface->AllOf(0, 0, 200, 40, background));
    EXPECT_TRUE(surface->AllOf(256, 88, 768, 128, background)) << "names are off";
}

TEST_F(SaverWindow, PreviewBoardIsTheCellsHalftoneScaled) {
    ASSERT_NE(fixture->OpenPreview(152, 112), nullptr);
    ASSERT_TRUE(theSession.errorText.empty()) << theSession.errorText;
    auto surface = Capture();
    for (int32_t rank = 7; rank >= 0; --rank) {
        for (int32_t file = 0; file < 8; ++file) {
            const COLORREF shown = surface->Pixel(20 + 14 * file + 7, 14 * (7 - rank) + 7);
            EXPECT_LE(ColourDistance(shown, ExpectedCell(file, rank)), 4)
                << "square " << static_cast<char>('a' + file) << rank + 1;
        }
    }
    const COLORREF background = theSettings.backgroundColor;
    EXPECT_TRUE(surface->AllOf(0, 0, 20, 112, background));
    EXPECT_TRUE(surface->AllOf(132, 0, 152, 112, background));
}

TEST_F(SaverWindow, MissingSkinAndPgnShowBothTextsAndNeverStep) {
    DeleteFileW((fixture->skinFolder + L"\\Cells.bmp").c_str());
    CopyWideText(theSettings.pgnPath, fixture->folder.File(L"absent.pgn").c_str());
    theSettings.currentGameNumber = 1;
    ASSERT_NE(fixture->OpenFullScreen(), nullptr);
    const std::string expected = std::string(kSkinsMissingText) + "\n" + kPgnMissingText;
    EXPECT_EQ(theSession.errorText, expected);
    auto surface = Capture();
    const COLORREF background = theSettings.backgroundColor;
    EXPECT_TRUE(surface->AnyBut(0, 0, 400, 24, background)) << "first line at the top left";
    EXPECT_TRUE(surface->AnyBut(0, 30, 400, 60, background)) << "second line below it";
    EXPECT_TRUE(surface->AllOf(0, 200, 1024, 768, background)) << "no board";
    for (int32_t tick = 0; tick < 30; ++tick)
        AdvanceClock(fixture->saver, 1000);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(fixture->saver, &update, FALSE)) << "nothing asked for a repaint";
}

TEST_F(SaverWindow, MissingPgnAloneIsOneLine) {
    CopyWideText(theSettings.pgnPath, fixture->folder.File(L"absent.pgn").c_str());
    ASSERT_NE(fixture->OpenPreview(152, 112), nullptr);
    EXPECT_EQ(theSession.errorText, kPgnMissingText);
}

TEST_F(SaverWindow, EmptyPgnFileIsNoErrorAndShowsTheInitialPosition) {
    WriteFileBytes(fixture->pgnPath, "");
    ASSERT_NE(fixture->OpenFullScreen(), nullptr);
    EXPECT_TRUE(theSession.errorText.empty());
    ExpectFullScreenBoard(*Capture(), 256, 128);
    EXPECT_EQ(At(*PrimaryBoard(theSession).game, 4, 1).kind, kPawn);
}

TEST_F(SaverWindow, StoredGameNumberBeyondTheFileStartsWithGameZero) {
    theSettings.currentGameNumber = 9;
    ASSERT_NE(fixture->OpenPreview(152, 112), nullptr);
    EXPECT_EQ(theSession.settings.currentGameNumber, 0);
    EXPECT_STREQ(PrimaryBoard(theSession).info.white, "Wanda");
}

struct InputCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    bool closesFullScreen;
    bool closesPreview;
};

TEST_F(SaverWindow, InputEndsTheFullScreenRunOnly) {
    const InputCase cases[] = {
        {"key", WM_KEYDOWN, 'A', true, false},
        {"Alt key", WM_SYSKEYDOWN, VK_MENU, true, false},
        {"left button", WM_LBUTTONDOWN, MK_LBUTTON, true, false},
        {"right button", WM_RBUTTONDOWN, MK_RBUTTON, true, false},
        {"middle button", WM_MBUTTONDOWN, MK_MBUTTON, true, false},
        {"wheel", WM_MOUSEWHEEL, static_cast<WPARAM>(120) << 16, false, false},
        {"side button", WM_XBUTTONDOWN, static_cast<WPARAM>(XBUTTON1) << 16, false, false},
        {"character", WM_CHAR, 'a', false, false},
        {"deactivation", WM_ACTIVATE, WA_INACTIVE, true, true},
        {"activation", WM_ACTIVATE, WA_ACTIVE, false, false},
        {"application deactivated", WM_ACTIVATEAPP, FALSE, true, true},
        {"caption deactivated", WM_NCACTIVATE, FALSE, true, true},
        {"suspend", WM_POWERBROADCAST, PBT_APMSUSPEND, true, true},
        {"suspend query", WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, false, false},
        {"close command", WM_SYSCOMMAND, SC_CLOSE, false, false},
        {"screen saver command", WM_SYSCOMMAND, SC_SCREENSAVE, false, false},
        {"next window command", WM_SYSCOMMAND, SC_NEXTWINDOW, false, false},
    };
    for (const bool fullScreen : {true, false}) {
        for (const InputCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (fullScreen ? ", full-screen" : ", preview"));
            theSettings.currentGameNumber = 1;
            ASSERT_NE(fullScreen ? fixture->OpenFullScreen() : fixture->OpenPreview(152, 112),
                      nullptr);
            const LRESULT result = SendMessageA(fixture->saver, c.message, c.wParam, 0);
            const bool closes = fullScreen ? c.closesFullScreen : c.closesPreview;
            EXPECT_EQ(!Live(), closes);
            if (c.message == WM_POWERBROADCAST) {
                EXPECT_EQ(result, c.wParam == PBT_APMQUERYSUSPEND ? TRUE : 0);
            }
            // Only a full-screen clean-up stores the game on screen.
            EXPECT_EQ(StoredGameNumber(), closes && fullScreen ? 1 : -1000);
            fixture->CloseAll();
            DeleteSettingsKeys();
        }
    }
}

TEST_F(SaverWindow, MouseDriftNeverEndsTheRunAJumpOfElevenDoes) {
    ASSERT_NE(fixture->OpenFullScreen(), nullptr);
    const POINT start = theShell.cursorAnchor;
    const POINT drift[] = {{10, 0}, {0, 10}, {-10, -10}, {10, 10}, {10, -10}};
    POINT at = start;
    for (const POINT& step : drift) {
        at.x += step.x;
        at.y += step.y;
        SetCursorPos(at.x, at.y);
        SendMessageA(fixture->saver, WM_MOUSEMOVE, 0, 0);
        ASSERT_TRUE(Live()) << "drift to " << at.x << "," << at.y;
        EXPECT_EQ(theShell.cursorAnchor.x, at.x);
        EXPECT_EQ(theShell.cursorAnchor.y, at.y);
    }
    SetCursorPos(at.x, at.y + 11);
    SendMessageA(fixture->saver, WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(Live());
}

TEST_F(SaverWindow, MouseJumpInXEndsTheRunButNotThePreview) {
    ASSERT_NE(fixture->OpenPreview(152, 112), nullptr);
    SetCursorPos(theShell.cursorAnchor.x + 40, theShell.cursorAnchor.y);
    SendMessageA(fixture->saver, WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(Live());
    fixture->CloseAll();
    SetCursorPos(500, 400);
    ASSERT_NE(fixture->OpenFullScreen(), nullptr);
    SetCursorPos(theShell.cursorAnchor.x - 11, theShell.cursorAnchor.y);
    SendMessageA(fixture->saver, WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(Live());
}

TEST_F(SaverWindow, CursorIsHiddenOverTheFullScreenWindowOnly) {
    HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    ASSERT_NE(fixture->OpenPreview(152, 112), nullptr);
    SetCursor(arrow);
    EXPECT_EQ(SendMessageA(fixture->saver, WM_SETCURSOR, 0, 0), 0);
    EXPECT_EQ(GetCursor(), arrow);
    fixture->CloseAll();
    ASSERT_NE(fixture->OpenFullScreen(), nullptr);
    SetCursor(arrow);
    EXPECT_EQ(SendMessageA(fixture->saver, WM_SETCURSOR, 0, 0), 0);
    EXPECT_EQ(GetCursor(), nullptr);
}

TEST_F(SaverWindow, CleanUpRunsOnceWhateverArrivesAfterIt) {
    theSettings.currentGameNumber = 1;
    ASSERT_NE(fixture->OpenFullScreen(), nullptr);
    SendMessageA(fixture->saver, WM_KEYDOWN, 'Q', 0);
    ASSERT_FALSE(Live());
    EXPECT_EQ(StoredGameNumber(), 1);
    EXPECT_EQ(theShell.drawDC, nullptr);
    EXPECT_EQ(theShell.skinBitmap, nullptr);
    DeleteSettingsKeys();
    theSettings.currentGameNumber = 0;
    // Input still queued behind the quit message, then the window's end.
    SendMessageA(fixture->saver, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(fixture->saver, WM_CLOSE, 0, 0);
    AdvanceClock(fixture->saver, 1000);
    InvalidateRect(fixture->saver, nullptr, FALSE);
    UpdateWindow(fixture->saver);
    DestroyWindow(fixture->saver);
    EXPECT_EQ(StoredGameNumber(), -1000) << "stored a second time";
    EXPECT_TRUE(DrainMessages()) << "the first clean-up's quit message";
}

TEST_F(SaverWindow, PreviewEndsWithItsParentAndStoresNothing) {
    theSettings.currentGameNumber = 1;
    ASSERT_NE(fixture->OpenPreview(200, 150), nullptr);
    EXPECT_EQ(theShell.clientRect.right, 200);
    EXPECT_EQ(theShell.clientRect.bottom, 150);
    DestroyWindow(fixture->parent);
    EXPECT_FALSE(Live());
    EXPECT_TRUE(DrainMessages());
    EXPECT_EQ(StoredGameNumber(), -1000);
}

// The monitors' state as Windows reports it to a window that asked for it.
void ReportDisplayState(HWND saver, DWORD state) {
    struct {
        POWERBROADCAST_SETTING head;
        DWORD rest;
    } setting{};
    setting.head.PowerSetting = {
        0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
    setting.head.DataLength = sizeof(DWORD);
    std::memcpy(setting.head.Data, &state, sizeof(state));
    SendMessageA(saver, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                 reinterpret_cast<LPARAM>(&setting));
}

TEST_F(SaverWindow, NothingIsDrawnOrPlayedWhileTheMonitorsAreOff) {
    ASSERT_NE(fixture->OpenFullScreen(), nullptr);
    ValidateRect(fixture->saver, nullptr);
    ReportDisplayState(fixture->saver, 0);
    ASSERT_TRUE(theSession.asleep);
    for (int32_t second = 0; second < 5; ++second)
        AdvanceClock(fixture->saver, 1000);
    EXPECT_EQ(PrimaryBoard(theSession).game->ply, 0) << "played while the monitors were off";
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(fixture->saver, &update, FALSE));
    ReportDisplayState(fixture->saver, 2);  // dimmed: still showing
    EXPECT_FALSE(theSession.asleep);
    EXPECT_TRUE(GetUpdateRect(fixture->saver, &update, FALSE)) << "a whole picture on waking";
    AdvanceClock(fixture->saver, 1000);
    EXPECT_EQ(PrimaryBoard(theSession).game->ply, 1);
}

}  // namespace
