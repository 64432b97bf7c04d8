// A stand-in for the control-panel module PASSWORD.CPL, driven by the test through the registry key
// HKCU\Software\QuorvaneE2E:
//   "Password answer"    DWORD, the result to give (0 refuses, 1 accepts)
//   "Password delay ms"  DWORD, how long the "dialog" stays open; messages keep flowing meanwhile
//   "Password calls"     DWORD, counted up on every call
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

// Waits like a modal dialog does: the caller's windows keep getting their messages.
void PumpMessagesFor(DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
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
    const DWORD calls = ReadNumber(key, "Password calls") + 1;
    RegSetValueExA(key, "Password calls", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&calls),
                   sizeof calls);
    char handle[24];
    std::snprintf(handle, sizeof handle, "%llu", reinterpret_cast<unsigned long long>(window));
    RegSetValueExA(key, "Password window", 0, REG_SZ, reinterpret_cast<const BYTE*>(handle),
                   static_cast<DWORD>(std::strlen(handle) + 1));
    const DWORD answer = ReadNumber(key, "Password answer");
    const DWORD delay = ReadNumber(key, "Password delay ms");
    RegCloseKey(key);
    PumpMessagesFor(delay);
    return answer != 0 ? TRUE : FALSE;
}
