#pragma once
// A line of Unicode text through Uniscribe, which every Windows has and Wine implements: cut into
// items by script and direction, each item into runs of one font (chosen by the caller), every run
// shaped (Arabic letters joined) and placed, the runs in visual order with right-to-left ones
// reversed, all on one baseline. Measuring and drawing share the one layout, so a fitted line is
// exactly as wide as measured.

#include <usp10.h>
#include <windows.h>

#include <cstdint>
#include <vector>

// A font and the Uniscribe cache that belongs to it; both live as long as the caller keeps them.
struct RunFont {
    HFONT font;
    SCRIPT_CACHE* cache;
};

// A stretch of text of one script and one direction.
struct LineItem {
    int32_t start;
    int32_t length;
    SCRIPT_ANALYSIS analysis;
};

// A stretch of one item in one font.
struct LineRun {
    int32_t start;
    int32_t length;
    SCRIPT_ANALYSIS analysis;
    RunFont font;
};

struct ShapedRun {
    RunFont font;
    SCRIPT_ANALYSIS analysis;
    std::vector<WORD> glyphs;  // in visual order, as Uniscribe gives them
    std::vector<int> advances;
    std::vector<GOFFSET> offsets;
    int32_t width;
    int32_t ascent;
};

struct ShapedLine {
    std::vector<ShapedRun> runs;  // left to right
    int32_t width;
    int32_t ascent;  // the most of any run's font, as is the descent
    int32_t descent;
};

// The items of text, in text order. The line reads right to left when its first letter with a
// direction does (Arabic, Hebrew), as a name written in such a script expects.
std::vector<LineItem> ItemizeLine(const WCHAR* text, int32_t length);

// Shapes and places each run in its font and puts the runs in visual order.
ShapedLine ShapeLine(HDC surface, const WCHAR* text, const std::vector<LineRun>& runs);

// Draws the line in rect, clipped to it, in the surface's text colour: centred or right-aligned
// as format's DT_CENTER or DT_RIGHT say (else at the left), centred vertically with DT_VCENTER
// (else at the top), as DrawTextW places a single line.
void DrawShapedLine(HDC surface, const ShapedLine& line, RECT rect, UINT format);
