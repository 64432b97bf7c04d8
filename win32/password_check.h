#pragma once
// May the full-screen saver close now? Only the non-NT family of Windows asks for the screen-saver
// password, through PASSWORD.CPL, and only when the user's desktop settings want one.

#include <windows.h>

#include <cstdint>

// Non-zero: the saver may close. Reads fullScreen and parentWindow of the shell's state and holds
// verifyingPassword at 1 while the password dialog runs.
int32_t VerifyClosePassword();

// The platform family the running system reports; the NT family when it reports none.
DWORD RunningPlatformId();

// The same decision for a given platform id (VER_PLATFORM_WIN32_WINDOWS asks), so that the
// asking path can be exercised on any system.
int32_t VerifyClosePasswordOnPlatform(DWORD platformId);
