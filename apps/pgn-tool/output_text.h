#pragma once
// Game texts are bytes of no declared encoding. Both output forms stay valid for any bytes:
// well-formed UTF-8 passes through; any other byte of 0x80 and above is read as Latin-1.

#include <string>
#include <string_view>

// A JSON string literal, quotes included: control bytes as \u00XX, a byte that is not part of
// well-formed UTF-8 as \u00XX of its Latin-1 value.
std::string JsonString(std::string_view bytes);

// Text for a terminal: control characters (bytes below 0x20, 0x7F, and U+0080 to U+009F whether
// written as one byte or in UTF-8) as \xNN per byte; a byte that is not part of well-formed UTF-8
// as its Latin-1 character in UTF-8. The result is always UTF-8.
std::string SafeText(std::string_view bytes);
