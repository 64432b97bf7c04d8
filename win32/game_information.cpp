#include "win32/game_information.h"

#include <cstring>

#include "display/board_layout.h"
#include "display/home_page.h"
#include "text/char_string.h"

namespace {

// A fixed field's text, never read past the field even when its terminator is missing.
template <size_t N>
CharString FieldText(const char (&field)[N]) {
    const void* end = std::memchr(field, 0, N);
    const size_t count =
        end == nullptr
            ? N
            : static_cast<size_t>(static_cast<const char*>(end) - static_cast<const char*>(field));
    return CharString(field, static_cast<int32_t>(count));
}

void DrawInBand(HDC surface, InfoFonts* fonts, const CharString& text, const TextBand& band) {
    RECT rect{band.left, band.top, band.right, band.bottom};
    // No prefix: an "&" in a name, event or site is text, not a keyboard-shortcut mark.
    DrawInfoText(surface, fonts, text.chars(), text.length(), rect,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

template <size_t N>
void DrawLabelled(HDC surface, InfoFonts* fonts, const char* label, const char (&field)[N],
                  const TextBand& band) {
    CharString line(label);
    line.append(FieldText(field));
    DrawInBand(surface, fonts, line, band);
}

}  // namespace

void DrawGameInformation(HDC surface, const GameInfo& info, const BoardLayout& board,
                         InfoFonts* fonts) {
    DrawInBand(surface, fonts, FieldText(info.black), InformationBand(board, InfoLine::BlackName));
    DrawInBand(surface, fonts, FieldText(info.white), InformationBand(board, InfoLine::WhiteName));
    DrawLabelled(surface, fonts, "DATE: ", info.date, InformationBand(board, InfoLine::Date));
    DrawLabelled(surface, fonts, "EVENT: ", info.event, InformationBand(board, InfoLine::Event));
    DrawLabelled(surface, fonts, "SITE: ", info.site, InformationBand(board, InfoLine::Site));
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
