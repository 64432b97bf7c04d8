#include "display/settings_text.h"

#include <gtest/gtest.h>

#include <string>

#include "display/settings_table.h"

#include "tests/display/wide_literal.h"

namespace {

// The file as a run that ends on game number writes it.
CharString WithGameNumber(const CharString& text, int32_t number) {
    SaverSettings settings{};
    SetDefaultSettings(settings);
    settings.currentGameNumber = number;
    return WithKeptSettings(text, settings);
}

SaverSettings Defaults() {
    SaverSettings settings{};
    SetDefaultSettings(settings);
    return settings;
}

SaverSettings Read(const std::string& text) {
    SaverSettings settings = Defaults();
    ApplySettingsText(settings, CharString(text.c_str()));
    return settings;
}

std::string Merged(const std::string& text, int32_t number) {
    const CharString merged = WithGameNumber(CharString(text.c_str()), number);
    return std::string(merged.chars(), static_cast<size_t>(merged.length()));
}

TEST(SettingsText, ReadsEveryValueByTheRegistrysNames) {
    const SaverSettings s = Read(
        "Path to PGN file=/home/ann/games/élan.pgn\n"
        "Name of skin=Walnut.bmp\n"
        "Random skin=0\n"
        "Time mode=2\n"
        "Show info=0\n"
        "Show last move=0\n"
        "Color of background=0x00102030\n"
        "Color of font=255\n"
        "Current game number=41\n"
        "Fit board=1\n"
        "Animate moves=1\n");
    EXPECT_EQ(Narrow(s.pgnPath), "/home/ann/games/élan.pgn");  // bytes kept one per character
    EXPECT_EQ(Narrow(s.skinName), "Walnut.bmp");
    EXPECT_EQ(s.randomSkin, 0);
    EXPECT_EQ(s.timeMode, 2);
    EXPECT_EQ(s.showInfo, 0);
    EXPECT_EQ(s.showLastMove, 0);
    EXPECT_EQ(s.backgroundColor, 0x102030u);
    EXPECT_EQ(s.fontColor, 255u);
    EXPECT_EQ(s.currentGameNumber, 41);
    EXPECT_EQ(s.fitBoard, 1);
    EXPECT_EQ(s.animateMoves, 1);
}

TEST(SettingsText, SpacingCaseCommentsAndRepeatsAreForgiven) {
    const SaverSettings s = Read(
        "# a comment: Time mode=0\n"
        "; another=1\n"
        "\n"
        "   time MODE   =  0  \r\n"
        "Show info = 0\n"
        "no equals sign here\n"
        "Unknown name=5\n"
        "Show info=1\n");
    EXPECT_EQ(s.timeMode, 0);
    EXPECT_EQ(s.showInfo, 1);  // the last line of a name wins
    EXPECT_EQ(s.randomSkin, 1);
}

TEST(SettingsText, BadValuesLeaveTheDefaults) {
    const std::string tooLong(kPathCapacity, 'x');
    const SaverSettings s = Read(
        "Time mode=fast\n"
        "Show info=\n"
        "Show last move=1.5\n"
        "Color of font=0x1FFFFFFFF\n"
        "Color of background=-\n"
        "Current game number=12abc\n"
        "Random skin=0x\n"
        "Name of skin=" +
        tooLong + "\n");
    const SaverSettings d = Defaults();
    EXPECT_EQ(s.timeMode, d.timeMode);
    EXPECT_EQ(s.showInfo, d.showInfo);
    EXPECT_EQ(s.showLastMove, d.showLastMove);
    EXPECT_EQ(s.fontColor, d.fontColor);
    EXPECT_EQ(s.backgroundColor, d.backgroundColor);
    EXPECT_EQ(s.currentGameNumber, d.currentGameNumber);
    EXPECT_EQ(s.randomSkin, d.randomSkin);
    EXPECT_EQ(Narrow(s.skinName), Narrow(d.skinName));
}

TEST(SettingsText, AnEmptyPathIsTakenAsTheRegistryTakesAnEmptyText) {
    const SaverSettings s =
        Read("Path to PGN file=\nName of skin=" + std::string(kPathCapacity - 1, 'y') + "\n");
    EXPECT_EQ(Narrow(s.pgnPath), "");
    EXPECT_EQ(Narrow(s.skinName), std::string(kPathCapacity - 1, 'y'));
}

struct NumberCase {
    const char* text;
    bool accepted;
    uint32_t value;
};

TEST(SettingsText, NumbersAreWhole32BitValues) {
    const NumberCase cases[] = {
        {"0", true, 0},
        {" 17 ", true, 17},
        {"+5", true, 5},
        {"-1", true, 0xFFFFFFFFu},
        {"-2147483648", true, 0x80000000u},
        {"-2147483649", false, 0},
        {"4294967295", true, 0xFFFFFFFFu},
        {"4294967296", false, 0},
        {"99999999999999999999999", false, 0},
        {"0xc8C8c8", true, 0xc8c8c8u},
        {"0XFF", true, 255},
        {"-0x10", false, 0},
        {"0x", false, 0},
        {"", false, 0},
        {"1 2", false, 0},
        {"007", true, 7},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.text);
        uint32_t number = 12345;
        EXPECT_EQ(ParseSettingNumber(CharString(c.text), number), c.accepted);
        EXPECT_EQ(number, c.accepted ? c.value : 12345u);
    }
}

struct MergeCase {
    const char* name;
    std::string before;
    int32_t number;
    std::string after;
};

TEST(SettingsText, TheGameNumberIsWrittenBackKeepingEveryOtherByte) {
    const MergeCase cases[] = {
        {"empty file", "", 7, "Current game number=7\n"},
        {"added after a last line without newline", "# mine\nTime mode=0", 3,
         "# mine\nTime mode=0\nCurrent game number=3\n"},
        {"replaced in place, spacing and CRLF kept", "a=1\r\n current GAME number = 12 \r\n# c\n",
         0, "a=1\r\n current GAME number = 0 \r\n# c\n"},
        {"every line of the name", "Current game number=1\nCurrent game number=2\n", 9,
         "Current game number=9\nCurrent game number=9\n"},
        {"a comment is no setting", "#Current game number=1\n", 2,
         "#Current game number=1\nCurrent game number=2\n"},
        {"negative and empty values", "Current game number=\n", -2147483647 - 1,
         "Current game number=-2147483648\n"},
    };
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Merged(c.before, c.number), c.after);
    }
}

TEST(SettingsText, AnAddedGameNumberEndsAsTheFilesLinesEnd) {
    const MergeCase cases[] = {
        {"CR alone", "Time mode=2\rShow info=0", 5,
         "Time mode=2\rShow info=0\rCurrent game number=5\r"},
        {"CR LF", "Time mode=2\r\n", 5, "Time mode=2\r\nCurrent game number=5\r\n"},
        {"replaced in a CR file", "Current game number=1\rTime mode=2\r", 8,
         "Current game number=8\rTime mode=2\r"},
        {"one line without an end", "Time mode=2", 5, "Time mode=2\nCurrent game number=5\n"},
    };
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Merged(c.before, c.number), c.after);
    }
}

TEST(SettingsText, AColourMayBeWrittenAsXWritesIt) {
    const SaverSettings s =
        Read("Color of font=#102030\nColor of background= #0000ff \nShow info=#000000\n");
    EXPECT_EQ(s.fontColor, 0x302010u) << "red first in #RRGGBB, last in 0x00BBGGRR";
    EXPECT_EQ(s.backgroundColor, 0xff0000u);
    EXPECT_EQ(s.showInfo, 1) << "only colours take the # form";
    uint32_t colour = 7;
    for (const char* refused : {"#12345", "#1234567", "#12345g", "102030", "#"}) {
        SCOPED_TRACE(refused);
        EXPECT_FALSE(ParseHashColour(CharString(refused), colour));
    }
    EXPECT_EQ(colour, 7u);
}

// Every row written out reads back to the same value: what --print-settings prints can be copied
// into the settings file as it is.
TEST(SettingsText, EverySettingWrittenOutReadsBack) {
    SaverSettings written = Defaults();
    uint32_t number = 0x80000001u;
    int32_t index = 0;
    for (const SettingRow& row : SettingRows()) {
        if (IsTextKind(row.kind)) {
            const WideText text = Wide("/t\xe9xt " + std::to_string(index++));
            CopyWideText(SettingText(written, row), kPathCapacity, text.c_str());
        } else {
            SetSettingNumber(written, row, number);
            number += 0x01010101u;
        }
    }
    const CharString text = SettingsFileText(written);
    const SaverSettings read = Read(std::string(text.chars(), static_cast<size_t>(text.length())));
    for (const SettingRow& row : SettingRows()) {
        SCOPED_TRACE(row.name);
        if (IsTextKind(row.kind)) {
            EXPECT_EQ(Narrow(SettingText(read, row)), Narrow(SettingText(written, row)));
        } else {
            EXPECT_EQ(SettingNumber(read, row), SettingNumber(written, row));
        }
    }
}

TEST(SettingsText, AWrittenBackNumberReadsBack) {
    const std::string merged = Merged("Time mode=2\n", 123);
    const SaverSettings s = Read(merged);
    EXPECT_EQ(s.currentGameNumber, 123);
    EXPECT_EQ(s.timeMode, 2);
}

}  // namespace
