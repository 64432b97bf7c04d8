#include "x11/setting_switches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SaverSettings Defaults() {
    SaverSettings settings{};
    SetDefaultSettings(settings);
    return settings;
}

// One row's value, a number in decimal or a text, to compare rows of any kind.
std::string ValueOf(const SaverSettings& settings, const SettingRow& row) {
    if (!IsTextKind(row.kind)) return std::to_string(SettingNumber(settings, row));
    CharString text;
    text.assignWide(SettingText(settings, row));
    return text.chars();
}

struct SwitchUse {
    std::vector<std::string> words;
    std::string value;  // as ValueOf gives it
};

// Every use of the row's switch worth trying, with the value it must leave: both forms of a
// flag, every choice, a number's ends, a colour in both spellings, a text.
std::vector<SwitchUse> UsesOf(const SettingRow& row) {
    const std::string name = std::string("--") + row.switchName;
    switch (row.kind) {
        case SettingKind::Flag:
            return {{{name}, "1"}, {{"-no-" + std::string(row.switchName)}, "0"}};
        case SettingKind::Choice: {
            std::vector<SwitchUse> uses;
            for (const SettingChoice& choice : row.choices) {
                uses.push_back(
                    {{name, choice.word}, std::to_string(static_cast<uint32_t>(choice.value))});
            }
            return uses;
        }
        case SettingKind::Number:
            return {
                {{name, std::to_string(row.low)}, std::to_string(static_cast<uint32_t>(row.low))},
                {{name, std::to_string(row.high)},
                 std::to_string(static_cast<uint32_t>(row.high))}};
        case SettingKind::Colour:
            return {{{name, "#102030"}, std::to_string(0x302010)},
                    {{name, "0x0000ff"}, std::to_string(0xff)}};
        case SettingKind::Text:
        case SettingKind::Path:
            return {{{name, "/a b/c.d"}, "/a b/c.d"}};
    }
    return {};
}

// Each switch changes its own row to the value asked for, and no other row.
TEST(SettingSwitches, EverySwitchSetsItsRowAlone) {
    const SaverSettings defaults = Defaults();
    int switches = 0;
    for (const SettingRow& row : SettingRows()) {
        if (row.switchName == nullptr) continue;
        ++switches;
        for (const SwitchUse& use : UsesOf(row)) {
            SCOPED_TRACE(use.words[0] + (use.words.size() > 1 ? " " + use.words[1] : ""));
            std::vector<SettingOverride> overrides;
            std::string error;
            size_t at = 0;
            ASSERT_TRUE(ReadSettingSwitch(use.words, at, overrides, error));
            EXPECT_EQ(error, "");
            EXPECT_EQ(at, use.words.size() - 1) << "left on the last word read";
            SaverSettings settings = defaults;
            ApplySettingOverrides(settings, overrides);
            for (const SettingRow& other : SettingRows()) {
                EXPECT_EQ(ValueOf(settings, other),
                          &other == &row ? use.value : ValueOf(defaults, other))
                    << other.name;
            }
        }
    }
    EXPECT_GE(switches, 10);
}

TEST(SettingSwitches, BadValuesAreRefusedWithTheSwitchNamed) {
    const std::vector<std::vector<std::string>> cases = {
        {"--pause", "4"},
        {"--pause", "0"},
        {"--pause"},
        {"--background", "red"},
        {"--background", "0x1000000"},
        {"-foreground", "#12345"},
        {"--skin", ""},
        {"--pgn", std::string(kPathCapacity, 'p')},
    };
    for (const std::vector<std::string>& words : cases) {
        SCOPED_TRACE(words[0] + (words.size() > 1 ? " " + words[1] : ""));
        std::vector<SettingOverride> overrides;
        std::string error;
        size_t at = 0;
        EXPECT_TRUE(ReadSettingSwitch(words, at, overrides, error));
        EXPECT_NE(error.find(words[0]), std::string::npos) << error;
        EXPECT_TRUE(overrides.empty());
    }
}

TEST(SettingSwitches, OtherWordsAreNotTaken) {
    for (const char* word : {"--informal", "-no-pause", "-no-skin", "info", "--", "-", "--no-"}) {
        SCOPED_TRACE(word);
        std::vector<SettingOverride> overrides;
        std::string error;
        size_t at = 0;
        EXPECT_FALSE(ReadSettingSwitch({word, "1"}, at, overrides, error));
        EXPECT_EQ(at, 0u);
        EXPECT_EQ(error, "");
    }
}

}  // namespace
