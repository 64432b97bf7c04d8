#include "x11/text_drawing.h"

namespace {

// Palatino as the Windows saver asks for it, then its look-alikes; fontconfig adds the faces for
// the scripts these lack after them.
constexpr const char* kFontFamilies = "Palatino Linotype,P052,Palatino,DejaVu Serif,serif";

// A layout of utf8 as one line: a newline in a name stays on the line rather than breaking it.
PangoLayout* LineLayout(TextPainter& painter, const std::string& utf8) {
    PangoLayout* layout = pango_layout_new(painter.context);
    pango_layout_set_font_description(layout, painter.font);
    pango_layout_set_single_paragraph_mode(layout, TRUE);
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
    return layout;
}

int32_t LineHeight(const TextPainter& painter) {
    return painter.ascent + painter.descent;
}

void DrawLine(TextPainter& painter, const std::string& utf8, int32_t x, int32_t baseline) {
    PangoLayout* layout = LineLayout(painter, utf8);
    pango_xft_render_layout_line(painter.draw, &painter.color,
                                 pango_layout_get_line_readonly(layout, 0), x * PANGO_SCALE,
                                 baseline * PANGO_SCALE);
    g_object_unref(layout);
}

void ClipTo(TextPainter& painter, const TextBand& band) {
    XRectangle rectangle{0, 0, static_cast<unsigned short>(band.right - band.left),
                         static_cast<unsigned short>(band.bottom - band.top)};
    XftDrawSetClipRectangles(painter.draw, band.left, band.top, &rectangle, 1);
}

int32_t CentredBaseline(const TextPainter& painter, const TextBand& band) {
    return band.top + (band.bottom - band.top - LineHeight(painter)) / 2 + painter.ascent;
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

// The main face's ascent and descent; false when no face opens at all.
bool MeasureMainFace(TextPainter& painter) {
    PangoFont* face = pango_context_load_font(painter.context, painter.font);
    if (face == nullptr) return false;
    PangoFontMetrics* metrics = pango_font_get_metrics(face, nullptr);
    // Rounded up, as Xft gives a face's ascent and descent.
    painter.ascent = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(metrics));
    painter.descent = PANGO_PIXELS_CEIL(pango_font_metrics_get_descent(metrics));
    pango_font_metrics_unref(metrics);
    g_object_unref(face);
    return true;
}

}  // namespace

int32_t FontPixelsFor(int32_t cellHeight) {
    return cellHeight * 3 / 4;
}

bool OpenTextPainter(TextPainter& painter, Display* display, Drawable drawable, Visual* visual,
                     Colormap colormap, uint32_t colorRef, int32_t pixelSize) {
    painter = TextPainter{display, nullptr, nullptr, nullptr, {}, false, pixelSize, 0, 0};
    // The font map belongs to Pango, one per display and screen, and goes with the display.
    PangoFontMap* fonts = pango_xft_get_font_map(display, DefaultScreen(display));
    if (fonts == nullptr) return false;
    painter.context = pango_font_map_create_context(fonts);
    painter.font = pango_font_description_from_string(kFontFamilies);
    pango_font_description_set_absolute_size(painter.font, pixelSize * PANGO_SCALE);
    if (!MeasureMainFace(painter)) {
        CloseTextPainter(painter);
        return false;
    }
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
    if (painter.font != nullptr) pango_font_description_free(painter.font);
    if (painter.context != nullptr) g_object_unref(painter.context);
    painter = TextPainter{nullptr, nullptr, nullptr, nullptr, {}, false, 0, 0, 0};
}

int32_t TextWidth(TextPainter& painter, const std::string& utf8) {
    PangoLayout* layout = LineLayout(painter, utf8);
    PangoRectangle logical{};
    pango_layout_line_get_pixel_extents(pango_layout_get_line_readonly(layout, 0), nullptr,
                                        &logical);
    g_object_unref(layout);
    return logical.width;
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
            DrawLine(painter, rest.substr(0, fits), 0, top + painter.ascent);
            top += LineHeight(painter);
            rest.erase(0, fits < rest.size() ? fits + 1 : fits);
        } while (!rest.empty() && top < height);
        if (newline == std::string::npos) break;
        lineStart = newline + 1;
    }
}
