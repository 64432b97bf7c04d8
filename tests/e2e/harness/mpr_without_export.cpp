// A library named MPR.DLL that loads but lacks PwdChangePasswordA, for the password-change
// request's "function missing" path.
#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI
    WNetGetLastErrorA(DWORD* error, char*, DWORD, char*, DWORD) {
    if (error != nullptr) *error = 0;
    return ERROR_SUCCESS;
}
