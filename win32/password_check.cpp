#include "win32/password_check.h"

#include "win32/saver_state.h"

namespace {

using VerifyScreenSavePwdFunction = BOOL(WINAPI*)(HWND);

// The user's "ScreenSaveUsePassword" as a 4-byte number, whatever its type; 0 when unreadable.
DWORD ReadUsePassword() {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key) != ERROR_SUCCESS) return 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LONG result = RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? value : 0;
}

// The password module's check, when the user wants a password and the module offers one. The
// module stays loaded: the next close request would only find it loaded again.
VerifyScreenSavePwdFunction FindPasswordCheck() {
    if (ReadUsePassword() == 0) return nullptr;
    HMODULE module = LoadLibraryA("PASSWORD.CPL");
    if (module == nullptr) return nullptr;
    FARPROC found = GetProcAddress(module, "VerifyScreenSavePwd");
    return reinterpret_cast<VerifyScreenSavePwdFunction>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

int32_t VerifyClosePasswordOnPlatform(DWORD platformId) {
    if (theShell.fullScreen != 1) return 1;
    if (platformId != VER_PLATFORM_WIN32_WINDOWS) return 1;
    theShell.verifyingPassword = 1;
    VerifyScreenSavePwdFunction check = FindPasswordCheck();
    // Timer ticks, repaints and input keep arriving during the call; the flag turns away every
    // further close request until it returns.
    const int32_t agreed = check != nullptr ? (check(theShell.parentWindow) != 0 ? 1 : 0) : 1;
    theShell.verifyingPassword = 0;
    return agreed;
}

DWORD RunningPlatformId() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version)) return VER_PLATFORM_WIN32_NT;
    return version.dwPlatformId;
}

int32_t VerifyClosePassword() {
    if (theShell.fullScreen != 1) return 1;
    return VerifyClosePasswordOnPlatform(RunningPlatformId());
}
