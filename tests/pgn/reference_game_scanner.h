#pragma once
// The game scanner as it was before its runs were searched in blocks: one byte-class table lookup
// per byte. Kept to show that the block searches find exactly the same games.

#include <cstdint>
#include <vector>

#include "pgn/pgn_cursor.h"
#include "pgn/pgn_games.h"

namespace reference {

inline void SkipComment(ByteCursor& cursor, unsigned char opener) {
    SkipUntil(cursor, opener == '{' ? kClassBraceClose : kClassLineEnd);
    if (!AtEnd(cursor)) ++cursor.at;
}

inline const unsigned char* FindGameEnd(ByteCursor cursor) {
    while (SkipUntil(cursor, kClassTagOpen | kClassBraceOpen | kClassSemicolon)) {
        const unsigned char b = *cursor.at;
        if (b == '[') return cursor.at;
        ++cursor.at;
        SkipComment(cursor, b);
    }
    return cursor.end;
}

inline bool FindNextGameStart(ByteCursor& cursor, const unsigned char*& start) {
    bool armed = false;
    for (;;) {
        const uint32_t wanted =
            kClassTagOpen | kClassBraceOpen | kClassSemicolon | (armed ? kClassGameStart : 0u);
        if (!SkipUntil(cursor, wanted)) return false;
        const unsigned char b = *cursor.at;
        if (b == '[') {
            if (!armed) start = cursor.at;
            armed = true;
            SkipUntil(cursor, kClassTagClose);
            if (AtEnd(cursor)) return false;
            ++cursor.at;
        } else if (b == '{' || b == ';') {
            ++cursor.at;
            SkipComment(cursor, b);
        } else {
            return true;
        }
    }
}

// Every game's span, in order.
inline std::vector<GameSpan> GameSpansOf(const CharString& text) {
    std::vector<GameSpan> spans;
    const auto* base = reinterpret_cast<const unsigned char*>(text.chars());
    ByteCursor bytes = CursorOver(text);
    const unsigned char* start = nullptr;
    while (FindNextGameStart(bytes, start)) {
        const unsigned char* end = FindGameEnd({bytes.at + 1, bytes.end});
        spans.push_back({static_cast<int32_t>(start - base), static_cast<int32_t>(end - start)});
        bytes.at = end;
    }
    return spans;
}

}  // namespace reference
