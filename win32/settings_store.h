#pragma once
// The settings in the registry: the installation folder under the machine-wide key, the user
// values under the per-user key of the same path. Reads never fail loudly; writes fail silently.

#include <windows.h>

#include "display/settings.h"

// The one key path, under HKEY_LOCAL_MACHINE ("Install path") and HKEY_CURRENT_USER (the rest).
constexpr const wchar_t* kSettingsKeyPath = L"Software\\Brenholt\\Quorvane";

// Reads "Install path" without its trailing backslash; false, destination untouched, on failure.
bool ReadInstallPath(WideChar (&destination)[kPathCapacity]);

// Install path, defaults, then every per-user value that is present and of the right type.
void LoadSettings(SaverSettings& settings);

// Writes the per-user values, the saver's place last.
void StoreSettings(SaverSettings settings);

// Writes the saver's place alone: the game number, and the file, seed and position of a folder or
// a shuffled round.
void StoreSaverPlace(SaverSettings settings);
