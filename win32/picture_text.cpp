#include "win32/picture_text.h"

#include <string>

#include "display/text_fit.h"

namespace {

UINT FormatFor(TextAlign align) {
    // No prefix: an "&" in a name, event or site is text, not a keyboard-shortcut mark.
    switch (align) {
        case TextAlign::Centre:
            return DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
        case TextAlign::Right:
            return DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
        case TextAlign::Left:
            return DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
        case TextAlign::WrapTopLeft:
            break;
    }
    return DT_WORDBREAK;
}

// The fonts of a height; null when every slot is taken by another height.
HeightFonts* FontsFor(TextFonts& fonts, int32_t height) {
    for (int32_t i = 0; i < fonts.count; ++i) {
        if (fonts.byHeight[i].height == height) return &fonts.byHeight[i];
    }
    if (fonts.count == kMaxMonitors) return nullptr;
    HeightFonts& made = fonts.byHeight[fonts.count++];
    made = HeightFonts{height, CreateInfoFont(height), InfoFonts{}};
    made.wide.height = height;
    return &made;
}

struct MeasureContext {
    HDC surface;
    InfoFonts* fonts;
};

int32_t MeasureText(void* context, const std::string& bytes) {
    const auto& on = *static_cast<MeasureContext*>(context);
    return InfoTextWidth(on.surface, on.fonts, bytes.data(), static_cast<int32_t>(bytes.size()));
}

// A line that does not fit its band takes the room beside it, and beyond that an ellipsis.
void DrawFittedLine(HDC surface, InfoFonts* fonts, const PictureText& text, UINT format) {
    const std::string line(text.bytes.chars(), static_cast<size_t>(text.bytes.length()));
    MeasureContext on{surface, fonts};
    const int32_t width = MeasureText(&on, line);
    TextBand band = text.band;
    std::string fitted = line;
    if (width > band.right - band.left) {
        const TextBand& room = text.align == TextAlign::Centre ? text.room : text.band;
        fitted = FitTextToWidth(line, room.right - room.left, TextMeasure{&on, MeasureText});
        if (text.align == TextAlign::Centre) band = PlaceLine(band, room, MeasureText(&on, fitted));
    }
    const RECT rect{band.left, band.top, band.right, band.bottom};
    DrawInfoText(surface, fonts, fitted.data(), static_cast<int32_t>(fitted.size()), rect, format);
}

}  // namespace

void ReleaseTextFonts(TextFonts& fonts) {
    for (int32_t i = 0; i < fonts.count; ++i) {
        DeleteObject(fonts.byHeight[i].font);
        ReleaseInfoFonts(fonts.byHeight[i].wide);
    }
    fonts.count = 0;
}

void DrawPictureText(HDC surface, TextFonts& fonts, const PictureText& text) {
    const TextBand& band = text.band;
    RECT rect{band.left, band.top, band.right, band.bottom};
    // Height 0: the surface's own font, as a preview has it.
    HeightFonts* chosen = text.fontHeight > 0 ? FontsFor(fonts, text.fontHeight) : nullptr;
    HGDIOBJ previous = chosen != nullptr ? SelectObject(surface, chosen->font) : nullptr;
    if (text.align == TextAlign::WrapTopLeft) {
        // The set-up failure texts: the saver's own, drawn as they always were.
        DrawTextA(surface, text.bytes.chars(), text.bytes.length(), &rect, FormatFor(text.align));
    } else {
        InfoFonts* wide = chosen != nullptr && fonts.wideText ? &chosen->wide : nullptr;
        DrawFittedLine(surface, wide, text, FormatFor(text.align));
    }
    if (chosen != nullptr) SelectObject(surface, previous);
}

void DrawPictureTexts(HDC surface, TextFonts& fonts, const std::vector<PictureText>& texts) {
    for (const PictureText& text : texts)
        DrawPictureText(surface, fonts, text);
}
