#pragma once
// Drawing a tag value of the game information: a UTF-8 text as Unicode in runs, each run of one
// script and direction in a font that has its letters (the information font when it has them),
// right-to-left runs shaped and in their order; any other text byte for byte in the surface's
// selected font, as ever.

#include <usp10.h>
#include <windows.h>

#include <cstdint>

// Faces Windows ships, tried in order after the information font's own face for letters that face
// lacks; then the platform's choice for the letters' script.
constexpr const wchar_t* kFallbackFaces[] = {
    L"Segoe UI",   L"Microsoft YaHei", L"Yu Gothic",       L"Malgun Gothic",
    L"Nirmala UI", L"Leelawadee UI",   L"Arial Unicode MS"};
constexpr int32_t kFallbackFaceCount =
    static_cast<int32_t>(sizeof(kFallbackFaces) / sizeof(kFallbackFaces[0]));
// One font per TextScript, found by the script's character set.
constexpr int32_t kScriptFontCount = 9;
// The information face, the fallback faces, then the script fonts, in the order they are tried.
constexpr int32_t kInfoFontSlots = 1 + kFallbackFaceCount + kScriptFontCount;

struct InfoFontSlot {
    HFONT font;
    SCRIPT_CACHE cache;  // Uniscribe's tables for the font
};

// The wide-text fonts of one saver window, made when a text first needs them and released with
// the window.
struct InfoFonts {
    int32_t height;
    InfoFontSlot slots[kInfoFontSlots];
};

// The information font the saver selects on its surface, at the given height.
HFONT CreateInfoFont(int32_t height);

// Releases every font made so far and empties the record; height is kept.
void ReleaseInfoFonts(InfoFonts& fonts);

// One line, single, clipped to rect with format's alignment. ASCII and any text that is not valid
// UTF-8 go through the 8-bit call in the selected font; with fonts null every text does.
void DrawInfoText(HDC surface, InfoFonts* fonts, const char* bytes, int32_t count, RECT rect,
                  UINT format);

// The width in pixels DrawInfoText gives the text, runs and fonts as it draws them.
int32_t InfoTextWidth(HDC surface, InfoFonts* fonts, const char* bytes, int32_t count);
