#pragma once
// The settings dialog of the real saver, opened fresh for each test in a prefix laid out the way
// the installer lays it out, with the per-user settings seeded by the test.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "saver_session.h"

// The nine per-user values, as a test seeds them; an empty optional leaves the value out.
struct SeededSettings {
    std::optional<uint32_t> fontColor;
    std::optional<uint32_t> backgroundColor;
    std::optional<uint32_t> showInfo;
    std::optional<uint32_t> timeMode;
    std::optional<uint32_t> currentGameNumber;
    std::optional<uint32_t> showLastMove;
    std::optional<uint32_t> randomSkin;
    std::optional<std::wstring> skinName;
    std::optional<std::wstring> pgnPath;
};

void SeedUserSettings(const SeededSettings& seed);

// What the saver's controls show, read through the window manager.
struct ControlState {
    std::wstring backgroundText;
    std::wstring fontText;
    std::wstring pgnPath;
    bool random;
    bool showInfo;
    bool showLastMove;
    bool small;
    bool medium;
    bool large;
    int selection;
    std::wstring selectedSkin;
};

ControlState ReadControls(HWND dialog);

class SettingsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the dialog; the test stops when the saver shows none.
    void Open();
    // Presses a button that ends the dialog and expects the saver to end with exit code 0.
    void EndWith(int buttonId);
    std::wstring SkinPath(const std::wstring& name) const;
    std::wstring DefaultPgnPath() const;

    SaverSession session;
    HWND dialog = nullptr;
    std::wstring installPath;
};

// Every pause and "Show" control set away from its default (Small, both boxes clear), as a user
// would before an action that refreshes the dialog; the checks expect them on screen and stored.
void MakeUnsavedChoices(HWND dialog);
void ExpectUnsavedChoicesShown(HWND dialog);
void ExpectUnsavedChoicesStored();

// Waits (pumping) until predicate holds, for at most three seconds: repaints happen in the
// saver's own time.
bool Eventually(const std::function<bool()>& predicate);
