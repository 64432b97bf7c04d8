// The information lines around the full-screen board, drawn into an off-screen surface and
// compared pixel by pixel with the same texts drawn plainly.

#include "render/game_information.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/board_layout.h"
#include "saver_window_harness.h"

namespace {

constexpr int32_t kLeft = 100;
constexpr int32_t kTop = 200;

// A white surface with the information font and black, transparent text.
struct TextSurface {
    Surface surface{800, 900};
    HFONT font = CreateFontA(24, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, "Palatino Linotype");
    HGDIOBJ previousFont = SelectObject(surface.dc, font);

    TextSurface() {
        const RECT all{0, 0, surface.width, surface.height};
        FillRect(surface.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(surface.dc, RGB(0, 0, 0));
        SetBkMode(surface.dc, TRANSPARENT);
    }
    ~TextSurface() {
        SelectObject(surface.dc, previousFont);
        DeleteObject(font);
    }

    void Draw(const char* text, InfoLine line, UINT extraFlags) {
        const TextBand band = InformationBand(kLeft, kTop, line);
        RECT rect{band.left, band.top, band.right, band.bottom};
        DrawTextA(surface.dc, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | extraFlags);
    }

    std::vector<uint32_t> Pixels() const {
        GdiFlush();
        return {surface.pixels, surface.pixels + surface.width * surface.height};
    }
};

TEST(GameInformation, AmpersandsAreDrawnExactlyAsRead) {
    GameInfo info{};
    std::strcpy(info.white, "Smith & Sons");
    std::strcpy(info.black, "A&&B");
    std::strcpy(info.date, "1999.01.02");
    std::strcpy(info.event, "Rock & Roll Open");
    std::strcpy(info.site, "AT&T Hall");
    const struct {
        const char* text;
        InfoLine line;
    } lines[] = {{"A&&B", InfoLine::BlackName},
                 {"Smith & Sons", InfoLine::WhiteName},
                 {"DATE: 1999.01.02", InfoLine::Date},
                 {"EVENT: Rock & Roll Open", InfoLine::Event},
                 {"SITE: AT&T Hall", InfoLine::Site}};
    TextSurface plain;
    TextSurface marked;
    for (const auto& line : lines) {
        plain.Draw(line.text, line.line, DT_NOPREFIX);
        marked.Draw(line.text, line.line, 0);
    }
    ASSERT_NE(plain.Pixels(), marked.Pixels()) << "the texts must show whether '&' is a mark";

    TextSurface drawn;
    DrawGameInformation(drawn.surface.dc, info, kLeft, kTop);
    EXPECT_TRUE(drawn.Pixels() == plain.Pixels()) << "an '&' was not drawn as read";
}

}  // namespace
