#include "user_settings.h"

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Brenholt\\Quorvane";

HKEY OpenUserKey(REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, access, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

HKEY CreateUserKey() {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    return key;
}

std::optional<RegistryValue> ReadValue(HKEY root, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, kSettingsKey, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RegistryValue value{};
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.bytes.resize(size);
        status = RegQueryValueExW(key, name, nullptr, &value.type, value.bytes.data(), &size);
        value.bytes.resize(size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return value;
}

std::wstring TextOf(const RegistryValue& value) {
    std::wstring text(value.bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(text.data(), value.bytes.data(), text.size() * sizeof(wchar_t));
    // Exactly one terminator is what the store writes; anything after it would be a stray write.
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

}  // namespace

void ClearUserSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

bool UserSettingsExist() {
    HKEY key = OpenUserKey(KEY_READ);
    if (key == nullptr) return false;
    RegCloseKey(key);
    return true;
}

void WriteUserNumber(const wchar_t* name, uint32_t value) {
    HKEY key = CreateUserKey();
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void WriteUserText(const wchar_t* name, const std::wstring& text) {
    HKEY key = CreateUserKey();
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::optional<uint32_t> ReadUserNumber(const wchar_t* name) {
    const auto value = ReadValue(HKEY_CURRENT_USER, name);
    if (!value || value->type != REG_DWORD || value->bytes.size() != 4) return std::nullopt;
    uint32_t number = 0;
    memcpy(&number, value->bytes.data(), sizeof number);
    return number;
}

std::optional<std::wstring> ReadUserText(const wchar_t* name) {
    const auto value = ReadValue(HKEY_CURRENT_USER, name);
    if (!value || value->type != REG_SZ) return std::nullopt;
    return TextOf(*value);
}

std::map<std::wstring, RegistryValue> SnapshotUserSettings() {
    std::map<std::wstring, RegistryValue> values;
    HKEY key = OpenUserKey(KEY_READ);
    if (key == nullptr) return values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256] = {0};
        DWORD nameLength = 256;
        RegistryValue value{};
        DWORD size = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &value.type, nullptr, &size) !=
            ERROR_SUCCESS) {
            break;
        }
        value.bytes.resize(size);
        nameLength = 256;
        RegEnumValueW(key, index, name, &nameLength, nullptr, &value.type, value.bytes.data(),
                      &size);
        values[name] = value;
    }
    RegCloseKey(key);
    return values;
}

std::wstring InstallPath() {
    const auto value = ReadValue(HKEY_LOCAL_MACHINE, L"Install path");
    return value && value->type == REG_SZ ? TextOf(*value) : std::wstring();
}

void WriteInstallPath(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(key, L"Install path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}
