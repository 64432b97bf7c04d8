#include "win32/settings_store.h"

#include <cstring>

namespace {

constexpr DWORD kTextValueBytes = kPathCapacity * sizeof(WideChar);

// Opens a key for reading. Full access first, as the installer's key expects; a user without
// rights to the machine-wide key still gets to read it.
HKEY OpenForReading(HKEY root, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, kSettingsKeyPath, 0, KEY_ALL_ACCESS | view, &key) == ERROR_SUCCESS) {
        return key;
    }
    if (RegOpenKeyExW(root, kSettingsKeyPath, 0, KEY_READ | view, &key) == ERROR_SUCCESS) {
        return key;
    }
    return nullptr;
}

// The value's text when it is a REG_SZ that fits the field with its terminator.
bool QueryText(HKEY key, const wchar_t* name, WideChar (&field)[kPathCapacity]) {
    WideChar data[kPathCapacity];
    DWORD type = 0;
    DWORD size = kTextValueBytes;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    if (type != REG_SZ) return false;
    return TakeRegistryText(field, kPathCapacity, data, static_cast<int32_t>(size));
}

// The value when it is a REG_DWORD of 4 bytes; else the field keeps what it has.
template <typename Field>
void QueryNumber(HKEY key, const wchar_t* name, Field& field) {
    static_assert(sizeof(Field) == 4);
    DWORD data = 0;
    DWORD type = 0;
    DWORD size = sizeof(data);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof(data)) {
        std::memcpy(&field, &data, sizeof(field));
    }
}

template <typename Field>
void SetNumber(HKEY key, const wchar_t* name, Field value) {
    static_assert(sizeof(Field) == 4);
    DWORD data = 0;
    std::memcpy(&data, &value, sizeof(data));
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

void SetText(HKEY key, const wchar_t* name, const WideChar (&text)[kPathCapacity]) {
    const int32_t characters = WideLength(text, kPathCapacity - 1) + 1;
    // A field that lost its terminator is written cut at the buffer's end, terminator included.
    WideChar copy[kPathCapacity];
    std::memcpy(copy, text, sizeof(copy));
    copy[characters - 1] = 0;
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(copy),
                   static_cast<DWORD>(characters) * sizeof(WideChar));
}

HKEY CreateUserKey() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

bool ReadInstallPathFrom(REGSAM view, WideChar (&destination)[kPathCapacity]) {
    HKEY key = OpenForReading(HKEY_LOCAL_MACHINE, view);
    if (key == nullptr) return false;
    WideChar text[kPathCapacity];
    const bool read = QueryText(key, L"Install path", text);
    RegCloseKey(key);
    if (!read) return false;
    DropTrailingBackslash(text, kPathCapacity);
    return CopyWideText(destination, text);
}

}  // namespace

bool ReadInstallPath(WideChar (&destination)[kPathCapacity]) {
    // A 32-bit installer writes the machine-wide key in the 32-bit view; look there second.
    return ReadInstallPathFrom(0, destination) || ReadInstallPathFrom(KEY_WOW64_32KEY, destination);
}

void LoadSettings(SaverSettings& settings) {
    ReadInstallPath(settings.installPath);
    SetDefaultSettings(settings);
    HKEY key = OpenForReading(HKEY_CURRENT_USER, 0);
    if (key == nullptr) return;
    QueryNumber(key, L"Color of font", settings.fontColor);
    QueryNumber(key, L"Color of background", settings.backgroundColor);
    QueryNumber(key, L"Show info", settings.showInfo);
    QueryNumber(key, L"Time mode", settings.timeMode);
    QueryNumber(key, L"Current game number", settings.currentGameNumber);
    QueryNumber(key, L"Show last move", settings.showLastMove);
    QueryNumber(key, L"Random skin", settings.randomSkin);
    QueryNumber(key, L"Fit board", settings.fitBoard);
    QueryNumber(key, L"Animate moves", settings.animateMoves);
    QueryText(key, L"Name of skin", settings.skinName);
    QueryText(key, L"Path to PGN file", settings.pgnPath);
    RegCloseKey(key);
}

void StoreSettings(SaverSettings settings) {
    HKEY key = CreateUserKey();
    if (key == nullptr) return;
    SetNumber(key, L"Color of font", settings.fontColor);
    SetNumber(key, L"Color of background", settings.backgroundColor);
    SetNumber(key, L"Show info", settings.showInfo);
    SetNumber(key, L"Time mode", settings.timeMode);
    SetNumber(key, L"Show last move", settings.showLastMove);
    SetNumber(key, L"Random skin", settings.randomSkin);
    SetNumber(key, L"Fit board", settings.fitBoard);
    SetNumber(key, L"Animate moves", settings.animateMoves);
    SetText(key, L"Name of skin", settings.skinName);
    SetText(key, L"Path to PGN file", settings.pgnPath);
    RegCloseKey(key);
    StoreCurrentGameNumber(settings);
}

void StoreCurrentGameNumber(SaverSettings settings) {
    HKEY key = CreateUserKey();
    if (key == nullptr) return;
    SetNumber(key, L"Current game number", settings.currentGameNumber);
    RegCloseKey(key);
}
