#include "win32/game_information.h"

#include <cstring>

#include "display/board_layout.h"
#include "display/home_page.h"
#include "text/char_string.h"

namespace {

constexpr int32_t kInfoFontHeight = 24;
constexpr const char* kInfoFontFace = "Palatino Linotype";

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

void DrawInBand(HDC surface, const CharString& text, const TextBand& band) {
    RECT rect{band.left, band.top, band.right, band.bottom};
    // No prefix: an "&" in a name, event or site is text, not a keyboard-shortcut mark.
    DrawTextA(surface, text.chars(), text.length(), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

template <size_t N>
void DrawLabelled(HDC surface, const char* label, const char (&field)[N], const TextBand& band) {
    CharString line(label);
    line.append(FieldText(field));
    DrawInBand(surface, line, band);
}

}  // namespace

void DrawGameInformation(HDC surface, const GameInfo& info, int32_t boardLeft, int32_t boardTop) {
    DrawInBand(surface, FieldText(info.black),
               InformationBand(boardLeft, boardTop, InfoLine::BlackName));
    DrawInBand(surface, FieldText(info.white),
               InformationBand(boardLeft, boardTop, InfoLine::WhiteName));
    DrawLabelled(surface, "DATE: ", info.date,
                 InformationBand(boardLeft, boardTop, InfoLine::Date));
    DrawLabelled(surface, "EVENT: ", info.event,
                 InformationBand(boardLeft, boardTop, InfoLine::Event));
    DrawLabelled(surface, "SITE: ", info.site,
                 InformationBand(boardLeft, boardTop, InfoLine::Site));
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
