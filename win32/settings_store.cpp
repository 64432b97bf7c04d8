#include "win32/settings_store.h"

#include <cstring>

#include "display/settings_table.h"

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
void QueryNumber(HKEY key, const wchar_t* name, SaverSettings& settings, const SettingRow& row) {
    DWORD data = 0;
    DWORD type = 0;
    DWORD size = sizeof(data);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof(data)) {
        SetSettingNumber(settings, row, data);
    }
}

void SetNumber(HKEY key, const wchar_t* name, DWORD data) {
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

void SetText(HKEY key, const wchar_t* name, const WideChar* text) {
    const int32_t characters = WideLength(text, kPathCapacity - 1) + 1;
    // A field that lost its terminator is written cut at the buffer's end, terminator included.
    WideChar copy[kPathCapacity];
    std::memcpy(copy, text, sizeof(copy));
    copy[characters - 1] = 0;
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(copy),
                   static_cast<DWORD>(characters) * sizeof(WideChar));
}

// The row's registry value name; the table's names are plain ASCII.
struct ValueName {
    WideChar text[kPathCapacity];
};

ValueName ValueNameOf(const SettingRow& row) {
    ValueName name{};
    AppendAsciiText(name.text, row.name);
    return name;
}

void LoadValue(HKEY key, SaverSettings& settings, const SettingRow& row) {
    const ValueName name = ValueNameOf(row);
    if (IsTextKind(row.kind)) {
        QueryText(key, name.text, settings.*row.text);
    } else {
        QueryNumber(key, name.text, settings, row);
    }
}

void StoreValue(HKEY key, const SaverSettings& settings, const SettingRow& row) {
    const ValueName name = ValueNameOf(row);
    if (IsTextKind(row.kind)) {
        SetText(key, name.text, SettingText(settings, row));
    } else {
        SetNumber(key, name.text, SettingNumber(settings, row));
    }
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
    for (const SettingRow& row : SettingRows())
        LoadValue(key, settings, row);
    RegCloseKey(key);
}

void StoreSettings(SaverSettings settings) {
    HKEY key = CreateUserKey();
    if (key == nullptr) return;
    // The saver's place goes last, as the saver writes it at the end of every run.
    for (const SettingRow& row : SettingRows()) {
        if (!IsKeptRow(row)) StoreValue(key, settings, row);
    }
    RegCloseKey(key);
    StoreSaverPlace(settings);
}

void StoreSaverPlace(SaverSettings settings) {
    HKEY key = CreateUserKey();
    if (key == nullptr) return;
    // The game number last: a reader that sees it sees the file and round it belongs to.
    for (const SettingRow& row : SettingRows()) {
        if (IsKeptRow(row) && &row != &GameNumberRow()) StoreValue(key, settings, row);
    }
    StoreValue(key, settings, GameNumberRow());
    RegCloseKey(key);
}
