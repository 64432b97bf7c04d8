#include "display/settings_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

struct FieldBytes {
    size_t start;
    size_t size;
};

FieldBytes FieldOf(const SaverSettings& settings, const SettingRow& row) {
    const auto* base = reinterpret_cast<const char*>(&settings);
    if (row.colour != nullptr) {
        return {static_cast<size_t>(reinterpret_cast<const char*>(&(settings.*row.colour)) - base),
                sizeof(uint32_t)};
    }
    if (row.number != nullptr) {
        return {static_cast<size_t>(reinterpret_cast<const char*>(&(settings.*row.number)) - base),
                sizeof(int32_t)};
    }
    return {static_cast<size_t>(reinterpret_cast<const char*>(settings.*row.text) - base),
            sizeof(settings.*row.text)};
}

// A field added to SaverSettings without a row would never be stored, read or defaulted.
TEST(SettingsTable, EveryFieldButTheInstallPathHasExactlyOneRow) {
    const SaverSettings settings{};
    std::vector<int> owners(sizeof(SaverSettings), 0);
    for (size_t i = 0; i < sizeof(settings.installPath); ++i)
        ++owners[i + offsetof(SaverSettings, installPath)];
    for (const SettingRow& row : SettingRows()) {
        SCOPED_TRACE(row.name);
        const int fieldsGiven =
            (row.colour != nullptr) + (row.number != nullptr) + (row.text != nullptr);
        EXPECT_EQ(fieldsGiven, 1);
        EXPECT_EQ(row.text != nullptr, IsTextKind(row.kind));
        const FieldBytes field = FieldOf(settings, row);
        for (size_t i = 0; i < field.size; ++i)
            ++owners[field.start + i];
    }
    for (size_t i = 0; i < owners.size(); ++i) {
        EXPECT_EQ(owners[i], 1) << "byte " << i << " of SaverSettings";
    }
}

TEST(SettingsTable, NamesAndSwitchesAreUniqueAndDefaultsLieInTheirRanges) {
    std::set<std::string> names;
    std::set<std::string> switches;
    for (const SettingRow& row : SettingRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(names.insert(row.name).second);
        EXPECT_NE(row.label, nullptr);
        EXPECT_NE(row.help, nullptr);
        EXPECT_FALSE(IsKeptRow(row) && row.switchName != nullptr) << "the saver's own place";
        if (row.switchName != nullptr) {
            EXPECT_TRUE(switches.insert(row.switchName).second);
            // A flag's --no- form must not be another row's switch.
            EXPECT_TRUE(switches.insert("no-" + std::string(row.switchName)).second);
        }
        const auto value = static_cast<int32_t>(row.defaultNumber);
        switch (row.kind) {
            case SettingKind::Choice: {
                int found = 0;
                for (const SettingChoice& choice : row.choices)
                    found += choice.value == value;
                EXPECT_EQ(found, 1) << "the default is one of the choices";
                break;
            }
            case SettingKind::Colour:
                EXPECT_LE(row.defaultNumber, 0xFFFFFFu);
                break;
            case SettingKind::Flag:
            case SettingKind::Number:
                EXPECT_GE(value, row.low);
                EXPECT_LE(value, row.high);
                break;
            case SettingKind::Text:
            case SettingKind::Path:
                EXPECT_LT(std::strlen(row.defaultText), static_cast<size_t>(kPathCapacity));
                // A text with a switch names what it takes; the saver's own file name has none.
                EXPECT_EQ(row.valueName != nullptr, row.switchName != nullptr);
                break;
        }
    }
}

// The registry store reads the numbers before the texts: the Windows saver's order.
TEST(SettingsTable, NumbersComeBeforeTexts) {
    bool textSeen = false;
    for (const SettingRow& row : SettingRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(textSeen && !IsTextKind(row.kind));
        textSeen = textSeen || IsTextKind(row.kind);
    }
}

// Another file or folder of games starts at its beginning: every kept row back to its default,
// and nothing the user chose touched.
TEST(SettingsTable, ResettingThePlaceTouchesOnlyTheKeptRows) {
    SaverSettings settings{};
    const WideChar chosen[] = {'x', 'y', 0};
    for (const SettingRow& row : SettingRows()) {
        if (IsTextKind(row.kind)) {
            CopyWideText(SettingText(settings, row), kPathCapacity, chosen);
        } else {
            SetSettingNumber(settings, row, row.defaultNumber + 3);
        }
    }
    ResetSaverPlace(settings);
    for (const SettingRow& row : SettingRows()) {
        SCOPED_TRACE(row.name);
        if (IsTextKind(row.kind)) {
            // The kept texts' default is empty.
            const WideChar first = SettingText(settings, row)[0];
            EXPECT_EQ(first, IsKeptRow(row) ? WideChar{0} : WideChar{'x'});
        } else {
            EXPECT_EQ(SettingNumber(settings, row),
                      IsKeptRow(row) ? row.defaultNumber : row.defaultNumber + 3);
        }
    }
}

}  // namespace
