// A stand-in for the control-panel module PASSWORD.CPL, driven by the test through the registry key
// HKCU\Software\QuorvaneE2E:
//   "Password answer"    DWORD, the result to give (0 refuses, 1 accepts)
//   "Password hold"      DWORD, while not 0 the "dialog" stays open; messages flow meanwhile
//   "Password calls"     DWORD, counted up as each call begins
//   "Password returns"   DWORD, counted up as each call returns
//   "Password window"    text, the window handle the last call was given, in decimal
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kControlKey = "Software\\QuorvaneE2E";

DWORD ReadNumber(HKEY key, const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS) {
        return 0;
    }
    return value;
}

void CountUp(HKEY key, const char* name) {
    const DWORD count = ReadNumber(key, name) + 1;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count);
}

// Waits like a modal dialog does, until the test lets go: the caller's windows keep getting their
// messages. The test decides when, so that a slow machine cannot end the check early.
void PumpMessagesWhileHeld(HKEY key) {
    while (ReadNumber(key, "Password hold") != 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kControlKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return FALSE;
    }
    CountUp(key, "Password calls");
    char handle[24];
    std::snprintf(handle, sizeof handle, "%llu", reinterpret_cast<unsigned long long>(window));
    RegSetValueExA(key, "Password window", 0, REG_SZ, reinterpret_cast<const BYTE*>(handle),
                   static_cast<DWORD>(std::strlen(handle) + 1));
    PumpMessagesWhileHeld(key);
    const DWORD answer = ReadNumber(key, "Password answer");
    CountUp(key, "Password returns");
    RegCloseKey(key);
    return answer != 0 ? TRUE : FALSE;
}
