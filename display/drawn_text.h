#pragma once
// Game-file bytes as the UTF-8 a Unicode text drawer takes: a text that is valid UTF-8 is drawn
// as written, any other as the Windows 8-bit code page (1252) reads its bytes, as the Windows
// saver draws it.

#include "text/char_string.h"

// The text to draw, in UTF-8: bytes itself when it is valid UTF-8 (IsValidUtf8), else each byte
// through code page 1252.
CharString DrawnTextUtf8(const CharString& bytes);
