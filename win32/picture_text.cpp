#include "win32/picture_text.h"

namespace {

UINT FormatFor(TextAlign align) {
    // No prefix: an "&" in a name, event or site is text, not a keyboard-shortcut mark.
    switch (align) {
        case TextAlign::Centre:
            return DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
        case TextAlign::Right:
            return DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
        case TextAlign::WrapTopLeft:
            break;
    }
    return DT_WORDBREAK;
}

}  // namespace

void DrawPictureText(HDC surface, InfoFonts* fonts, const PictureText& text) {
    const TextBand& band = text.band;
    RECT rect{band.left, band.top, band.right, band.bottom};
    if (text.align == TextAlign::WrapTopLeft) {
        // The set-up failure texts: the saver's own, drawn as they always were.
        DrawTextA(surface, text.bytes.chars(), text.bytes.length(), &rect, FormatFor(text.align));
        return;
    }
    DrawInfoText(surface, fonts, text.bytes.chars(), text.bytes.length(), rect,
                 FormatFor(text.align));
}

void DrawPictureTexts(HDC surface, InfoFonts* fonts, const std::vector<PictureText>& texts) {
    for (const PictureText& text : texts)
        DrawPictureText(surface, fonts, text);
}
