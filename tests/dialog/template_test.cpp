// The dialog templates as the saver shows them: every control where the layout puts it, with its
// text and the styles the dialogs rely on; and the "Home page" button's request to the shell.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "dialog_fixture.h"
#include "display/home_page.h"
#include "user_settings.h"
#include "win32/resource_ids.h"

namespace {

struct ControlLayout {
    int id;             // 0: find the control by its text instead
    const char* klass;  // window class
    const wchar_t* text;
    int x, y, width, height;  // dialog units
};

const ControlLayout kSettingsLayout[] = {
    {0, "Button", L"Colors", 7, 5, 105, 55},
    {0, "Static", L"Background:", 12, 18, 40, 11},
    {IDC_BACKGROUND_COLOR, "Button", nullptr, 55, 16, 50, 14},
    {0, "Static", L"Ink:", 12, 36, 40, 11},
    {IDC_FONT_COLOR, "Button", nullptr, 55, 36, 50, 14},
    {0, "Button", L"Pause between moves", 117, 5, 105, 55},
    {IDC_PAUSE_SMALL, "Button", L"Small", 139, 18, 42, 12},
    {IDC_PAUSE_MEDIUM, "Button", L"Medium", 139, 30, 42, 12},
    {IDC_PAUSE_LARGE, "Button", L"Large", 139, 42, 42, 12},
    {0, "Button", L"Show", 228, 5, 105, 55},
    {IDC_SHOW_INFO, "Button", L"Game information", 248, 21, 75, 13},
    {IDC_SHOW_LAST_MOVE, "Button", L"Last move", 248, 37, 75, 13},
    {0, "Button", L"Path to .PGN file", 7, 64, 325, 38},
    {IDC_PGN_PATH, "Static", nullptr, 14, 80, 204, 11},
    {IDC_SELECT_PGN, "Button", L"Select", 222, 78, 50, 14},
    {IDC_SELECT_PGN_FOLDER, "Button", L"Folder...", 276, 78, 50, 14},
    {0, "Button", L"Skin", 7, 108, 325, 196},
    {IDC_RANDOM_SKIN, "Button", L"Random", 17, 120, 75, 13},
    {IDC_SKIN_LIST, "ListBox", nullptr, 15, 137, 127, 158},
    {IDC_SKIN_PREVIEW, "Static", nullptr, 151, 137, 171, 158},
    {0, "Button", L"Screen", 7, 308, 325, 30},
    {IDC_FIT_BOARD, "Button", L"Fit the board to the screen", 17, 320, 120, 13},
    {IDC_ANIMATE_MOVES, "Button", L"Animate moves", 151, 320, 80, 13},
    {IDOK, "Button", L"OK", 345, 9, 50, 14},
    {IDC_SET_DEFAULT, "Button", L"Set to default", 345, 26, 50, 14},
    {IDC_ABOUT_BUTTON, "Button", L"About", 345, 43, 50, 14},
    {IDC_HOME_PAGE, "Button", L"Home page", 345, 60, 50, 14},
    {IDCANCEL, "Button", L"Cancel", 345, 78, 50, 14},
    {IDC_MORE_SETTINGS, "Button", L"More...", 345, 95, 50, 14},
};

const ControlLayout kAboutLayout[] = {
    {IDC_ABOUT_PRODUCT, "Static", nullptr, 7, 53, 137, 12},
    {IDC_ABOUT_CREDIT, "Static", nullptr, 7, 70, 137, 12},
    {IDC_ABOUT_NOTICE, "Static", nullptr, 7, 89, 137, 12},
    {IDOK, "Button", L"OK", 151, 7, 50, 14},
};

struct TextSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK MatchText(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<TextSearch*>(data);
    wchar_t text[128] = {0};
    SendMessageW(child, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
    if (lstrcmpW(text, search->text) != 0) return TRUE;
    search->found = child;
    return FALSE;
}

HWND FindControl(HWND dialog, const ControlLayout& layout) {
    if (layout.id != 0) return GetDlgItem(dialog, layout.id);
    TextSearch search{layout.text, nullptr};
    EnumChildWindows(dialog, MatchText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A control's rectangle in the dialog's client coordinates.
RECT PlacedRect(HWND dialog, HWND control) {
    RECT placed{};
    GetWindowRect(control, &placed);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
    return placed;
}

// Compares every control with the layout, in dialog units turned into pixels by the scale the
// OK button shows (its width and height are 50 and 14 units in both dialogs).
void ExpectLayout(HWND dialog, const ControlLayout* begin, const ControlLayout* end,
                  int okWidthUnits) {
    const RECT ok = PlacedRect(dialog, GetDlgItem(dialog, IDOK));
    const double perUnitX = (ok.right - ok.left) / static_cast<double>(okWidthUnits);
    const double perUnitY = (ok.bottom - ok.top) / 14.0;
    const auto within = [](long shown, double wanted) { return std::fabs(shown - wanted) <= 2.0; };
    for (const ControlLayout* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->text != nullptr ? std::string(c->text, c->text + wcslen(c->text))
                                        : "id " + std::to_string(c->id));
        HWND control = FindControl(dialog, *c);
        ASSERT_NE(control, nullptr);
        char klass[32] = {0};
        GetClassNameA(control, klass, sizeof klass);
        EXPECT_EQ(lstrcmpiA(klass, c->klass), 0) << klass;
        if (c->id != 0 && c->text != nullptr) {
            EXPECT_EQ(ControlText(dialog, c->id), c->text);
        }
        const RECT placed = PlacedRect(dialog, control);
        EXPECT_TRUE(within(placed.left, c->x * perUnitX)) << placed.left;
        EXPECT_TRUE(within(placed.top, c->y * perUnitY)) << placed.top;
        EXPECT_TRUE(within(placed.right - placed.left, c->width * perUnitX))
            << placed.right - placed.left;
        EXPECT_TRUE(within(placed.bottom - placed.top, c->height * perUnitY))
            << placed.bottom - placed.top;
    }
}

LONG_PTR StyleOf(HWND dialog, int id) {
    return GetWindowLongPtrW(GetDlgItem(dialog, id), GWL_STYLE);
}

// A modal frame with caption and close box, centred on the screen.
void ExpectDialogFrame(HWND dialog, const wchar_t* title) {
    wchar_t caption[64] = {0};
    GetWindowTextW(dialog, caption, 64);
    EXPECT_STREQ(caption, title);
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_NE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_LE(std::abs((frame.left + frame.right) / 2 - screenWidth / 2), 2);
}

TEST_F(SettingsDialogTest, SettingsTemplateMatchesTheLayout) {
    Open();
    ExpectDialogFrame(dialog, L"Settings");
    ExpectLayout(dialog, std::begin(kSettingsLayout), std::end(kSettingsLayout), 50);
    // The skins stand in the folder's order: the list must not sort them.
    const LONG_PTR list = StyleOf(dialog, IDC_SKIN_LIST);
    EXPECT_EQ(list & LBS_SORT, 0);
    const LONG_PTR wanted = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP;
    EXPECT_EQ(list & wanted, wanted);
    // The dialog turns a control's border into a sunken edge.
    const LONG_PTR edges = GetWindowLongPtrW(GetDlgItem(dialog, IDC_SKIN_LIST), GWL_EXSTYLE);
    EXPECT_TRUE((list & WS_BORDER) != 0 || (edges & WS_EX_CLIENTEDGE) != 0);
    EXPECT_NE(StyleOf(dialog, IDC_BACKGROUND_COLOR) & BS_BITMAP, 0);
    EXPECT_NE(StyleOf(dialog, IDC_FONT_COLOR) & BS_BITMAP, 0);
    EXPECT_NE(StyleOf(dialog, IDC_PAUSE_SMALL) & WS_GROUP, 0);
    EXPECT_EQ(StyleOf(dialog, IDC_SKIN_PREVIEW) & SS_TYPEMASK, SS_BITMAP);
    EXPECT_EQ(StyleOf(dialog, IDOK) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    // A long path keeps its drive and file name on screen.
    EXPECT_NE(StyleOf(dialog, IDC_PGN_PATH) & SS_PATHELLIPSIS, 0);
    for (int box : {IDC_FIT_BOARD, IDC_ANIMATE_MOVES}) {
        EXPECT_EQ(StyleOf(dialog, box) & BS_TYPEMASK, BS_AUTOCHECKBOX) << box;
        EXPECT_NE(StyleOf(dialog, box) & WS_TABSTOP, 0) << box;
    }
    EndWith(IDCANCEL);
}

TEST_F(SettingsDialogTest, AboutTemplateMatchesTheLayout) {
    Open();
    PostClick(dialog, IDC_ABOUT_BUTTON);
    HWND about = WaitForDialog("About", dialog, 10000);
    ASSERT_NE(about, nullptr);
    ExpectDialogFrame(about, L"About");
    ExpectLayout(about, std::begin(kAboutLayout), std::end(kAboutLayout), 50);
    for (int id : {IDC_ABOUT_PRODUCT, IDC_ABOUT_CREDIT, IDC_ABOUT_NOTICE}) {
        EXPECT_EQ(StyleOf(about, id) & SS_TYPEMASK, SS_CENTER);
    }
    // The picture's top-left corner is where the layout puts it; its size is the bitmap's.
    const RECT ok = PlacedRect(about, GetDlgItem(about, IDOK));
    const double perUnitX = (ok.right - ok.left) / 50.0;
    const RECT picture = PlacedRect(about, GetDlgItem(about, IDC_ABOUT_PICTURE));
    EXPECT_LE(std::fabs(picture.left - 7 * perUnitX), 2.0);
    ClickButton(about, IDOK);
    WaitUntilGone(about, 5000);
    EndWith(IDCANCEL);
}

// ---- Both dialogs fit a 1366 x 768 screen at 150 % (144 DPI) with their title bars

// The system DPI of the saver processes started while it lives; the earlier value comes back when
// it goes. Wine reads it when a process starts.
class SystemDpi {
  public:
    explicit SystemDpi(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key_, nullptr);
        DWORD size = sizeof saved_;
        hadValue_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(&saved_), &size) == ERROR_SUCCESS;
        Set(dpi);
    }
    ~SystemDpi() {
        if (hadValue_) {
            Set(saved_);
        } else {
            RegDeleteValueW(key_, L"LogPixels");
        }
        RegCloseKey(key_);
    }

  private:
    void Set(DWORD dpi) {
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    }
    HKEY key_ = nullptr;
    DWORD saved_ = 0;
    bool hadValue_ = false;
};

SIZE FrameSize(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

class DialogFit : public SettingsDialogTest {
  protected:
    // The settings dialog's frame, then the "More settings" frame, at the DPI now set.
    std::pair<SIZE, SIZE> MeasureBoth() {
        Open();
        const SIZE settings = FrameSize(dialog);
        PostClick(dialog, IDC_MORE_SETTINGS);
        HWND more = WaitForDialog("More settings", dialog, 10000);
        EXPECT_NE(more, nullptr);
        const SIZE moreSize = more != nullptr ? FrameSize(more) : SIZE{};
        if (more != nullptr) {
            PostClick(more, IDCANCEL);
            WaitUntilGone(more, 5000);
        }
        EndWith(IDCANCEL);
        return {settings, moreSize};
    }
};

TEST_F(DialogFit, BothDialogsFitA1366By768ScreenAt150Percent) {
    const auto [settings96, more96] = MeasureBoth();
    std::pair<SIZE, SIZE> at144;
    {
        const SystemDpi dpi(144);
        at144 = MeasureBoth();
    }
    const auto [settings, more] = at144;
    std::printf("settings dialog %ld x %ld at 96 DPI, %ld x %ld at 144 DPI\n", settings96.cx,
                settings96.cy, settings.cx, settings.cy);
    std::printf("More settings   %ld x %ld at 96 DPI, %ld x %ld at 144 DPI\n", more96.cx, more96.cy,
                more.cx, more.cy);
    // The fonts grew, so this measured the dialogs as 150 % shows them.
    EXPECT_GT(settings.cy * 10, settings96.cy * 14);
    EXPECT_GT(more.cy * 10, more96.cy * 14);
    for (const SIZE& frame : {settings, more}) {
        EXPECT_LE(frame.cx, 1366);
        EXPECT_LE(frame.cy, 768);
    }
}

// ---- Home page: the shell is asked to open the maker's address

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH] = {0};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// Sets the command the shell runs to open http and https addresses, and puts the earlier one
// back when it goes. Machine-wide: that is where Wine's shell looks.
class UrlHandler {
  public:
    explicit UrlHandler(const std::wstring& command) {
        for (int i = 0; i < 2; ++i) {
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKeys[i], 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &keys_[i], nullptr);
            wchar_t old[1024] = {0};
            DWORD size = sizeof old - sizeof(wchar_t);
            if (RegQueryValueExW(keys_[i], nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                                 &size) == ERROR_SUCCESS) {
                saved_[i] = old;
            }
            Set(keys_[i], command);
        }
    }
    ~UrlHandler() {
        for (int i = 0; i < 2; ++i) {
            Set(keys_[i], saved_[i]);
            RegCloseKey(keys_[i]);
        }
    }

  private:
    static void Set(HKEY key, const std::wstring& command) {
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
    static constexpr const wchar_t* kKeys[2] = {L"Software\\Classes\\https\\shell\\open\\command",
                                                L"Software\\Classes\\http\\shell\\open\\command"};
    HKEY keys_[2] = {nullptr, nullptr};
    std::wstring saved_[2];
};

TEST_F(SettingsDialogTest, HomePageAsksTheShellToOpenTheMakersAddress) {
    wchar_t folder[MAX_PATH] = {0};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring record = std::wstring(folder) + L"quorvane-opened-url.txt";
    DeleteFileW(record.c_str());
    // This program stands in for the browser: the shell runs it with the address to open.
    const UrlHandler handler(L"\"" + ProgramPath() + L"\" --record-url \"" + record + L"\" \"%1\"");
    Open();
    ClickButton(dialog, IDC_HOME_PAGE);
    std::string opened;
    EXPECT_TRUE(PumpUntil(
        [&] {
            HANDLE file = CreateFileW(record.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
            if (file == INVALID_HANDLE_VALUE) return false;
            char text[512] = {0};
            DWORD read = 0;
            ReadFile(file, text, sizeof text - 1, &read, nullptr);
            CloseHandle(file);
            opened.assign(text, read);
            return read > 0;
        },
        15000));
    EXPECT_EQ(opened, kHomePageAddress);
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open";
    EndWith(IDCANCEL);
}

}  // namespace
