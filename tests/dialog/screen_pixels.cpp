#include "screen_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// The pixels of a device context's area as 32-bit BGRX values, top row first.
std::vector<uint32_t> GrabPixels(HDC source, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    std::vector<uint32_t> pixels;
    if (width <= 0 || height <= 0) return pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ first = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, source, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* words = static_cast<const uint32_t*>(bits);
    pixels.assign(words, words + static_cast<size_t>(width) * static_cast<size_t>(height));
    SelectObject(memory, first);
    DeleteDC(memory);
    DeleteObject(section);
    return pixels;
}

MeanColour MeanOf(const std::vector<uint32_t>& pixels) {
    MeanColour mean{0, 0, 0};
    if (pixels.empty()) return mean;
    for (uint32_t pixel : pixels) {
        mean.blue += pixel & 0xff;
        mean.green += (pixel >> 8) & 0xff;
        mean.red += (pixel >> 16) & 0xff;
    }
    const auto count = static_cast<double>(pixels.size());
    return MeanColour{mean.red / count, mean.green / count, mean.blue / count};
}

std::vector<uint32_t> GrabScreen(const RECT& area) {
    HDC screen = GetDC(nullptr);
    std::vector<uint32_t> pixels = GrabPixels(screen, area);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

RECT ClientScreenRect(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

MeanColour MeanScreenColour(const RECT& area) {
    return MeanOf(GrabScreen(area));
}

bool ScreenAreaIs(const RECT& area, COLORREF colour) {
    const std::vector<uint32_t> pixels = GrabScreen(area);
    const uint32_t wanted = (static_cast<uint32_t>(GetRValue(colour)) << 16) |
                            (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
    return !pixels.empty() && std::all_of(pixels.begin(), pixels.end(), [wanted](uint32_t p) {
        return (p & 0xffffff) == wanted;
    });
}

MeanColour MeanSkinColour(const std::wstring& skinPath, const RECT& area) {
    auto skin = static_cast<HBITMAP>(LoadImageW(nullptr, skinPath.c_str(), IMAGE_BITMAP, 0, 0,
                                                LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (skin == nullptr) return MeanColour{-1000, -1000, -1000};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ first = SelectObject(memory, skin);
    const MeanColour mean = MeanOf(GrabPixels(memory, area));
    SelectObject(memory, first);
    DeleteDC(memory);
    DeleteObject(skin);
    return mean;
}

double ColourDistance(const MeanColour& a, const MeanColour& b) {
    return std::max(
        {std::fabs(a.red - b.red), std::fabs(a.green - b.green), std::fabs(a.blue - b.blue)});
}

RECT PreviewSquareInterior(HWND preview, int file, int rank) {
    const RECT client = ClientScreenRect(preview);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    // The preview layout: the largest cell that fits eight times, the board centred.
    const int cell = std::min(width, height) / 8;
    const int left = std::max(0, (width - 8 * cell) / 2);
    const int top = std::max(0, (height - 8 * cell) / 2);
    const int x = client.left + left + file * cell;
    const int y = client.top + top + (7 - rank) * cell;
    const int inset = cell / 4;
    return RECT{x + inset, y + inset, x + cell - inset, y + cell - inset};
}
