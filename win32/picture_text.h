#pragma once
// Draws the texts of a saver picture into a surface, in the picture's colours: each text in the
// information font at the height the picture asks for, made when first needed and kept, and with
// wide fonts UTF-8 values in runs, each in a font that has its letters.

#include <windows.h>

#include <vector>

#include "display/saver_picture.h"
#include "display/screen_layout.h"
#include "win32/info_text.h"

// The information font and its wide-text fonts at one height.
struct HeightFonts {
    int32_t height;
    HFONT font;
    InfoFonts wide;
};

// Fonts for the heights a picture's texts ask for: one per monitor's board at most.
struct TextFonts {
    HeightFonts byHeight[kMaxMonitors];
    int32_t count;
    bool wideText;  // UTF-8 values as Unicode (the full-screen saver); else 8-bit text only
};

// Releases every font made.
void ReleaseTextFonts(TextFonts& fonts);

void DrawPictureText(HDC surface, TextFonts& fonts, const PictureText& text);

void DrawPictureTexts(HDC surface, TextFonts& fonts, const std::vector<PictureText>& texts);
