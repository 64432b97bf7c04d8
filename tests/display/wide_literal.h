#pragma once
// 16-bit texts for tests, from plain ASCII literals, on both the native and the Windows build.

#include <string>

#include "text/char_string.h"

using WideText = std::basic_string<WideChar>;

inline WideText Wide(const std::string& ascii) {
    WideText out;
    for (char ch : ascii)
        out.push_back(static_cast<WideChar>(static_cast<unsigned char>(ch)));
    return out;
}

// The text of a zero-terminated 16-bit buffer, for comparisons and failure messages.
inline std::string Narrow(const WideChar* text) {
    std::string out;
    for (; *text != 0; ++text)
        out.push_back(static_cast<char>(*text));
    return out;
}
