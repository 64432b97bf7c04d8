#include "dialog_fixture.h"

#include "user_settings.h"
#include "win32/resource_ids.h"

void SeedUserSettings(const SeededSettings& seed) {
    ClearUserSettings();
    const std::pair<const wchar_t*, const std::optional<uint32_t>*> numbers[] = {
        {L"Color of font", &seed.fontColor},
        {L"Color of background", &seed.backgroundColor},
        {L"Show info", &seed.showInfo},
        {L"Time mode", &seed.timeMode},
        {L"Current game number", &seed.currentGameNumber},
        {L"Show last move", &seed.showLastMove},
        {L"Random skin", &seed.randomSkin}};
    for (const auto& [name, value] : numbers) {
        if (value->has_value()) WriteUserNumber(name, **value);
    }
    if (seed.skinName) WriteUserText(L"Name of skin", *seed.skinName);
    if (seed.pgnPath) WriteUserText(L"Path to PGN file", *seed.pgnPath);
}

ControlState ReadControls(HWND dialog) {
    ControlState state{};
    state.backgroundText = ControlText(dialog, IDC_BACKGROUND_COLOR);
    state.fontText = ControlText(dialog, IDC_FONT_COLOR);
    state.pgnPath = ControlText(dialog, IDC_PGN_PATH);
    state.random = IsTicked(dialog, IDC_RANDOM_SKIN);
    state.showInfo = IsTicked(dialog, IDC_SHOW_INFO);
    state.showLastMove = IsTicked(dialog, IDC_SHOW_LAST_MOVE);
    state.small = IsTicked(dialog, IDC_PAUSE_SMALL);
    state.medium = IsTicked(dialog, IDC_PAUSE_MEDIUM);
    state.large = IsTicked(dialog, IDC_PAUSE_LARGE);
    state.selection = ListSelection(dialog, IDC_SKIN_LIST);
    state.selectedSkin =
        state.selection >= 0 ? ListEntry(dialog, IDC_SKIN_LIST, state.selection) : L"";
    return state;
}

void SettingsDialogTest::SetUp() {
    ClearUserSettings();
    installPath = InstallPath();
    ASSERT_FALSE(installPath.empty()) << "the prefix has no HKLM install path";
}

void SettingsDialogTest::TearDown() {
    KillSaver(session);
}

void SettingsDialogTest::Open() {
    ASSERT_TRUE(OpenSettings(session)) << "the saver showed no settings dialog";
    dialog = session.settings;
}

void SettingsDialogTest::EndWith(int buttonId) {
    ClickButton(dialog, buttonId);
    EXPECT_EQ(FinishSaver(session, 10000), 0);
}

std::wstring SettingsDialogTest::SkinPath(const std::wstring& name) const {
    return installPath + L"\\Skin\\" + name;
}

std::wstring SettingsDialogTest::DefaultPgnPath() const {
    return installPath + L"\\varnoth.pgn";
}

bool Eventually(const std::function<bool()>& predicate) {
    return PumpUntil(predicate, 3000);
}

void MakeUnsavedChoices(HWND dialog) {
    ClickButton(dialog, IDC_PAUSE_SMALL);
    ClickButton(dialog, IDC_SHOW_INFO);
    ClickButton(dialog, IDC_SHOW_LAST_MOVE);
    ExpectUnsavedChoicesShown(dialog);
}

void ExpectUnsavedChoicesShown(HWND dialog) {
    const ControlState shown = ReadControls(dialog);
    EXPECT_TRUE(shown.small && !shown.medium && !shown.large) << "the pause jumped back";
    EXPECT_FALSE(shown.showInfo) << "\"Game information\" jumped back";
    EXPECT_FALSE(shown.showLastMove) << "\"Last move\" jumped back";
}

void ExpectUnsavedChoicesStored() {
    EXPECT_EQ(ReadUserNumber(L"Time mode"), 0u);
    EXPECT_EQ(ReadUserNumber(L"Show info"), 0u);
    EXPECT_EQ(ReadUserNumber(L"Show last move"), 0u);
}
