#pragma once
// Draws the texts of a saver picture into a surface, in the surface's selected font and colours;
// with fonts, UTF-8 values in the wide-text font that has their letters.

#include <windows.h>

#include <vector>

#include "display/saver_picture.h"
#include "win32/info_text.h"

void DrawPictureText(HDC surface, InfoFonts* fonts, const PictureText& text);

void DrawPictureTexts(HDC surface, InfoFonts* fonts, const std::vector<PictureText>& texts);
