// The registry store in the test run's Wine prefix. The key names are fixed, so every test starts
// and ends with the keys removed.

#include "win32/settings_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "display/settings_table.h"
#include "win32_test_support.h"

namespace {

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; *text != 0; ++text)
        out.push_back(static_cast<char>(*text));
    return out;
}

class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override { DeleteSettingsKeys(); }
    void TearDown() override { DeleteSettingsKeys(); }
};

HKEY CreateKey(HKEY root, REGSAM view = 0) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(root, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
}

void SetRaw(HKEY root, const wchar_t* name, DWORD type, const void* data, DWORD size,
            REGSAM view = 0) {
    HKEY key = CreateKey(root, view);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void SetText(HKEY root, const wchar_t* name, const std::wstring& text, REGSAM view = 0) {
    SetRaw(root, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2), view);
}

void SetNumber(const wchar_t* name, DWORD value) {
    SetRaw(HKEY_CURRENT_USER, name, REG_DWORD, &value, sizeof(value));
}

struct RawValue {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> bytes;
};

RawValue ReadRaw(const wchar_t* name) {
    RawValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return value;
    }
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.present = RegQueryValueExW(key, name, nullptr, &value.type, value.bytes.data(),
                                         &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return value;
}

DWORD CountValues() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return 0;
    }
    DWORD count = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return count;
}

SaverSettings Loaded() {
    SaverSettings settings;
    std::memset(&settings, 0x33, sizeof(settings));
    settings.installPath[0] = 0;
    LoadSettings(settings);
    return settings;
}

// Field by field; a text counts up to its terminator, whatever the buffer holds after it.
void ExpectSameSettings(const SaverSettings& a, const SaverSettings& b) {
    EXPECT_EQ(Narrow(a.installPath), Narrow(b.installPath));
    EXPECT_EQ(a.fontColor, b.fontColor);
    EXPECT_EQ(a.backgroundColor, b.backgroundColor);
    EXPECT_EQ(a.showInfo, b.showInfo);
    EXPECT_EQ(a.timeMode, b.timeMode);
    EXPECT_EQ(a.currentGameNumber, b.currentGameNumber);
    EXPECT_EQ(std::wstring(a.pgnPath), std::wstring(b.pgnPath));
    EXPECT_EQ(std::wstring(a.skinName), std::wstring(b.skinName));
    EXPECT_EQ(a.randomSkin, b.randomSkin);
    EXPECT_EQ(a.showLastMove, b.showLastMove);
    EXPECT_EQ(a.fitBoard, b.fitBoard);
    EXPECT_EQ(a.animateMoves, b.animateMoves);
}

// A record whose every field differs from its default, with texts up to the longest kept.
SaverSettings UnusualSettings() {
    SaverSettings settings;
    std::memset(&settings, 0, sizeof(settings));
    CopyWideText(settings.installPath, L"C:\\Saver");
    settings.fontColor = 0x00123456;
    settings.backgroundColor = 0x00fedcba;
    settings.showInfo = 0;
    settings.timeMode = -1;
    settings.currentGameNumber = 123456789;
    CopyWideText(settings.pgnPath, std::wstring(259, L'p').c_str());
    CopyWideText(settings.skinName, L"Gr\u00fcn Marble.bmp");
    settings.randomSkin = 0;
    settings.showLastMove = 7;
    settings.fitBoard = 3;
    settings.animateMoves = -2;
    settings.monitors = 2;
    settings.drift = 1;
    settings.gameOrder = 1;
    settings.minimumRating = 2700;
    settings.decisiveOnly = 1;
    CopyWideText(settings.player, L"\u0418\u0432\u0430\u043d");
    CopyWideText(settings.currentFile, L"b.pgn");
    settings.shuffleSeed = -5;
    settings.shufflePosition = 9;
    return settings;
}

TEST_F(SettingsStore, StoreThenLoadGivesTheRecordBackByteForByte) {
    SetText(HKEY_LOCAL_MACHINE, L"Install path", L"C:\\Saver\\");
    const SaverSettings stored = UnusualSettings();
    StoreSettings(stored);
    ExpectSameSettings(Loaded(), stored);
    EXPECT_EQ(CountValues(), SettingRows().size());
}

// Each row of the settings table, whatever its kind, goes to its own value and comes back.
TEST_F(SettingsStore, EveryRowOfTheTableIsStoredWithItsTypeAndReadBack) {
    SetText(HKEY_LOCAL_MACHINE, L"Install path", L"C:\\Saver");
    SaverSettings stored = UnusualSettings();
    DWORD number = 0x80000001u;
    int index = 0;
    for (const SettingRow& row : SettingRows()) {
        if (IsTextKind(row.kind)) {
            const std::wstring text = L"C:\\t\u00e9xt " + std::to_wstring(index++);
            CopyWideText(SettingText(stored, row), kPathCapacity, text.c_str());
        } else {
            SetSettingNumber(stored, row, number);
            number += 0x01010101u;
        }
    }
    StoreSettings(stored);
    const SaverSettings loaded = Loaded();
    for (const SettingRow& row : SettingRows()) {
        SCOPED_TRACE(row.name);
        const std::wstring name(row.name, row.name + std::strlen(row.name));
        const RawValue value = ReadRaw(name.c_str());
        ASSERT_TRUE(value.present);
        if (IsTextKind(row.kind)) {
            const std::wstring text = SettingText(stored, row);
            EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
            EXPECT_EQ(value.bytes.size(), (text.size() + 1) * 2);
            EXPECT_EQ(std::wstring(SettingText(loaded, row)), text);
        } else {
            EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
            ASSERT_EQ(value.bytes.size(), 4u);
            DWORD raw = 0;
            std::memcpy(&raw, value.bytes.data(), 4);
            EXPECT_EQ(raw, SettingNumber(stored, row));
            EXPECT_EQ(SettingNumber(loaded, row), SettingNumber(stored, row));
        }
    }
    EXPECT_EQ(CountValues(), SettingRows().size());
}

TEST_F(SettingsStore, StoredValuesHaveTheirTypesAndExactSizes) {
    const SaverSettings stored = UnusualSettings();
    StoreSettings(stored);
    const struct {
        const wchar_t* name;
        DWORD number;
    } numbers[] = {{L"Color of font", 0x00123456},
                   {L"Color of background", 0x00fedcba},
                   {L"Show info", 0},
                   {L"Time mode", 0xffffffff},
                   {L"Current game number", 123456789},
                   {L"Show last move", 7},
                   {L"Random skin", 0},
                   {L"Fit board", 3},
                   {L"Animate moves", 0xfffffffe}};
    for (const auto& n : numbers) {
        SCOPED_TRACE(Narrow(n.name));
        const RawValue value = ReadRaw(n.name);
        ASSERT_TRUE(value.present);
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
        ASSERT_EQ(value.bytes.size(), 4u);
        DWORD number = 0;
        std::memcpy(&number, value.bytes.data(), 4);
        EXPECT_EQ(number, n.number);
    }
    const RawValue skin = ReadRaw(L"Name of skin");
    EXPECT_EQ(skin.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(skin.bytes.size(), (std::wstring(L"Gr\u00fcn Marble.bmp").size() + 1) * 2);
    const RawValue pgn = ReadRaw(L"Path to PGN file");
    EXPECT_EQ(pgn.bytes.size(), 260u * 2) << "259 characters and the terminator, nothing more";
}

TEST_F(SettingsStore, MissingUserKeyGivesTheDefaults) {
    SetText(HKEY_LOCAL_MACHINE, L"Install path", L"D:\\Games\\Saver\\");
    const SaverSettings settings = Loaded();
    EXPECT_EQ(Narrow(settings.installPath), "D:\\Games\\Saver");
    SaverSettings expected;
    std::memcpy(&expected, &settings, sizeof(expected));
    SetDefaultSettings(expected);
    ExpectSameSettings(settings, expected);
    EXPECT_EQ(Narrow(settings.pgnPath), "D:\\Games\\Saver\\varnoth.pgn");
    EXPECT_EQ(Narrow(settings.skinName), "Quorvane.bmp");
    EXPECT_EQ(settings.fontColor, 0xc8c8c8u);
}

TEST_F(SettingsStore, WrongTypedValuesAreIgnoredWhileTheOthersLoad) {
    SetText(HKEY_CURRENT_USER, L"Time mode", L"2");
    SetNumber(L"Name of skin", 5);
    const DWORD binary = 0x00ff00ff;
    SetRaw(HKEY_CURRENT_USER, L"Color of font", REG_BINARY, &binary, 4);
    SetRaw(HKEY_CURRENT_USER, L"Show info", REG_DWORD, &binary, 2);  // a DWORD of two bytes
    SetNumber(L"Color of background", 0x0000ff00);
    SetNumber(L"Current game number", 42);
    SetText(HKEY_CURRENT_USER, L"Fit board", L"1");
    SetNumber(L"Animate moves", 1);
    SetText(HKEY_CURRENT_USER, L"Path to PGN file", L"E:\\games.pgn");
    const SaverSettings settings = Loaded();
    EXPECT_EQ(settings.timeMode, 1);
    EXPECT_EQ(Narrow(settings.skinName), "Quorvane.bmp");
    EXPECT_EQ(settings.fontColor, 0xc8c8c8u);
    EXPECT_EQ(settings.showInfo, 1);
    EXPECT_EQ(settings.backgroundColor, 0x0000ff00u);
    EXPECT_EQ(settings.currentGameNumber, 42);
    EXPECT_EQ(settings.fitBoard, 0) << "a text value keeps the classic board";
    EXPECT_EQ(settings.animateMoves, 1);
    EXPECT_EQ(Narrow(settings.pgnPath), "E:\\games.pgn");
}

TEST_F(SettingsStore, OverlongTextsKeepTheirDefaults) {
    SetText(HKEY_CURRENT_USER, L"Name of skin", std::wstring(260, L's'));
    SetText(HKEY_CURRENT_USER, L"Path to PGN file", std::wstring(300, L'p'));
    // 260 characters stored without a terminator fill the 520-byte buffer exactly.
    const std::wstring exact(260, L'x');
    SetRaw(HKEY_CURRENT_USER, L"Name of skin", REG_SZ, exact.c_str(), 520);
    const SaverSettings settings = Loaded();
    EXPECT_EQ(Narrow(settings.skinName), "Quorvane.bmp");
    EXPECT_EQ(WideLength(settings.pgnPath, kPathCapacity), 12);  // "\varnoth.pgn"
}

TEST_F(SettingsStore, LongestTextIsTaken) {
    SetText(HKEY_CURRENT_USER, L"Name of skin", std::wstring(259, L's'));
    EXPECT_EQ(Narrow(Loaded().skinName), std::string(259, 's'));
}

struct InstallPathCase {
    const char* name;
    std::wstring stored;
    bool read;
    std::string expected;
};

TEST_F(SettingsStore, InstallPathLosesOneTrailingBackslash) {
    const InstallPathCase cases[] = {
        {"trailing backslash", L"D:\\Games\\Saver\\", true, "D:\\Games\\Saver"},
        {"two trailing backslashes", L"D:\\Games\\Saver\\\\", true, "D:\\Games\\Saver\\"},
        {"none", L"C:\\Quorvane", true, "C:\\Quorvane"},
        {"empty", L"", true, ""},
        {"259 characters", std::wstring(259, L'i'), true, std::string(259, 'i')},
        {"260 characters", std::wstring(260, L'i'), false, "untouched"}};
    for (const InstallPathCase& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteSettingsKeys();
        SetText(HKEY_LOCAL_MACHINE, L"Install path", c.stored);
        WideChar destination[kPathCapacity];
        CopyWideText(destination, L"untouched");
        EXPECT_EQ(ReadInstallPath(destination), c.read);
        EXPECT_EQ(Narrow(destination), c.expected);
    }
}

TEST_F(SettingsStore, EmptyInstallPathGivesABackslashBeforeTheGameFile) {
    SetText(HKEY_LOCAL_MACHINE, L"Install path", L"");
    EXPECT_EQ(Narrow(Loaded().pgnPath), "\\varnoth.pgn");
}

TEST_F(SettingsStore, MissingOrMistypedInstallPathFailsAndLeavesTheDestination) {
    WideChar destination[kPathCapacity];
    CopyWideText(destination, L"before");
    EXPECT_FALSE(ReadInstallPath(destination));
    const wchar_t expandable[] = L"C:\\Saver";
    SetRaw(HKEY_LOCAL_MACHINE, L"Install path", REG_EXPAND_SZ, expandable, sizeof(expandable));
    EXPECT_FALSE(ReadInstallPath(destination));
    EXPECT_EQ(Narrow(destination), "before");
}

TEST_F(SettingsStore, InstallPathWrittenByA32BitInstallerIsFound) {
    SetText(HKEY_LOCAL_MACHINE, L"Install path", L"C:\\Program Files (x86)\\Quorvane\\",
            KEY_WOW64_32KEY);
    WideChar destination[kPathCapacity] = {0};
    EXPECT_TRUE(ReadInstallPath(destination));
    EXPECT_EQ(Narrow(destination), "C:\\Program Files (x86)\\Quorvane");
}

TEST_F(SettingsStore, TheSaversPlaceIsStoredAlone) {
    SaverSettings settings = UnusualSettings();
    settings.currentGameNumber = 17;
    settings.shufflePosition = 5;
    StoreSaverPlace(settings);
    size_t kept = 0;
    for (const SettingRow& row : SettingRows())
        kept += IsKeptRow(row) ? 1 : 0;
    EXPECT_EQ(CountValues(), kept);
    const SaverSettings loaded = Loaded();
    EXPECT_EQ(loaded.currentGameNumber, 17);
    EXPECT_EQ(loaded.shufflePosition, 5);
    EXPECT_NE(loaded.fontColor, settings.fontColor) << "a setting of the user's was stored";
}

TEST_F(SettingsStore, StoringOverwritesEarlierValues) {
    StoreSettings(UnusualSettings());
    SaverSettings defaults = UnusualSettings();
    SetDefaultSettings(defaults);
    StoreSettings(defaults);
    SetText(HKEY_LOCAL_MACHINE, L"Install path", L"C:\\Saver");
    ExpectSameSettings(Loaded(), defaults);
}

}  // namespace
