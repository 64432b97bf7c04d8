// Draws one information line the way the saver's surface holds it, for a test to compare the
// screen with: a band of the background colour, the information font selected, the text centred.
// Usage: draw_name <font height> <width> <height> <text colour> <background> <hex bytes> <out.bmp>
//                  wide|narrow
// "wide" draws through the saver's information-text path (UTF-8 as Unicode in runs, each in a
// font that has its letters); "narrow" draws the same bytes with the 8-bit call, as a saver that
// did not decode UTF-8 would. Writes a 24-bit bitmap file; exits 0, or 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "win32/info_text.h"

namespace {

std::string FromHex(const char* hex) {
    std::string bytes;
    for (size_t i = 0; hex[i] != 0 && hex[i + 1] != 0; i += 2) {
        const char pair[3] = {hex[i], hex[i + 1], 0};
        bytes += static_cast<char>(std::strtoul(pair, nullptr, 16));
    }
    return bytes;
}

bool WriteBitmap(const char* path, const uint32_t* pixels, int32_t width, int32_t height) {
    const int32_t rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes * height);
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return false;
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info, sizeof(info), 1, out);
    std::vector<unsigned char> row(static_cast<size_t>(rowBytes), 0);
    for (int32_t y = height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t pixel = pixels[y * width + x];
            row[static_cast<size_t>(x * 3)] = static_cast<unsigned char>(pixel);
            row[static_cast<size_t>(x * 3 + 1)] = static_cast<unsigned char>(pixel >> 8);
            row[static_cast<size_t>(x * 3 + 2)] = static_cast<unsigned char>(pixel >> 16);
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 9) return 2;
    const auto fontHeight = static_cast<int32_t>(std::atoi(argv[1]));
    const auto width = static_cast<int32_t>(std::atoi(argv[2]));
    const auto height = static_cast<int32_t>(std::atoi(argv[3]));
    const auto textColour = static_cast<COLORREF>(std::strtoul(argv[4], nullptr, 0));
    const auto background = static_cast<COLORREF>(std::strtoul(argv[5], nullptr, 0));
    const std::string text = FromHex(argv[6]);
    const bool wide = std::strcmp(argv[8], "wide") == 0;
    if (width <= 0 || height <= 0) return 2;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT area{0, 0, width, height};
    FillRect(dc, &area, brush);
    HFONT font = CreateInfoFont(fontHeight);
    SelectObject(dc, font);
    SetTextColor(dc, textColour);
    SetBkColor(dc, background);
    InfoFonts fonts{};
    fonts.height = fontHeight;
    DrawInfoText(dc, wide ? &fonts : nullptr, text.data(), static_cast<int32_t>(text.size()), area,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    const bool written = WriteBitmap(argv[7], static_cast<const uint32_t*>(bits), width, height);
    ReleaseInfoFonts(fonts);
    return written ? 0 : 1;
}
