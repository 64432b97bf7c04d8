#pragma once
// Game-file bytes as the UTF-8 a Unicode text drawer takes: a text that is valid UTF-8 is drawn
// as written, any other as the Windows 8-bit code page (1252) reads its bytes.

#include "text/char_string.h"

// True when bytes is valid UTF-8 (shortest forms, no surrogates, at most U+10FFFF), allowing one
// sequence cut short at the very end, where a fixed-width field may have cut it.
bool IsUtf8Text(const CharString& bytes);

// The text to draw, in UTF-8: bytes itself (less a sequence cut short at its end) when IsUtf8Text
// holds, else each byte through code page 1252.
CharString DrawnTextUtf8(const CharString& bytes);
