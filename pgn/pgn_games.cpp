#include "pgn/pgn_games.h"

#include "pgn/pgn_cursor.h"

namespace {

// What the scanner is inside of. Tag pairs and the two kinds of comment never nest in one
// another: each opens only outside the others.
enum class Inside { Text, TagPair, BraceComment, LineComment };

// A brace comment ends at }, a rest-of-line comment at CR or LF.
void SkipComment(ByteCursor& cursor, Inside comment) {
    SkipUntil(cursor, comment == Inside::BraceComment ? kClassBraceClose : kClassLineEnd);
    if (!AtEnd(cursor)) ++cursor.at;
}

// A game's text ends just before the first [ met outside comments after its move text began.
const unsigned char* FindGameEnd(ByteCursor cursor) {
    while (SkipUntil(cursor, kClassTagOpen | kClassBraceOpen | kClassSemicolon)) {
        const unsigned char b = *cursor.at;
        if (b == '[') return cursor.at;
        ++cursor.at;
        SkipComment(cursor, b == '{' ? Inside::BraceComment : Inside::LineComment);
    }
    return cursor.end;
}

CharString Cut(const CharString& text, const unsigned char* from, const unsigned char* to) {
    const auto* base = reinterpret_cast<const unsigned char*>(text.chars());
    return text.mid(static_cast<int32_t>(from - base), static_cast<int32_t>(to - from));
}

// Finds where the next game's move text begins: a byte of the game-start class met outside tag
// pairs and comments while a tag pair has begun since the last game. start receives the [ of
// the game's first tag pair.
bool FindNextGameStart(ByteCursor& cursor, const unsigned char*& start) {
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
            SkipComment(cursor, b == '{' ? Inside::BraceComment : Inside::LineComment);
        } else {
            return true;
        }
    }
}

}  // namespace

// Follows the counting rules byte class by byte class in one continuous scan; the cursor below
// is the resumable form of the same rules, and the tests hold the two equal.
CharString ExtractGameText(const CharString& text, int32_t n) {
    if (text.empty() || n < 0) return CharString();
    ByteCursor cursor = CursorOver(text);
    const unsigned char* start = cursor.at;
    Inside inside = Inside::Text;
    bool armed = false;
    int32_t found = 0;
    for (;;) {
        switch (inside) {
            case Inside::Text: {
                const uint32_t wanted = kClassTagOpen | kClassBraceOpen | kClassSemicolon |
                                        (armed ? kClassGameStart : 0u);
                if (!SkipUntil(cursor, wanted)) return CharString();
                const unsigned char b = *cursor.at;
                if (b == '[') {
                    if (!armed) start = cursor.at;
                    armed = true;
                    inside = Inside::TagPair;
                } else if (b == '{') {
                    inside = Inside::BraceComment;
                } else if (b == ';') {
                    inside = Inside::LineComment;
                } else {
                    armed = false;
                    if (found++ == n)
                        return Cut(text, start, FindGameEnd({cursor.at + 1, cursor.end}));
                }
                break;
            }
            case Inside::TagPair:
                if (!SkipUntil(cursor, kClassTagClose)) return CharString();
                inside = Inside::Text;
                break;
            case Inside::BraceComment:
                if (!SkipUntil(cursor, kClassBraceClose)) return CharString();
                inside = Inside::Text;
                break;
            case Inside::LineComment:
                if (!SkipUntil(cursor, kClassLineEnd)) return CharString();
                inside = Inside::Text;
                break;
        }
        ++cursor.at;
    }
}

GameTextCursor FirstGameOf(const CharString& text) {
    return {&text, 0};
}

bool NextGameSpan(GameTextCursor& cursor, GameSpan& span) {
    const CharString& text = *cursor.text;
    ByteCursor bytes = CursorOver(text, cursor.position);
    const unsigned char* start = nullptr;
    if (!FindNextGameStart(bytes, start)) {
        cursor.position = text.length();
        return false;
    }
    const unsigned char* end = FindGameEnd({bytes.at + 1, bytes.end});
    const auto* base = reinterpret_cast<const unsigned char*>(text.chars());
    span = {static_cast<int32_t>(start - base), static_cast<int32_t>(end - start)};
    cursor.position = static_cast<int32_t>(end - base);
    return true;
}
