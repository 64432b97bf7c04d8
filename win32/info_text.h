#pragma once
// Drawing a tag value of the game information: UTF-8 names in any script as Unicode, in the
// information font when it has the letters and else in the first font that has them; any other
// text byte for byte in the surface's selected font, as ever.

#include <windows.h>

#include <cstdint>

// Faces Windows ships, tried in order after the information font's own face when a name has
// letters that face lacks; then the platform's choice for the name's script.
constexpr const wchar_t* kFallbackFaces[] = {
    L"Segoe UI",   L"Microsoft YaHei", L"Yu Gothic",       L"Malgun Gothic",
    L"Nirmala UI", L"Leelawadee UI",   L"Arial Unicode MS"};
constexpr int32_t kFallbackFaceCount =
    static_cast<int32_t>(sizeof(kFallbackFaces) / sizeof(kFallbackFaces[0]));

// The wide-text fonts of one saver window, made when a text first needs them and released with
// the window: the information face, the fallback faces, and one per script.
struct InfoFonts {
    int32_t height;
    HFONT infoFace;
    HFONT fallbacks[kFallbackFaceCount];
    HFONT byScript[9];
};

// The information font the saver selects on its surface, at the given height.
HFONT CreateInfoFont(int32_t height);

// Releases every font made so far and empties the record; height is kept.
void ReleaseInfoFonts(InfoFonts& fonts);

// One line, single, clipped to rect with format's alignment. ASCII and any text that is not valid
// UTF-8 go through the 8-bit call in the selected font; with fonts null every text does.
void DrawInfoText(HDC surface, InfoFonts* fonts, const char* bytes, int32_t count, RECT rect,
                  UINT format);

// The width in pixels DrawInfoText gives the text, in the font it would choose.
int32_t InfoTextWidth(HDC surface, InfoFonts* fonts, const char* bytes, int32_t count);
