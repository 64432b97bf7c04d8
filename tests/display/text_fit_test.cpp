// Lines that fit: shortened with an ellipsis at word or character boundaries, placed in the room
// beside their band, measured by a fake font of ten pixels a character.

#include "display/text_fit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int32_t TenPerCharacter(void*, const std::string& utf8) {
    int32_t characters = 0;
    for (const char ch : utf8)
        characters += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
    return 10 * characters;
}

int32_t measured = 0;

int32_t CountingTenPerCharacter(void* context, const std::string& utf8) {
    ++measured;
    return TenPerCharacter(context, utf8);
}

const TextMeasure kFont{nullptr, TenPerCharacter};

TEST(TextFit, LinesAreShortenedAtWordsOrCharacters) {
    const std::string ellipsis = kEllipsis;
    const struct {
        const char* name;
        std::string text;
        int32_t width;
        std::string expected;
    } cases[] = {
        {"fits", "Carlsen", 70, "Carlsen"},
        {"after the last whole word", "World Chess Championship", 150, "World Chess" + ellipsis},
        {"a word too short to keep: between characters", "Ab Cdefghijklmnop", 100,
         "Ab Cdefgh" + ellipsis},
        {"Cyrillic, never inside a character", "Иванов Иван", 60, "Ивано" + ellipsis},
        {"only the ellipsis fits", "Carlsen", 10, ellipsis},
        {"not even the ellipsis", "Carlsen", 9, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string fitted = FitTextToWidth(c.text, c.width, kFont);
        EXPECT_EQ(fitted, c.expected);
        EXPECT_LE(TenPerCharacter(nullptr, fitted), c.width);
    }
}

TEST(TextFit, ALongLineCostsAFewMeasures) {
    const std::string line(1 << 20, 'x');
    measured = 0;
    const std::string fitted =
        FitTextToWidth(line, 500, TextMeasure{nullptr, CountingTenPerCharacter});
    EXPECT_EQ(fitted, std::string(49, 'x') + kEllipsis);
    EXPECT_LE(measured, 25);
}

TEST(TextFit, AWideLineTakesTheRoomBesideItsBand) {
    const TextBand band{300, 10, 500, 30};  // centred on 400
    const TextBand room{0, 0, 1000, 768};
    const struct {
        const char* name;
        TextBand band;
        int32_t width;
        TextBand expected;
    } cases[] = {
        {"fits its band", band, 150, band},
        {"widened on both sides", band, 400, {200, 10, 600, 30}},
        {"against the room's left edge", {0, 10, 200, 30}, 400, {0, 10, 400, 30}},
        {"wider than the room", band, 1200, {0, 10, 1000, 30}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TextBand placed = PlaceLine(c.band, room, c.width);
        EXPECT_EQ(placed.left, c.expected.left);
        EXPECT_EQ(placed.right, c.expected.right);
        EXPECT_EQ(placed.top, c.expected.top);
        EXPECT_EQ(placed.bottom, c.expected.bottom);
    }
}

}  // namespace
