// The two choosers the settings dialog opens: the platform's colour chooser behind the swatches
// and its file-open dialog behind "Select", each driven as a user would, through its own controls.

#include <gtest/gtest.h>

#include <string>

#include "dialog_fixture.h"
#include "screen_pixels.h"
#include "user_settings.h"
#include "win32/resource_ids.h"

namespace {

// Control ids of the platform's colour chooser.
constexpr int kBasicColours = 720;
constexpr int kCustomColours = 721;
constexpr int kRedEdit = 706;
constexpr int kGreenEdit = 707;
constexpr int kBlueEdit = 708;
constexpr int kDefineCustomColours = 719;
// And of its file-open dialog: the file name box (a combo box with an edit, or a plain edit).
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;

constexpr char kFileDialogTitle[] = "Select .PGN file for playing";

// Clicks cell (column, row) of one of the chooser's colour grids, as a mouse click does.
void ClickColourCell(HWND chooser, int gridId, int columns, int rows, int column, int row) {
    RECT grid{};
    GetWindowRect(GetDlgItem(chooser, gridId), &grid);
    const int cellWidth = (grid.right - grid.left) / columns;
    const int cellHeight = (grid.bottom - grid.top) / rows;
    POINT at{grid.left + column * cellWidth + cellWidth / 3,
             grid.top + row * cellHeight + cellHeight / 3};
    ScreenToClient(chooser, &at);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(chooser, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(chooser, WM_LBUTTONUP, 0, where);
}

// The colour the chooser's red, green and blue boxes show.
COLORREF ChooserColour(HWND chooser) {
    const auto channel = [chooser](int id) {
        return static_cast<BYTE>(std::stoi(ControlText(chooser, id)));
    };
    return RGB(channel(kRedEdit), channel(kGreenEdit), channel(kBlueEdit));
}

HWND FileNameBox(HWND fileDialog) {
    HWND box = GetDlgItem(fileDialog, kFileNameCombo);
    if (box != nullptr) {
        HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
        return edit != nullptr ? edit : box;
    }
    return GetDlgItem(fileDialog, kFileNameEdit);
}

// Writes a small game file into the prefix's temporary folder and gives its Windows path.
std::wstring MakeGameFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {0};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    const char game[] = "[Event \"Test\"]\r\n\r\n1. e4 e5 *\r\n";
    DWORD written = 0;
    WriteFile(file, game, sizeof game - 1, &written, nullptr);
    CloseHandle(file);
    return path;
}

class ColourChooserTest : public SettingsDialogTest {
  protected:
    // Opens the chooser and unfolds its custom-colour half, whose boxes show the chosen colour.
    HWND OpenChooser(int swatchId) {
        PostClick(dialog, swatchId);
        HWND chooser = WaitForDialog("Color", dialog, 10000);
        if (chooser != nullptr) ClickButton(chooser, kDefineCustomColours);
        return chooser;
    }
    bool SwatchShows(int swatchId, COLORREF colour) {
        HWND swatch = GetDlgItem(dialog, swatchId);
        RECT inner = ClientScreenRect(swatch);
        // Inside the button's frame and focus mark.
        InflateRect(&inner, -6, -5);
        return ScreenAreaIs(inner, colour);
    }
};

TEST_F(ColourChooserTest, CustomColourRepaintsTheBackgroundSwatchAndThePreview) {
    SeededSettings seed;
    seed.backgroundColor = RGB(10, 20, 30);
    seed.randomSkin = 1;
    SeedUserSettings(seed);
    Open();
    ASSERT_TRUE(Eventually([&] { return SwatchShows(IDC_BACKGROUND_COLOR, RGB(10, 20, 30)); }));
    MakeUnsavedChoices(dialog);
    HWND chooser = OpenChooser(IDC_BACKGROUND_COLOR);
    ASSERT_NE(chooser, nullptr) << "no colour chooser";
    // The dialog's own custom colours: the seventh is (0, 255, 255).
    ClickColourCell(chooser, kCustomColours, 8, 2, 6, 0);
    ASSERT_TRUE(Eventually([&] { return ChooserColour(chooser) == RGB(0, 255, 255); }));
    PostClick(chooser, IDOK);
    ASSERT_TRUE(WaitUntilGone(chooser, 5000));

    EXPECT_EQ(ControlText(dialog, IDC_BACKGROUND_COLOR), std::to_wstring(RGB(0, 255, 255)));
    EXPECT_TRUE(Eventually([&] { return SwatchShows(IDC_BACKGROUND_COLOR, RGB(0, 255, 255)); }));
    // "Random" is ticked, so the preview is the background's fill.
    EXPECT_TRUE(Eventually([&] {
        return ScreenAreaIs(ClientScreenRect(GetDlgItem(dialog, IDC_SKIN_PREVIEW)),
                            RGB(0, 255, 255));
    }));
    ExpectUnsavedChoicesShown(dialog);
    EndWith(IDOK);
    EXPECT_EQ(ReadUserNumber(L"Color of background"), RGB(0, 255, 255));
    ExpectUnsavedChoicesStored();
}

TEST_F(ColourChooserTest, BasicColourRepaintsTheInkSwatch) {
    Open();
    HWND chooser = OpenChooser(IDC_FONT_COLOR);
    ASSERT_NE(chooser, nullptr) << "no colour chooser";
    // Bottom-right of the basic colours: whatever it is, it is what the chooser then shows.
    ClickColourCell(chooser, kBasicColours, 8, 6, 7, 5);
    // The three boxes are filled one after the other: wait until they agree for a moment.
    COLORREF picked = 0;
    ASSERT_TRUE(Eventually([&] {
        const COLORREF before = ChooserColour(chooser);
        PumpFor(200);
        picked = ChooserColour(chooser);
        return picked != 0 && picked == before;
    }));
    PostClick(chooser, IDOK);
    ASSERT_TRUE(WaitUntilGone(chooser, 5000));
    EXPECT_EQ(ControlText(dialog, IDC_FONT_COLOR), std::to_wstring(picked));
    EXPECT_TRUE(Eventually([&] { return SwatchShows(IDC_FONT_COLOR, picked); }));
    EndWith(IDOK);
    EXPECT_EQ(ReadUserNumber(L"Color of font"), picked);
}

TEST_F(ColourChooserTest, CancelledChooserChangesNothing) {
    SeededSettings seed;
    seed.backgroundColor = RGB(1, 2, 3);
    SeedUserSettings(seed);
    Open();
    HWND chooser = OpenChooser(IDC_BACKGROUND_COLOR);
    ASSERT_NE(chooser, nullptr);
    ClickColourCell(chooser, kCustomColours, 8, 2, 0, 0);
    PumpFor(300);
    PostClick(chooser, IDCANCEL);
    ASSERT_TRUE(WaitUntilGone(chooser, 5000));
    EXPECT_EQ(ControlText(dialog, IDC_BACKGROUND_COLOR), std::to_wstring(RGB(1, 2, 3)));
    EXPECT_TRUE(Eventually([&] { return SwatchShows(IDC_BACKGROUND_COLOR, RGB(1, 2, 3)); }));
    EndWith(IDOK);
    EXPECT_EQ(ReadUserNumber(L"Color of background"), RGB(1, 2, 3));
}

// "Select" picks a file, "Folder..." a folder; both choosers take a typed path in their file name
// box.
struct ChooserCase {
    const char* name;
    int button;
    const char* title;
    std::wstring (*make)();  // the file or folder to choose
};

const ChooserCase kChoosers[] = {
    {"File", IDC_SELECT_PGN, kFileDialogTitle,
     [] { return MakeGameFile(L"quorvane other games.pgn"); }},
    {"Folder", IDC_SELECT_PGN_FOLDER, "Select a folder of .PGN files for playing",
     [] {
         const std::wstring file = MakeGameFile(L"quorvane folder game.pgn");
         const std::wstring folder = file.substr(0, file.size() - 4) + L" folder";
         CreateDirectoryW(folder.c_str(), nullptr);
         MoveFileExW(file.c_str(), (folder + L"\\games.pgn").c_str(), MOVEFILE_REPLACE_EXISTING);
         return folder;
     }},
};

// Where the saver stands in its games, seeded away from the start.
void SeedPlace() {
    WriteUserNumber(L"Current game number", 9);
    WriteUserText(L"Current file", L"C:\\Games\\old\\b.pgn");
    WriteUserNumber(L"Shuffle seed", 12345);
    WriteUserNumber(L"Shuffle position", 6);
}

void ExpectPlace(bool kept) {
    EXPECT_EQ(ReadUserNumber(L"Current game number"), kept ? 9u : 0u);
    EXPECT_EQ(ReadUserText(L"Current file"), kept ? L"C:\\Games\\old\\b.pgn" : L"");
    EXPECT_EQ(ReadUserNumber(L"Shuffle seed"), kept ? 12345u : 0u);
    EXPECT_EQ(ReadUserNumber(L"Shuffle position"), kept ? 6u : 0u);
}

class PgnChooserTest : public SettingsDialogTest,
                       public ::testing::WithParamInterface<ChooserCase> {
  protected:
    // Opens the chooser with its button; types path into its file name box and presses Open,
    // or Cancel when path is empty.
    void Choose(const std::wstring& path) {
        PostClick(dialog, GetParam().button);
        HWND chooser = WaitForDialog(GetParam().title, dialog, 20000);
        ASSERT_NE(chooser, nullptr) << "no chooser";
        if (path.empty()) {
            PostClick(chooser, IDCANCEL);
        } else {
            HWND box = FileNameBox(chooser);
            ASSERT_NE(box, nullptr) << "no file name box";
            SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
            PostClick(chooser, IDOK);
        }
        ASSERT_TRUE(WaitUntilGone(chooser, 10000));
        PumpFor(200);
    }
};

TEST_P(PgnChooserTest, ChoosingSetsThePathAndStartsFromTheBeginning) {
    const std::wstring chosen = GetParam().make();
    SeedPlace();
    Open();
    MakeUnsavedChoices(dialog);
    Choose(chosen);
    EXPECT_EQ(ControlText(dialog, IDC_PGN_PATH), chosen);
    ExpectUnsavedChoicesShown(dialog);
    EndWith(IDOK);
    EXPECT_EQ(ReadUserText(L"Path to PGN file"), chosen);
    ExpectPlace(false);
    ExpectUnsavedChoicesStored();
}

TEST_P(PgnChooserTest, CancelAfterChoosingKeepsTheOldPathAndPlace) {
    const std::wstring chosen = GetParam().make();
    SeedPlace();
    WriteUserText(L"Path to PGN file", L"C:\\Games\\old.pgn");
    Open();
    Choose(chosen);
    EXPECT_EQ(ControlText(dialog, IDC_PGN_PATH), chosen);
    EndWith(IDCANCEL);
    EXPECT_EQ(ReadUserText(L"Path to PGN file"), L"C:\\Games\\old.pgn");
    ExpectPlace(true);
}

TEST_P(PgnChooserTest, CancelledChooserChangesNothing) {
    SeedPlace();
    WriteUserText(L"Path to PGN file", L"C:\\Games\\old.pgn");
    Open();
    Choose(L"");
    EXPECT_EQ(ControlText(dialog, IDC_PGN_PATH), L"C:\\Games\\old.pgn");
    EndWith(IDOK);
    EXPECT_EQ(ReadUserText(L"Path to PGN file"), L"C:\\Games\\old.pgn");
    ExpectPlace(true);
}

INSTANTIATE_TEST_SUITE_P(Pgn, PgnChooserTest, ::testing::ValuesIn(kChoosers),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
