// The information lines around the full-screen board, compared pixel by pixel with the same texts
// drawn plainly into an off-screen surface.

#include "win32/picture_text.h"

#include <gtest/gtest.h>

#include <vector>

#include "display/board_layout.h"
#include "saver_window_harness.h"

namespace {

// The five lines, each drawn into its band in the information font with the given extra flags.
std::vector<uint32_t> DrawnPixels(const char* const (&lines)[5], UINT extraFlags, bool bySaver) {
    Surface surface(800, 900);
    HFONT font = CreateFontA(24, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, "Palatino Linotype");
    HGDIOBJ previous = SelectObject(surface.dc, font);
    SetTextColor(surface.dc, RGB(255, 255, 255));  // on the surface's black
    SetBkMode(surface.dc, TRANSPARENT);
    for (int32_t i = 0; i < 5; ++i) {
        const TextBand band = InformationBand(BoardLayout{100, 200, 64}, static_cast<InfoLine>(i));
        RECT rect{band.left, band.top, band.right, band.bottom};
        if (bySaver) {
            // Height 0: the font the surface has selected, as the reference draws with.
            TextFonts fonts{};
            DrawPictureText(surface.dc, fonts,
                            BandText(CharString(lines[i]), band, TextAlign::Centre, 0));
        } else {
            DrawTextA(surface.dc, lines[i], -1, &rect,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | extraFlags);
        }
    }
    GdiFlush();
    std::vector<uint32_t> pixels(surface.pixels, surface.pixels + 800 * 900);
    DeleteObject(SelectObject(surface.dc, previous));
    return pixels;
}

TEST(GameInformation, AmpersandsAreDrawnExactlyAsRead) {
    const char* const lines[5] = {"A&&B", "Smith & Sons", "DATE: ", "EVENT: Rock & Roll Open",
                                  "SITE: AT&T Hall"};
    const std::vector<uint32_t> plain = DrawnPixels(lines, DT_NOPREFIX, false);
    ASSERT_TRUE(plain != DrawnPixels(lines, 0, false)) << "these texts must show a shortcut mark";
    EXPECT_TRUE(DrawnPixels(lines, 0, true) == plain) << "an '&' was not drawn as read";
}

}  // namespace
