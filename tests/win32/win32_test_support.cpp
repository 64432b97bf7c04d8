#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "win32/settings_store.h"

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = folder + L"\\" + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(full);
            } else {
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

void PutLittleEndian(std::string& out, uint32_t value, int32_t bytes) {
    for (int32_t i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

}  // namespace

TemporaryFolder::TemporaryFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int32_t serial = 0;
    path_ = std::wstring(base) + L"qv-win32-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++serial);
    CreateDirectoryW(path_.c_str(), nullptr);
}

TemporaryFolder::~TemporaryFolder() {
    RemoveTree(path_);
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

COLORREF CellColour(int32_t column, int32_t row) {
    return RGB(20 + 20 * column, 20 + 30 * row, 99);
}

void WriteCellSkin(const std::wstring& path, int32_t width, int32_t height) {
    const int32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const uint32_t pixelBytes = static_cast<uint32_t>(rowBytes * height);
    std::string file = "BM";
    PutLittleEndian(file, 54 + pixelBytes, 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, 54, 4);
    PutLittleEndian(file, 40, 4);
    PutLittleEndian(file, static_cast<uint32_t>(width), 4);
    PutLittleEndian(file, static_cast<uint32_t>(height), 4);
    PutLittleEndian(file, 1, 2);
    PutLittleEndian(file, 24, 2);
    for (int32_t i = 0; i < 6; ++i)
        PutLittleEndian(file, 0, 4);
    for (int32_t y = height - 1; y >= 0; --y) {  // bottom-up
        std::string row;
        for (int32_t x = 0; x < width; ++x) {
            const COLORREF colour = CellColour(x / 64, y / 64);
            row.push_back(static_cast<char>(GetBValue(colour)));
            row.push_back(static_cast<char>(GetGValue(colour)));
            row.push_back(static_cast<char>(GetRValue(colour)));
        }
        row.resize(static_cast<size_t>(rowBytes), 0);
        file += row;
    }
    WriteFileBytes(path, file);
}

void DeleteSettingsKeys() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyPath);
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY software = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | view, &software) ==
            ERROR_SUCCESS) {
            RegDeleteTreeW(software, L"Brenholt\\Quorvane");
            RegCloseKey(software);
        }
    }
}

SaverSettings SettingsFor(const std::wstring& installFolder, const std::wstring& pgnPath,
                          const std::wstring& skinName) {
    SaverSettings settings{};
    EXPECT_TRUE(CopyWideText(settings.installPath, installFolder.c_str()));
    SetDefaultSettings(settings);
    EXPECT_TRUE(CopyWideText(settings.pgnPath, pgnPath.c_str()));
    EXPECT_TRUE(CopyWideText(settings.skinName, skinName.c_str()));
    settings.randomSkin = 0;
    settings.timeMode = 0;
    settings.fontColor = RGB(250, 250, 250);
    settings.backgroundColor = RGB(0, 0, 40);
    return settings;
}

bool HaveDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && display[0] != 0;
}
