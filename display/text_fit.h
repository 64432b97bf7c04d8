#pragma once
// Lines that always fit: a line wider than its band takes the room beside it (up to the monitor's
// width), and one wider than that is shortened with an ellipsis at a word or character boundary,
// never clipped at both ends. The front end measures; the choices are made here, the same on every
// platform.

#include <cstdint>
#include <string>

#include "display/board_layout.h"

// The ellipsis a shortened line ends with (U+2026, in UTF-8).
constexpr const char* kEllipsis = "\xE2\x80\xA6";

// The front end's measure of a UTF-8 text in the font it draws with, in pixels.
struct TextMeasure {
    void* context;
    int32_t (*width)(void* context, const std::string& utf8);
};

// The text as drawn in at most maxWidth pixels: itself when it fits; else its longest start that
// fits with the ellipsis after it, cut after the last whole word when that keeps at least half of
// the start, else between characters; the ellipsis alone when no character fits with it, and
// nothing when not even the ellipsis does. UTF-8 is never cut inside a character.
std::string FitTextToWidth(const std::string& utf8, int32_t maxWidth, const TextMeasure& measure);

// Where a centred line of width pixels goes: band when it fits there; else band widened on both
// sides as far as room allows, and when it meets room's edge on one side, further on the other.
TextBand PlaceLine(const TextBand& band, const TextBand& room, int32_t width);
