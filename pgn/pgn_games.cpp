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

CharString ExtractGameText(const CharString& text, int32_t n) {
    if (n < 0) return CharString();
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    for (int32_t k = 0; NextGameSpan(cursor, span); ++k)
        if (k == n) return text.mid(span.start, span.length);
    return CharString();
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
