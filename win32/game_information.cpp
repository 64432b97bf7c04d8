#include "win32/game_information.h"

#include "display/board_layout.h"
#include "display/home_page.h"
#include "display/information_text.h"
#include "text/char_string.h"

namespace {

void DrawInBand(HDC surface, InfoFonts* fonts, const CharString& text, const TextBand& band) {
    RECT rect{band.left, band.top, band.right, band.bottom};
    // No prefix: an "&" in a name, event or site is text, not a keyboard-shortcut mark.
    DrawInfoText(surface, fonts, text.chars(), text.length(), rect,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void DrawGameInformation(HDC surface, const GameInfo& info, const BoardLayout& board,
                         InfoFonts* fonts) {
    constexpr InfoLine kLines[] = {InfoLine::BlackName, InfoLine::WhiteName, InfoLine::Date,
                                   InfoLine::Event, InfoLine::Site};
    for (InfoLine line : kLines) {
        DrawInBand(surface, fonts, InformationText(info, line), InformationBand(board, line));
    }
}

void DrawHomePageLine(HDC surface, int32_t fullScreen, const SaverSettings& settings, RECT area,
                      int32_t cellSize) {
    if (fullScreen != 1) return;
    HFONT font = CreateInfoFont(InfoFontHeight(cellSize));
    HGDIOBJ previous = SelectObject(surface, font);
    SetTextColor(surface, settings.fontColor);
    SetBkMode(surface, TRANSPARENT);
    SetTextAlign(surface, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const TextBand band = HomePageBand(area.left, area.top, area.right - area.left, cellSize);
    RECT rect{band.left, band.top, band.right, band.bottom};
    DrawTextA(surface, kHomePageAddress, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    SelectObject(surface, previous);
    DeleteObject(font);
}
