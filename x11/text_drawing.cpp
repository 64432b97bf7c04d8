#include "x11/text_drawing.h"

#include <fontconfig/fontconfig.h>

namespace {

constexpr const char* kFontName = "Palatino Linotype,P052,Palatino,DejaVu Serif,serif";

struct TextRun {
    XftFont* font;
    size_t start;
    size_t length;
};

XftFont* FallbackFor(TextPainter& painter, FcChar32 character) {
    for (XftFont* font : painter.fallbacks) {
        if (XftCharExists(painter.display, font, character)) return font;
    }
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kFontName));
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, character);
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, painter.pixelSize);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    XftDefaultSubstitute(painter.display, DefaultScreen(painter.display), pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcCharSetDestroy(wanted);
    FcPatternDestroy(pattern);
    if (match == nullptr) return painter.font;
    XftFont* font = XftFontOpenPattern(painter.display, match);  // owns match when it opens
    if (font == nullptr) {
        FcPatternDestroy(match);
        return painter.font;
    }
    painter.fallbacks.push_back(font);
    // A face without the character still draws it as its missing-glyph box.
    return font;
}

// The text cut into runs of one face each.
std::vector<TextRun> SplitRuns(TextPainter& painter, const std::string& utf8) {
    std::vector<TextRun> runs;
    const auto* bytes = reinterpret_cast<const FcChar8*>(utf8.data());
    size_t at = 0;
    while (at < utf8.size()) {
        FcChar32 character = 0;
        int length = FcUtf8ToUcs4(bytes + at, &character, static_cast<int>(utf8.size() - at));
        if (length <= 0) break;  // the text comes valid from the display layer
        XftFont* font = XftCharExists(painter.display, painter.font, character)
                            ? painter.font
                            : FallbackFor(painter, character);
        if (!runs.empty() && runs.back().font == font) {
            runs.back().length += static_cast<size_t>(length);
        } else {
            runs.push_back(TextRun{font, at, static_cast<size_t>(length)});
        }
        at += static_cast<size_t>(length);
    }
    return runs;
}

int32_t RunWidth(TextPainter& painter, const std::string& utf8, const TextRun& run) {
    XGlyphInfo extents{};
    XftTextExtentsUtf8(painter.display, run.font,
                       reinterpret_cast<const FcChar8*>(utf8.data() + run.start),
                       static_cast<int>(run.length), &extents);
    return extents.xOff;
}

int32_t TextWidth(TextPainter& painter, const std::string& utf8) {
    int32_t width = 0;
    for (const TextRun& run : SplitRuns(painter, utf8))
        width += RunWidth(painter, utf8, run);
    return width;
}

int32_t LineHeight(const TextPainter& painter) {
    return painter.font->ascent + painter.font->descent;
}

void DrawLine(TextPainter& painter, const std::string& utf8, int32_t x, int32_t baseline) {
    for (const TextRun& run : SplitRuns(painter, utf8)) {
        XftDrawStringUtf8(painter.draw, &painter.color, run.font, x, baseline,
                          reinterpret_cast<const FcChar8*>(utf8.data() + run.start),
                          static_cast<int>(run.length));
        x += RunWidth(painter, utf8, run);
    }
}

void ClipTo(TextPainter& painter, const TextBand& band) {
    XRectangle rectangle{0, 0, static_cast<unsigned short>(band.right - band.left),
                         static_cast<unsigned short>(band.bottom - band.top)};
    XftDrawSetClipRectangles(painter.draw, band.left, band.top, &rectangle, 1);
}

int32_t CentredBaseline(const TextPainter& painter, const TextBand& band) {
    return band.top + (band.bottom - band.top - LineHeight(painter)) / 2 + painter.font->ascent;
}

// The longest start of text, ending before a space, that fits width; the whole word when even
// the first one does not fit.
size_t FittingLength(TextPainter& painter, const std::string& text, int32_t width) {
    if (TextWidth(painter, text) <= width) return text.size();
    size_t best = 0;
    for (size_t space = text.find(' '); space != std::string::npos;
         space = text.find(' ', space + 1)) {
        if (TextWidth(painter, text.substr(0, space)) > width) break;
        best = space;
    }
    if (best != 0) return best;
    const size_t firstSpace = text.find(' ');
    return firstSpace == std::string::npos ? text.size() : firstSpace;
}

}  // namespace

int32_t FontPixelsFor(int32_t cellHeight) {
    return cellHeight * 3 / 4;
}

bool OpenTextPainter(TextPainter& painter, Display* display, Drawable drawable, Visual* visual,
                     Colormap colormap, uint32_t colorRef, int32_t pixelSize) {
    painter = TextPainter{display, nullptr, nullptr, {}, {}, false, pixelSize};
    const std::string name = std::string(kFontName) + ":pixelsize=" + std::to_string(pixelSize);
    painter.font = XftFontOpenName(display, DefaultScreen(display), name.c_str());
    if (painter.font == nullptr) return false;
    painter.draw = XftDrawCreate(display, drawable, visual, colormap);
    const XRenderColor color{static_cast<unsigned short>((colorRef & 0xFF) * 0x101),
                             static_cast<unsigned short>(((colorRef >> 8) & 0xFF) * 0x101),
                             static_cast<unsigned short>(((colorRef >> 16) & 0xFF) * 0x101),
                             0xFFFF};
    painter.colorAllocated = XftColorAllocValue(display, visual, colormap, &color, &painter.color);
    return painter.draw != nullptr && painter.colorAllocated;
}

void CloseTextPainter(TextPainter& painter) {
    if (painter.draw != nullptr) {
        if (painter.colorAllocated) {
            XftColorFree(painter.display, XftDrawVisual(painter.draw),
                         XftDrawColormap(painter.draw), &painter.color);
        }
        XftDrawDestroy(painter.draw);
    }
    for (XftFont* font : painter.fallbacks)
        XftFontClose(painter.display, font);
    if (painter.font != nullptr) XftFontClose(painter.display, painter.font);
    painter = TextPainter{nullptr, nullptr, nullptr, {}, {}, false, 0};
}

void DrawCentredText(TextPainter& painter, const std::string& utf8, const TextBand& band) {
    ClipTo(painter, band);
    const int32_t x = band.left + (band.right - band.left - TextWidth(painter, utf8)) / 2;
    DrawLine(painter, utf8, x, CentredBaseline(painter, band));
    XftDrawSetClip(painter.draw, nullptr);
}

void DrawRightAlignedText(TextPainter& painter, const std::string& utf8, const TextBand& band) {
    ClipTo(painter, band);
    DrawLine(painter, utf8, band.right - TextWidth(painter, utf8), CentredBaseline(painter, band));
    XftDrawSetClip(painter.draw, nullptr);
}

void DrawWrappedText(TextPainter& painter, const std::string& utf8, int32_t width, int32_t height) {
    int32_t top = 0;
    size_t lineStart = 0;
    while (lineStart <= utf8.size() && top < height) {
        const size_t newline = utf8.find('\n', lineStart);
        std::string rest = utf8.substr(
            lineStart, newline == std::string::npos ? std::string::npos : newline - lineStart);
        // Each pass draws one line of the paragraph and drops it, with the space it broke at.
        do {
            const size_t fits = FittingLength(painter, rest, width);
            DrawLine(painter, rest.substr(0, fits), 0, top + painter.font->ascent);
            top += LineHeight(painter);
            rest.erase(0, fits < rest.size() ? fits + 1 : fits);
        } while (!rest.empty() && top < height);
        if (newline == std::string::npos) break;
        lineStart = newline + 1;
    }
}
