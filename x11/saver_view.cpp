#include "x11/saver_view.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>

#include "display/drawn_text.h"
#include "display/text_fit.h"

namespace {

int32_t LowestBit(unsigned long mask) {
    int32_t shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// Scales an 8-bit channel into the visual's mask for it.
unsigned long Channel(uint32_t value, unsigned long mask) {
    const int32_t shift = LowestBit(mask);
    const unsigned long top = mask >> shift;
    return ((static_cast<unsigned long>(value) * top + 127) / 255) << shift;
}

unsigned long XPixelFor(const Visual* visual, uint32_t rgb) {
    return Channel((rgb >> 16) & 0xFF, visual->red_mask) |
           Channel((rgb >> 8) & 0xFF, visual->green_mask) | Channel(rgb & 0xFF, visual->blue_mask);
}

bool IsPlainTrueColour(const XImage* image, const Visual* visual) {
    return image->bits_per_pixel == 32 && visual->red_mask == 0xFF0000 &&
           visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
}

// Puts the part of picture inside area on the pixmap, the picture's corner at (x, y): straight
// from its buffer when the visual stores pixels as it does, else pixel by pixel.
void PutPicture(SaverView& view, PixelImage& picture, const TextBand& area, int32_t x, int32_t y) {
    XImage* image = XCreateImage(view.display, view.visual, static_cast<unsigned>(view.depth),
                                 ZPixmap, 0, nullptr, static_cast<unsigned>(picture.width),
                                 static_cast<unsigned>(picture.height), 32, 0);
    if (image == nullptr) return;
    std::vector<char> converted;
    if (IsPlainTrueColour(image, view.visual)) {
        image->data = reinterpret_cast<char*>(picture.pixels.data());
        image->byte_order = LSBFirst;  // the buffer's own order; Xlib swaps for the server
        image->bytes_per_line = picture.width * 4;
    } else {
        converted.resize(static_cast<size_t>(image->bytes_per_line) *
                         static_cast<size_t>(picture.height));
        image->data = converted.data();
        for (int32_t row = 0; row < picture.height; ++row) {
            for (int32_t column = 0; column < picture.width; ++column) {
                XPutPixel(
                    image, column, row,
                    XPixelFor(view.visual,
                              picture.pixels[static_cast<size_t>(row * picture.width + column)]));
            }
        }
    }
    XPutImage(view.display, view.pixmap, view.gc, image, area.left, area.top, x + area.left,
              y + area.top, static_cast<unsigned>(area.right - area.left),
              static_cast<unsigned>(area.bottom - area.top));
    image->data = nullptr;  // the buffer is not Xlib's to free
    XDestroyImage(image);
}

bool MakePixmap(SaverView& view) {
    view.pixmap =
        XCreatePixmap(view.display, view.window, static_cast<unsigned>(view.width),
                      static_cast<unsigned>(view.height), static_cast<unsigned>(view.depth));
    return OpenTextPainter(view.painter, view.display, view.pixmap, view.visual, view.colormap,
                           view.fontColor, FontPixelsFor(InfoFontHeight(kSkinCellSize)));
}

void FreePixmap(SaverView& view) {
    CloseTextPainter(view.painter);
    if (view.pixmap != 0) XFreePixmap(view.display, view.pixmap);
    view.pixmap = 0;
}

// The text font at the size the picture asks for (0: the classic size), opened again only when
// that size changes.
void FitFont(SaverView& view, int32_t fontHeight) {
    const int32_t pixels =
        FontPixelsFor(fontHeight > 0 ? fontHeight : InfoFontHeight(kSkinCellSize));
    if (view.painter.font != nullptr && view.painter.pixelSize == pixels) return;
    CloseTextPainter(view.painter);
    OpenTextPainter(view.painter, view.display, view.pixmap, view.visual, view.colormap,
                    view.fontColor, pixels);
}

int32_t MeasureText(void* context, const std::string& utf8) {
    return TextWidth(*static_cast<TextPainter*>(context), utf8);
}

// A line that does not fit its band takes the room beside it, and beyond that an ellipsis.
void DrawFittedLine(TextPainter& painter, const std::string& line, const PictureText& text) {
    const TextMeasure measure{&painter, MeasureText};
    const int32_t width = TextWidth(painter, line);
    if (width <= text.band.right - text.band.left) {
        DrawCentredText(painter, line, text.band);
        return;
    }
    const std::string fitted = FitTextToWidth(line, text.room.right - text.room.left, measure);
    DrawCentredText(painter, fitted, PlaceLine(text.band, text.room, TextWidth(painter, fitted)));
}

// A line from band's left edge, shortened with an ellipsis when it would pass the right one.
void DrawLeftAlignedLine(TextPainter& painter, const std::string& line, const TextBand& band) {
    const std::string fitted =
        FitTextToWidth(line, band.right - band.left, TextMeasure{&painter, MeasureText});
    const int32_t width = TextWidth(painter, fitted);
    DrawCentredText(painter, fitted, TextBand{band.left, band.top, band.left + width, band.bottom});
}

void DrawText(SaverView& view, const PictureText& text) {
    FitFont(view, text.fontHeight);
    const CharString utf8 = DrawnTextUtf8(text.bytes);
    const std::string line(utf8.chars(), static_cast<size_t>(utf8.length()));
    switch (text.align) {
        case TextAlign::Centre:
            DrawFittedLine(view.painter, line, text);
            break;
        case TextAlign::Right:
            DrawRightAlignedText(view.painter, line, text.band);
            break;
        case TextAlign::Left:
            DrawLeftAlignedLine(view.painter, line, text.band);
            break;
        case TextAlign::WrapTopLeft:
            DrawWrappedText(view.painter, line, text.band.right, text.band.bottom);
            break;
    }
}

}  // namespace

bool OpenSaverView(SaverView& view, Display* display, Window window, uint32_t fontColor) {
    view = SaverView{display, window, nullptr, 0, 0, 0, 0, 0, nullptr, {}, fontColor};
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) return false;
    view.visual = attributes.visual;
    view.colormap = attributes.colormap;
    view.depth = attributes.depth;
    view.width = attributes.width > 0 ? attributes.width : 1;
    view.height = attributes.height > 0 ? attributes.height : 1;
    view.gc = XCreateGC(display, window, 0, nullptr);
    return MakePixmap(view);
}

bool ResizeSaverView(SaverView& view, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || (width == view.width && height == view.height)) return false;
    FreePixmap(view);
    view.width = width;
    view.height = height;
    MakePixmap(view);
    return true;
}

void CloseSaverView(SaverView& view) {
    if (view.display == nullptr) return;
    FreePixmap(view);
    if (view.gc != nullptr) XFreeGC(view.display, view.gc);
    view.gc = nullptr;
}

void RenderSaverPicture(SaverView& view, const SaverPicture& picture,
                        const std::vector<const PixelImage*>& skins) {
    const uint32_t background = PixelFromColorRef(picture.backgroundColor);
    XSetForeground(view.display, view.gc, XPixelFor(view.visual, background));
    XFillRectangle(view.display, view.pixmap, view.gc, 0, 0, static_cast<unsigned>(view.width),
                   static_cast<unsigned>(view.height));
    for (size_t i = 0; i < picture.boards.size() && i < skins.size(); ++i) {
        // A rank at a time: a 4K board drawn whole would take another 8 MB picture.
        const PictureBoard& board = picture.boards[i];
        const TextBand whole = BoardBand(board.layout);
        for (int32_t rank = 0; rank < 8; ++rank) {
            const int32_t top = whole.top + rank * board.layout.cellSize;
            RenderPictureBoard(view, board, picture.backgroundColor, *skins[i],
                               TextBand{whole.left, top, whole.right, top + board.layout.cellSize});
        }
    }
    for (const PictureText& text : picture.texts)
        DrawText(view, text);
}

void RenderPictureBoard(SaverView& view, const PictureBoard& board, uint32_t backgroundColor,
                        const PixelImage& skin, const TextBand& wanted) {
    const TextBand whole = BoardBand(board.layout);
    const TextBand area{std::max(wanted.left, whole.left), std::max(wanted.top, whole.top),
                        std::min(wanted.right, whole.right), std::min(wanted.bottom, whole.bottom)};
    if (area.right <= area.left || area.bottom <= area.top) return;
    // A picture of the area alone, the board shifted so that the area's corner is its origin.
    const int32_t width = area.right - area.left;
    const int32_t height = area.bottom - area.top;
    PixelImage pixels = MakePixelImage(width, height, PixelFromColorRef(backgroundColor));
    const PictureBoard shifted = OffsetBoard(board, -area.left, -area.top);
    DrawBoardFrame(pixels, skin, shifted.layout, shifted.frame, TextBand{0, 0, width, height});
    PutPicture(view, pixels, TextBand{0, 0, width, height}, area.left, area.top);
}

void PresentSaverView(SaverView& view) {
    XCopyArea(view.display, view.pixmap, view.window, view.gc, 0, 0,
              static_cast<unsigned>(view.width), static_cast<unsigned>(view.height), 0, 0);
    XFlush(view.display);
}

void PresentSaverArea(SaverView& view, const TextBand& area) {
    if (area.right <= area.left) return;
    XCopyArea(view.display, view.pixmap, view.window, view.gc, area.left, area.top,
              static_cast<unsigned>(area.right - area.left),
              static_cast<unsigned>(area.bottom - area.top), area.left, area.top);
    XFlush(view.display);
}
