// The settings dialog of the real Quorvane.scr, opened with /c:<owner> and driven through the
// window manager; what it stores is read back from the registry.

#include <gtest/gtest.h>

#include <string>

#include "dialog_fixture.h"
#include "display/settings_table.h"
#include "screen_pixels.h"
#include "user_settings.h"
#include "win32/resource_ids.h"

namespace {

constexpr uint32_t kDefaultFont = 0xc8c8c8;

SeededSettings NonDefaultSeed() {
    SeededSettings seed;
    seed.fontColor = 0x123456;
    seed.backgroundColor = 0x0a0b0c;
    seed.showInfo = 0;
    seed.timeMode = 0;
    seed.currentGameNumber = 7;
    seed.showLastMove = 0;
    seed.randomSkin = 0;
    seed.skinName = L"Slate.bmp";
    seed.pgnPath = L"C:\\Games\\gone.pgn";
    return seed;
}

int IndexOfSkin(HWND dialog, const std::wstring& name) {
    for (int i = 0; i < 100; ++i) {
        const std::wstring entry = ListEntry(dialog, IDC_SKIN_LIST, i);
        if (entry.empty()) break;
        if (_wcsicmp(entry.c_str(), name.c_str()) == 0) return i;
    }
    return -1;
}

// ---- What the controls show when the dialog opens

struct ShownCase {
    const char* name;
    bool seedNonDefaults;
    ControlState expected;  // pgnPath empty: the installation's default game file
};

class ControlsShowSettings : public SettingsDialogTest,
                             public ::testing::WithParamInterface<ShownCase> {};

TEST_P(ControlsShowSettings, WhenTheDialogOpens) {
    const ShownCase& c = GetParam();
    if (c.seedNonDefaults) SeedUserSettings(NonDefaultSeed());
    Open();
    ControlState want = c.expected;
    if (want.pgnPath.empty()) want.pgnPath = DefaultPgnPath();
    const ControlState shown = ReadControls(dialog);
    EXPECT_EQ(shown.backgroundText, want.backgroundText);
    EXPECT_EQ(shown.fontText, want.fontText);
    EXPECT_EQ(shown.pgnPath, want.pgnPath);
    EXPECT_EQ(shown.random, want.random);
    EXPECT_EQ(shown.showInfo, want.showInfo);
    EXPECT_EQ(shown.showLastMove, want.showLastMove);
    EXPECT_EQ(shown.small, want.small);
    EXPECT_EQ(shown.medium, want.medium);
    EXPECT_EQ(shown.large, want.large);
    EXPECT_EQ(shown.selectedSkin, want.selectedSkin);
    // The list and the preview are for picking by hand: greyed while "Random" is ticked.
    EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, IDC_SKIN_LIST)) != 0, !want.random);
    EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, IDC_SKIN_PREVIEW)) != 0, !want.random);
    EndWith(IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ControlsShowSettings,
    ::testing::Values(ShownCase{"NeverConfigured",
                                false,
                                {L"0", std::to_wstring(kDefaultFont), L"", true, true, true, false,
                                 true, false, 0, L"Quorvane.bmp"}},
                      ShownCase{"Saved",
                                true,
                                {std::to_wstring(0x0a0b0c), std::to_wstring(0x123456),
                                 L"C:\\Games\\gone.pgn", false, false, false, true, false, false, 0,
                                 L"Slate.bmp"}}),
    [](const auto& row) { return std::string(row.param.name); });

// ---- OK stores what the controls show

TEST_F(SettingsDialogTest, OkStoresExactlyWhatTheControlsShow) {
    SeedUserSettings(NonDefaultSeed());
    Open();
    ClickButton(dialog, IDC_PAUSE_LARGE);
    ClickButton(dialog, IDC_SHOW_INFO);
    const int marble = IndexOfSkin(dialog, L"Marble.bmp");
    ASSERT_GE(marble, 0);
    SelectListEntry(dialog, IDC_SKIN_LIST, marble);
    const ControlState shown = ReadControls(dialog);
    ASSERT_TRUE(shown.large && !shown.small && !shown.medium);
    ASSERT_TRUE(shown.showInfo);
    EndWith(IDOK);

    EXPECT_EQ(ReadUserNumber(L"Color of background"), std::stoul(shown.backgroundText));
    EXPECT_EQ(ReadUserNumber(L"Color of font"), std::stoul(shown.fontText));
    EXPECT_EQ(ReadUserNumber(L"Show info"), 1u);
    EXPECT_EQ(ReadUserNumber(L"Show last move"), 0u);
    EXPECT_EQ(ReadUserNumber(L"Random skin"), 0u);
    EXPECT_EQ(ReadUserNumber(L"Time mode"), 2u);
    EXPECT_EQ(ReadUserNumber(L"Current game number"), 7u);
    EXPECT_EQ(ReadUserText(L"Name of skin"), shown.selectedSkin);
    EXPECT_EQ(ReadUserText(L"Path to PGN file"), shown.pgnPath);
    EXPECT_EQ(ReadUserNumber(L"Fit board"), 0u);
    EXPECT_EQ(ReadUserNumber(L"Animate moves"), 0u);
    EXPECT_EQ(SnapshotUserSettings().size(), SettingRows().size()) << "one value per table row";
}

TEST_F(SettingsDialogTest, FirstOkCreatesTheKeyWithEveryValueOfTheTable) {
    Open();
    EndWith(IDOK);
    EXPECT_EQ(SnapshotUserSettings().size(), SettingRows().size());
    EXPECT_EQ(ReadUserText(L"Path to PGN file"), DefaultPgnPath());
    EXPECT_EQ(ReadUserText(L"Name of skin"), L"Quorvane.bmp");
    EXPECT_EQ(ReadUserNumber(L"Random skin"), 1u);
}

// ---- Cancel, the close box and Esc store nothing

struct CloseCase {
    const char* name;
    bool seed;
    void (*close)(HWND dialog);
};

class ClosingWithoutOk : public SettingsDialogTest,
                         public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingWithoutOk, StoresNothing) {
    const CloseCase& c = GetParam();
    if (c.seed) SeedUserSettings(NonDefaultSeed());
    const auto before = SnapshotUserSettings();
    Open();
    // Every kind of edit the dialog offers short of a chooser.
    ClickButton(dialog, IDC_PAUSE_MEDIUM);
    ClickButton(dialog, IDC_SHOW_LAST_MOVE);
    ClickButton(dialog, IDC_RANDOM_SKIN);
    SelectListEntry(dialog, IDC_SKIN_LIST, 1);
    ClickButton(dialog, IDC_SET_DEFAULT);
    c.close(dialog);
    EXPECT_EQ(FinishSaver(session, 10000), 0);
    EXPECT_EQ(SnapshotUserSettings(), before);
    EXPECT_EQ(UserSettingsExist(), c.seed);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ClosingWithoutOk,
    ::testing::Values(
        CloseCase{"CancelButton", true, [](HWND d) { ClickButton(d, IDCANCEL); }},
        CloseCase{"CancelNeverConfigured", false, [](HWND d) { ClickButton(d, IDCANCEL); }},
        CloseCase{"CloseBox", true, [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        CloseCase{"EscKey", true, [](HWND d) { PressKey(d, VK_ESCAPE); }}),
    [](const auto& row) { return std::string(row.param.name); });

// ---- Set to default

TEST_F(SettingsDialogTest, SetToDefaultThenOkStoresDefaultsAndTheSelectedSkin) {
    SeedUserSettings(NonDefaultSeed());
    Open();
    const int walnut = IndexOfSkin(dialog, L"Walnut.bmp");
    ASSERT_GE(walnut, 0);
    SelectListEntry(dialog, IDC_SKIN_LIST, walnut);
    ClickButton(dialog, IDC_SET_DEFAULT);
    EXPECT_EQ(ReadControls(dialog).selectedSkin, L"Walnut.bmp") << "the selection does not move";
    EndWith(IDOK);
    EXPECT_EQ(ReadUserNumber(L"Color of font"), kDefaultFont);
    EXPECT_EQ(ReadUserNumber(L"Color of background"), 0u);
    EXPECT_EQ(ReadUserNumber(L"Show info"), 1u);
    EXPECT_EQ(ReadUserNumber(L"Time mode"), 1u);
    EXPECT_EQ(ReadUserNumber(L"Current game number"), 0u);
    EXPECT_EQ(ReadUserNumber(L"Show last move"), 1u);
    EXPECT_EQ(ReadUserNumber(L"Random skin"), 1u);
    EXPECT_EQ(ReadUserText(L"Path to PGN file"), DefaultPgnPath());
    EXPECT_EQ(ReadUserText(L"Name of skin"), L"Walnut.bmp");
}

// ---- The screen boxes

TEST_F(SettingsDialogTest, ScreenBoxesShowTheSavedValuesStoreOnOkAndResetByDefault) {
    SeedUserSettings(NonDefaultSeed());
    WriteUserNumber(L"Fit board", 1);
    WriteUserNumber(L"Animate moves", 0);
    Open();
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIT_BOARD), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ANIMATE_MOVES), static_cast<UINT>(BST_UNCHECKED));
    ClickButton(dialog, IDC_ANIMATE_MOVES);
    EndWith(IDOK);
    EXPECT_EQ(ReadUserNumber(L"Fit board"), 1u);
    EXPECT_EQ(ReadUserNumber(L"Animate moves"), 1u);

    Open();
    // An unsaved tick survives a refresh from the record, as every other choice does.
    ClickButton(dialog, IDC_FIT_BOARD);
    ClickButton(dialog, IDC_RANDOM_SKIN);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIT_BOARD), static_cast<UINT>(BST_UNCHECKED));
    ClickButton(dialog, IDC_SET_DEFAULT);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIT_BOARD), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ANIMATE_MOVES), static_cast<UINT>(BST_UNCHECKED));
    EndWith(IDOK);
    EXPECT_EQ(ReadUserNumber(L"Fit board"), 0u);
    EXPECT_EQ(ReadUserNumber(L"Animate moves"), 0u);
}

// ---- Saved values the controls cannot show as they are

TEST_F(SettingsDialogTest, TimeModeOutOfRangeTicksLargeAndOkStoresTwo) {
    SeededSettings seed;
    seed.timeMode = 5;
    SeedUserSettings(seed);
    Open();
    const ControlState shown = ReadControls(dialog);
    EXPECT_TRUE(shown.large);
    EXPECT_FALSE(shown.small || shown.medium);
    EndWith(IDOK);
    EXPECT_EQ(ReadUserNumber(L"Time mode"), 2u);
}

TEST_F(SettingsDialogTest, UnknownSkinNameSelectsAndStoresTheFirstEntry) {
    SeededSettings seed;
    seed.skinName = L"Gone.bmp";
    seed.randomSkin = 0;
    SeedUserSettings(seed);
    Open();
    EXPECT_EQ(ListSelection(dialog, IDC_SKIN_LIST), 0);
    const std::wstring first = ListEntry(dialog, IDC_SKIN_LIST, 0);
    ASSERT_FALSE(first.empty());
    EndWith(IDOK);
    EXPECT_EQ(ReadUserText(L"Name of skin"), first);
}

// ---- The preview

// The skin cell a square of the starting position shows: row by piece kind, column by square
// colour, plus 320 for a black piece.
RECT StartCellInterior(int file, int rank, int inset) {
    static const int kBackRank[8] = {4, 2, 3, 5, 6, 3, 2, 4};
    int kind = 0;
    if (rank == 0 || rank == 7) kind = kBackRank[file];
    if (rank == 1 || rank == 6) kind = 1;
    const bool light = ((7 - rank) + file) % 2 == 0;
    const int x = (light ? 64 : 0) + (kind != 0 && rank >= 6 ? 320 : 0);
    const int y = 64 * kind;
    return RECT{x + inset, y + inset, x + 64 - inset, y + 64 - inset};
}

// True when the preview's squares look like the skin's cells for the starting position.
bool PreviewShowsSkin(HWND dialog, const std::wstring& skinPath) {
    HWND preview = GetDlgItem(dialog, IDC_SKIN_PREVIEW);
    const struct {
        int file;
        int rank;
    } squares[] = {{4, 3}, {3, 3}, {0, 7}, {4, 0}, {3, 6}, {6, 1}};
    for (const auto& square : squares) {
        const MeanColour shown =
            MeanScreenColour(PreviewSquareInterior(preview, square.file, square.rank));
        const MeanColour wanted =
            MeanSkinColour(skinPath, StartCellInterior(square.file, square.rank, 16));
        if (ColourDistance(shown, wanted) > 10.0) return false;
    }
    return true;
}

class PreviewFollowsSelection : public SettingsDialogTest,
                                public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(PreviewFollowsSelection, ShowsTheSelectedSkinOnTheStartingPosition) {
    SeededSettings seed;
    seed.randomSkin = 0;
    SeedUserSettings(seed);
    Open();
    const int index = IndexOfSkin(dialog, GetParam());
    ASSERT_GE(index, 0);
    SelectListEntry(dialog, IDC_SKIN_LIST, index);
    EXPECT_TRUE(Eventually([&] { return PreviewShowsSkin(dialog, SkinPath(GetParam())); }));
    EndWith(IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(Skins, PreviewFollowsSelection,
                         ::testing::Values(L"Quorvane.bmp", L"Marble.bmp", L"Slate.bmp",
                                           L"Tournament.bmp", L"Walnut.bmp"));

TEST_F(SettingsDialogTest, RandomGreysTheListAndFillsThePreviewWithTheBackground) {
    SeededSettings seed;
    seed.randomSkin = 0;
    seed.skinName = L"Quorvane.bmp";
    seed.backgroundColor = RGB(0x33, 0x66, 0x99);
    SeedUserSettings(seed);
    Open();
    HWND list = GetDlgItem(dialog, IDC_SKIN_LIST);
    HWND preview = GetDlgItem(dialog, IDC_SKIN_PREVIEW);
    ASSERT_TRUE(IsWindowEnabled(list) && IsWindowEnabled(preview));
    ASSERT_TRUE(Eventually([&] { return PreviewShowsSkin(dialog, SkinPath(L"Quorvane.bmp")); }));

    ClickButton(dialog, IDC_RANDOM_SKIN);
    EXPECT_FALSE(IsWindowEnabled(list));
    EXPECT_FALSE(IsWindowEnabled(preview));
    EXPECT_TRUE(
        Eventually([&] { return ScreenAreaIs(ClientScreenRect(preview), RGB(0x33, 0x66, 0x99)); }));

    ClickButton(dialog, IDC_RANDOM_SKIN);
    EXPECT_TRUE(IsWindowEnabled(list) && IsWindowEnabled(preview));
    EXPECT_TRUE(Eventually([&] { return PreviewShowsSkin(dialog, SkinPath(L"Quorvane.bmp")); }));
    EndWith(IDOK);
    EXPECT_EQ(ReadUserNumber(L"Random skin"), 0u);
}

TEST_F(SettingsDialogTest, TickingAndUntickingRandomKeepsTheUnsavedChoices) {
    Open();
    MakeUnsavedChoices(dialog);
    ClickButton(dialog, IDC_RANDOM_SKIN);
    ExpectUnsavedChoicesShown(dialog);
    ClickButton(dialog, IDC_RANDOM_SKIN);
    ExpectUnsavedChoicesShown(dialog);
    EndWith(IDOK);
    ExpectUnsavedChoicesStored();
}

// The window that has the keyboard focus in the saver's dialog thread.
HWND FocusOf(HWND dialog) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread)) return nullptr;
    return thread.hwndFocus;
}

TEST_F(SettingsDialogTest, ArrowKeysStayAmongThePauseButtons) {
    Open();
    ClickButton(dialog, IDC_PAUSE_LARGE);
    ASSERT_TRUE(Eventually([&] { return FocusOf(dialog) == GetDlgItem(dialog, IDC_PAUSE_LARGE); }));
    const struct {
        WPARAM key;
        int lands;
    } steps[] = {{VK_DOWN, IDC_PAUSE_SMALL},
                 {VK_UP, IDC_PAUSE_LARGE},
                 {VK_RIGHT, IDC_PAUSE_SMALL},
                 {VK_DOWN, IDC_PAUSE_MEDIUM}};
    for (const auto& step : steps) {
        PressKey(dialog, step.key);
        EXPECT_TRUE(Eventually([&] {
            return FocusOf(dialog) == GetDlgItem(dialog, step.lands) &&
                   IsTicked(dialog, step.lands);
        })) << "after key "
            << step.key << " the focus is on control " << GetDlgCtrlID(FocusOf(dialog));
    }
    EndWith(IDCANCEL);
}

TEST_F(SettingsDialogTest, ABrokenSkinFileShowsTheBackgroundNotThePreviousSkin) {
    const std::wstring broken = SkinPath(L"Broken.bmp");
    HANDLE file = CreateFileW(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "BM not a bitmap", 15, &written, nullptr);
    CloseHandle(file);
    SeededSettings seed;
    seed.randomSkin = 0;
    seed.skinName = L"Slate.bmp";
    seed.backgroundColor = RGB(0x33, 0x66, 0x99);
    SeedUserSettings(seed);
    Open();
    EXPECT_TRUE(Eventually([&] { return PreviewShowsSkin(dialog, SkinPath(L"Slate.bmp")); }));
    const int index = IndexOfSkin(dialog, L"Broken.bmp");
    EXPECT_GE(index, 0);
    SelectListEntry(dialog, IDC_SKIN_LIST, index);
    HWND preview = GetDlgItem(dialog, IDC_SKIN_PREVIEW);
    EXPECT_TRUE(
        Eventually([&] { return ScreenAreaIs(ClientScreenRect(preview), RGB(0x33, 0x66, 0x99)); }));
    SelectListEntry(dialog, IDC_SKIN_LIST, IndexOfSkin(dialog, L"Slate.bmp"));
    EXPECT_TRUE(Eventually([&] { return PreviewShowsSkin(dialog, SkinPath(L"Slate.bmp")); }));
    EndWith(IDCANCEL);
    DeleteFileW(broken.c_str());
}

// The installation moved, for one test, into a folder no 8-bit code page can name.
struct CyrillicInstallation {
    std::wstring original = InstallPath();
    std::wstring folder = L"C:\\\u0418\u0433\u0440\u044b";
    std::wstring install = folder + L"\\Quorvane";

    explicit CyrillicInstallation(const std::wstring& skinSource) {
        CreateDirectoryW(folder.c_str(), nullptr);
        CreateDirectoryW(install.c_str(), nullptr);
        CreateDirectoryW((install + L"\\Skin").c_str(), nullptr);
        CopyFileW(skinSource.c_str(), (install + L"\\Skin\\Slate.bmp").c_str(), FALSE);
        WriteInstallPath(install);
    }
    ~CyrillicInstallation() {
        WriteInstallPath(original);
        DeleteFileW((install + L"\\Skin\\Slate.bmp").c_str());
        RemoveDirectoryW((install + L"\\Skin").c_str());
        RemoveDirectoryW(install.c_str());
        RemoveDirectoryW(folder.c_str());
    }
};

TEST_F(SettingsDialogTest, AFolderOutsideTheCodePageListsAndPreviewsItsSkins) {
    CyrillicInstallation moved(SkinPath(L"Slate.bmp"));
    SeededSettings seed;
    seed.randomSkin = 0;
    seed.skinName = L"Slate.bmp";
    SeedUserSettings(seed);
    Open();
    EXPECT_EQ(ListEntry(dialog, IDC_SKIN_LIST, 0), L"Slate.bmp");
    EXPECT_TRUE(
        Eventually([&] { return PreviewShowsSkin(dialog, moved.install + L"\\Skin\\Slate.bmp"); }));
    EndWith(IDOK);
    EXPECT_EQ(ReadUserText(L"Name of skin"), L"Slate.bmp");
}

// ---- Faults: over-long and stale values

TEST_F(SettingsDialogTest, LongestPgnPathIsShownAndKeptExactly) {
    // 259 characters, the most the 260-character field holds; the folder does not exist.
    std::wstring path = L"C:\\" + std::wstring(252, L'p') + L".pgn";
    ASSERT_EQ(path.size(), 259u);
    SeededSettings seed;
    seed.pgnPath = path;
    seed.currentGameNumber = 4;
    SeedUserSettings(seed);
    Open();
    EXPECT_EQ(ControlText(dialog, IDC_PGN_PATH), path);
    EndWith(IDOK);
    EXPECT_EQ(ReadUserText(L"Path to PGN file"), path);
    EXPECT_EQ(ReadUserNumber(L"Current game number"), 4u);
}

TEST_F(SettingsDialogTest, OverLongPgnPathNeverReachesTheDialogAndCancelKeepsIt) {
    const std::wstring path = L"C:\\" + std::wstring(400, L'q') + L".pgn";
    SeededSettings seed;
    seed.pgnPath = path;
    SeedUserSettings(seed);
    Open();
    // Too long for the field: the store keeps the default, as for any unreadable value.
    EXPECT_EQ(ControlText(dialog, IDC_PGN_PATH), DefaultPgnPath());
    EndWith(IDCANCEL);
    EXPECT_EQ(ReadUserText(L"Path to PGN file"), path);
}

TEST_F(SettingsDialogTest, OverLongListEntryLeavesTheSkinNameAlone) {
    SeededSettings seed;
    seed.randomSkin = 0;
    seed.skinName = L"Slate.bmp";
    SeedUserSettings(seed);
    Open();
    // No file name is this long; an entry put there by hand must still not overrun the buffer.
    const int added = AddListEntry(dialog, IDC_SKIN_LIST, std::wstring(600, L'x') + L".bmp");
    ASSERT_GE(added, 0);
    SelectListEntry(dialog, IDC_SKIN_LIST, added);
    PumpFor(200);
    EndWith(IDOK);
    EXPECT_EQ(ReadUserText(L"Name of skin"), L"Slate.bmp");
}

TEST_F(SettingsDialogTest, FitBoardShowsTheScreenInSmallWithTheBoardOnIt) {
    SeededSettings seed;
    seed.randomSkin = 0;
    seed.skinName = L"Quorvane.bmp";
    seed.backgroundColor = RGB(0x33, 0x66, 0x99);
    SeedUserSettings(seed);
    Open();
    HWND preview = GetDlgItem(dialog, IDC_SKIN_PREVIEW);
    ASSERT_TRUE(Eventually([&] { return PreviewShowsSkin(dialog, SkinPath(L"Quorvane.bmp")); }));
    const RECT area = ClientScreenRect(preview);
    ClickButton(dialog, IDC_FIT_BOARD);
    EXPECT_TRUE(Eventually([&] { return !PreviewShowsSkin(dialog, SkinPath(L"Quorvane.bmp")); }));
    // The small screen's left edge, halfway down, shows the background beside the small board;
    // the classic preview's board reached the edge there.
    const RECT screenCorner{area.left + 1, area.top + (area.bottom - area.top) / 2 - 1,
                            area.left + 4, area.top + (area.bottom - area.top) / 2 + 2};
    EXPECT_TRUE(Eventually([&] { return ScreenAreaIs(screenCorner, RGB(0x33, 0x66, 0x99)); }));
    ClickButton(dialog, IDC_FIT_BOARD);
    EXPECT_TRUE(Eventually([&] { return PreviewShowsSkin(dialog, SkinPath(L"Quorvane.bmp")); }));
    EndWith(IDCANCEL);
}

}  // namespace
