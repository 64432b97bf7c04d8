#include "win32/game_information.h"

#include "display/board_layout.h"
#include "display/home_page.h"
#include "display/information_text.h"
#include "text/char_string.h"

namespace {

constexpr int32_t kInfoFontHeight = 24;
constexpr const char* kInfoFontFace = "Palatino Linotype";

void DrawInBand(HDC surface, const CharString& text, const TextBand& band) {
    RECT rect{band.left, band.top, band.right, band.bottom};
    // No prefix: an "&" in a name, event or site is text, not a keyboard-shortcut mark.
    DrawTextA(surface, text.chars(), text.length(), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void DrawGameInformation(HDC surface, const GameInfo& info, int32_t boardLeft, int32_t boardTop) {
    constexpr InfoLine kLines[] = {InfoLine::BlackName, InfoLine::WhiteName, InfoLine::Date,
                                   InfoLine::Event, InfoLine::Site};
    for (InfoLine line : kLines) {
        DrawInBand(surface, InformationText(info, line),
                   InformationBand(boardLeft, boardTop, line));
    }
}

void DrawHomePageLine(HDC surface, int32_t fullScreen, const SaverSettings& settings, RECT area) {
    if (fullScreen != 1) return;
    HFONT font = CreateFontA(kInfoFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kInfoFontFace);
    HGDIOBJ previous = SelectObject(surface, font);
    SetTextColor(surface, settings.fontColor);
    SetBkMode(surface, TRANSPARENT);
    SetTextAlign(surface, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const TextBand band = HomePageBand(area.right);
    RECT rect{band.left, band.top, band.right, band.bottom};
    DrawTextA(surface, kHomePageAddress, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    SelectObject(surface, previous);
    DeleteObject(font);
}
