// The program's entry: reads the texts and settings every mode needs, then runs the mode the
// command line asks for. The return value is the process's exit code.

#include <windows.h>

#include <cstdint>

#include "display/run_mode.h"
#include "text/word_list.h"
#include "win32/resource_ids.h"
#include "win32/saver_state.h"
#include "win32/saver_window.h"
#include "win32/settings_dialog.h"
#include "win32/settings_store.h"

namespace {

constexpr const char* kRegistryDamagedText =
    "Registry information is damaged. Please reinstall screen saver";
constexpr const char* kMprMissingText =
    "File MPR.DLL not found! (This file needed for change password.)";
constexpr const char* kPwdChangeMissingText =
    "Function PwdChangePasswordA in file MPR.DLL not fount! (This function needed for change "
    "password.)";

using PwdChangePasswordFunction = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

void ShowStopMessage(const char* text) {
    MessageBoxA(nullptr, text, theShell.windowTitle, MB_OK | MB_ICONHAND);
}

HWND WindowFromNumber(int32_t number) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(number));
}

void LoadResourceTexts(HINSTANCE instance) {
    LoadStringA(instance, IDS_NOTICE_TEXT, theShell.noticeText, kResourceTextCapacity);
    LoadStringA(instance, IDS_WINDOW_TITLE, theShell.windowTitle, kResourceTextCapacity);
    LoadStringA(instance, IDS_CLASS_NAME, theShell.className, kResourceTextCapacity);
    LoadStringA(instance, IDS_VERSION_TEXT, theShell.versionText, kResourceTextCapacity);
}

int RunChangePassword() {
    HMODULE library = LoadLibraryA("MPR.DLL");
    if (library == nullptr) {
        ShowStopMessage(kMprMissingText);
        return 1;
    }
    FARPROC found = GetProcAddress(library, "PwdChangePasswordA");
    if (found == nullptr) {
        ShowStopMessage(kPwdChangeMissingText);
        return 1;
    }
    auto change = reinterpret_cast<PwdChangePasswordFunction>(reinterpret_cast<void (*)()>(found));
    change("SCRSAVE", theShell.parentWindow, 0, 0);
    FreeLibrary(library);
    return 0;
}

int RunConfigure() {
    DialogBoxParamA(theShell.instance, MAKEINTRESOURCEA(IDD_SETTINGS_DIALOG), theShell.parentWindow,
                    SettingsDialogProc, 0);
    return 0;
}

// The saver window's message loop; SPI_SETSCREENSAVERRUNNING is set around the full-screen one.
int RunSaverWindow(HINSTANCE instance, int showCommand) {
    if (!RegisterSaverClass(instance)) return 0;
    if (!CreateSaverWindow(instance, showCommand)) return 0;
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_SAVER_ACCELERATORS));
    BOOL previous = FALSE;
    const bool fullScreen = theShell.fullScreen == 1;
    if (fullScreen) SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &previous, 0);
    MSG message{};
    // GetMessage's -1 (an error) ends the loop rather than spinning on it.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorA(message.hwnd, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (fullScreen) SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &previous, 0);
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    theShell.instance = instance;
    LoadResourceTexts(instance);
    if (!ReadInstallPath(theSettings.installPath)) {
        ShowStopMessage(kRegistryDamagedText);
        return 1;
    }
    LoadSettings(theSettings);
    const WordList words = SplitCommandLine(CharString(GetCommandLineA()));
    const RunMode mode = ChooseRunMode(words);
    const int32_t windowNumber = WindowNumberFor(mode, words);
    switch (mode) {
        case RunMode::ChangePassword:
            if (windowNumber == 0) return 1;
            theShell.parentWindow = WindowFromNumber(windowNumber);
            return RunChangePassword();
        case RunMode::Configure:
            if (windowNumber == 0) return 1;
            theShell.parentWindow = WindowFromNumber(windowNumber);
            return RunConfigure();
        case RunMode::Preview:
            if (windowNumber == 0) return 1;
            theShell.parentWindow = WindowFromNumber(windowNumber);
            theShell.fullScreen = 0;
            return RunSaverWindow(instance, showCommand);
        case RunMode::FullScreen:
            theShell.fullScreen = 1;
            return RunSaverWindow(instance, showCommand);
    }
    return 0;
}
