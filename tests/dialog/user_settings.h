#pragma once
// The saver's registry values as the tests seed and read them: the per-user settings key and the
// machine-wide install path, read back exactly (type and bytes) so that stray writes show.

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Removes the per-user key, so a test starts from "never configured".
void ClearUserSettings();
bool UserSettingsExist();

void WriteUserNumber(const wchar_t* name, uint32_t value);
void WriteUserText(const wchar_t* name, const std::wstring& text);

// A value only when present with the expected type.
std::optional<uint32_t> ReadUserNumber(const wchar_t* name);
std::optional<std::wstring> ReadUserText(const wchar_t* name);

struct RegistryValue {
    DWORD type;
    std::vector<BYTE> bytes;
    bool operator==(const RegistryValue&) const = default;
};
// Every value of the per-user key by name; empty when the key is missing.
std::map<std::wstring, RegistryValue> SnapshotUserSettings();

// HKLM "Install path", as the installer wrote it.
std::wstring InstallPath();
void WriteInstallPath(const std::wstring& path);
