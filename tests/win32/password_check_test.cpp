// The close-password decision, with a stand-in PASSWORD.CPL beside the test program.

#include "win32/password_check.h"

#include <gtest/gtest.h>

#include "saver_window_harness.h"
#include "win32/saver_state.h"
#include "win32/saver_window.h"

namespace {

using SetAnswerFunction = void(WINAPI*)(BOOL, HWND);
using CallsFunction = LONG(WINAPI*)();

template <typename Function>
Function Export(const char* name) {
    HMODULE module = GetModuleHandleA("PASSWORD.CPL");
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The user's wish for a password, set for one test and removed after it.
void SetUsePassword(bool present, DWORD value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (present) {
        RegSetValueExA(key, "ScreenSaveUsePassword", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&value), sizeof(value));
    } else {
        RegDeleteValueA(key, "ScreenSaveUsePassword");
    }
    RegCloseKey(key);
}

class PasswordCheck : public ::testing::Test {
  protected:
    void SetUp() override {
        theShell.fullScreen = 1;
        theShell.parentWindow = nullptr;
        theShell.verifyingPassword = 0;
    }
    void TearDown() override { SetUsePassword(false, 0); }

    // Loads the stand-in once and sets its answer; returns false when it is not there.
    bool Answer(BOOL answer, HWND target) {
        if (GetModuleHandleA("PASSWORD.CPL") == nullptr) LoadLibraryA("PASSWORD.CPL");
        auto set = Export<SetAnswerFunction>("SetPasswordTestAnswer");
        if (set == nullptr) return false;
        set(answer, target);
        return true;
    }

    LONG Calls() { return Export<CallsFunction>("PasswordTestCalls")(); }
};

// Runs first: until a password is wanted, the module is never loaded.
TEST_F(PasswordCheck, NoPasswordWantedLoadsNoModule) {
    SetUsePassword(false, 0);
    EXPECT_NE(VerifyClosePasswordOnPlatform(VER_PLATFORM_WIN32_WINDOWS), 0);
    SetUsePassword(true, 0);
    EXPECT_NE(VerifyClosePasswordOnPlatform(VER_PLATFORM_WIN32_WINDOWS), 0);
    EXPECT_EQ(GetModuleHandleA("PASSWORD.CPL"), nullptr);
    EXPECT_EQ(theShell.verifyingPassword, 0);
}

TEST_F(PasswordCheck, OnlyTheNonNtFamilyAsksAndOnlyFullScreen) {
    SetUsePassword(true, 1);
    ASSERT_TRUE(Answer(FALSE, nullptr)) << "PASSWORD.CPL stand-in missing beside the test";
    EXPECT_NE(VerifyClosePasswordOnPlatform(VER_PLATFORM_WIN32_NT), 0);
    EXPECT_NE(VerifyClosePassword(), 0) << "Wine reports the NT family";
    theShell.fullScreen = 0;
    EXPECT_NE(VerifyClosePasswordOnPlatform(VER_PLATFORM_WIN32_WINDOWS), 0);
    EXPECT_EQ(Calls(), 0);
    theShell.fullScreen = 1;
    EXPECT_EQ(VerifyClosePasswordOnPlatform(VER_PLATFORM_WIN32_WINDOWS), 0);
    EXPECT_EQ(Calls(), 1);
    ASSERT_TRUE(Answer(TRUE, nullptr));
    EXPECT_NE(VerifyClosePasswordOnPlatform(VER_PLATFORM_WIN32_WINDOWS), 0);
    EXPECT_EQ(theShell.verifyingPassword, 0);
}

TEST_F(PasswordCheck, InputDuringTheCheckStartsNoSecondOneAndCloseNothing) {
    if (!HaveDisplay()) GTEST_SKIP() << "no X display for Wine";
    SaverFixture fixture;
    SetCursorPos(500, 400);
    ASSERT_NE(fixture.OpenFullScreen(), nullptr);
    const POINT anchor = theShell.cursorAnchor;
    SetUsePassword(true, 1);
    ASSERT_TRUE(Answer(FALSE, fixture.saver));
    EXPECT_EQ(VerifyClosePasswordOnPlatform(VER_PLATFORM_WIN32_WINDOWS), 0);
    EXPECT_EQ(Calls(), 1);
    EXPECT_EQ(theShell.windowResourcesLive, 1) << "input during the check closed the saver";
    EXPECT_EQ(theShell.verifyingPassword, 0);
    EXPECT_EQ(theShell.cursorAnchor.x, anchor.x);
    EXPECT_EQ(theShell.cursorAnchor.y, anchor.y);
    Answer(TRUE, nullptr);
}

TEST_F(PasswordCheck, ACloseRequestAfterTheCleanUpAsksForNoPassword) {
    if (!HaveDisplay()) GTEST_SKIP() << "no X display for Wine";
    SaverFixture fixture;
    SetCursorPos(500, 400);
    ASSERT_NE(fixture.OpenFullScreen(), nullptr);
    SetUsePassword(true, 1);
    ASSERT_TRUE(Answer(TRUE, nullptr));
    const LONG before = Calls();
    CloseSaverWindowOnPlatform(VER_PLATFORM_WIN32_WINDOWS);
    EXPECT_EQ(Calls(), before + 1) << "the live window asks";
    EXPECT_EQ(theShell.windowResourcesLive, 0);
    CloseSaverWindowOnPlatform(VER_PLATFORM_WIN32_WINDOWS);
    EXPECT_EQ(Calls(), before + 1) << "asked with nothing left to close";
}

}  // namespace
