#include "pgn/pgn_games.h"

#include "pgn/pgn_byte_search.h"
#include "pgn/pgn_cursor.h"

namespace {

// What the scanner is inside of. Tag pairs and the two kinds of comment never nest in one
// another: each opens only outside the others.
enum class Inside { Text, TagPair, BraceComment, LineComment };

// The bytes that open a tag pair or a comment: where the long runs of move text stop.
constexpr WantedBytes kOpeners{'[', '{', ';'};
constexpr WantedBytes kTagClose{']', ']', ']'};
constexpr WantedBytes kBraceClose{'}', '}', '}'};
constexpr WantedBytes kLineEnd{'\r', '\n', '\n'};

// A brace comment ends at }, a rest-of-line comment at CR or LF.
void SkipComment(ByteCursor& cursor, Inside comment) {
    SkipToWanted(cursor, comment == Inside::BraceComment ? kBraceClose : kLineEnd);
    if (!AtEnd(cursor)) ++cursor.at;
}

// A game's text ends just before the first [ met outside comments after its move text began.
const unsigned char* FindGameEnd(ByteCursor cursor) {
    while (SkipToWanted(cursor, kOpeners)) {
        const unsigned char b = *cursor.at;
        if (b == '[') return cursor.at;
        ++cursor.at;
        SkipComment(cursor, b == '{' ? Inside::BraceComment : Inside::LineComment);
    }
    return cursor.end;
}

// The [ of a tag pair that opens right after the line end at the cursor; null otherwise. The
// bytes between (CR, LF) stop no scan.
const unsigned char* TagOnNextLine(const ByteCursor& cursor) {
    const unsigned char* at = cursor.at;
    if (at != cursor.end && *at == '\r') ++at;
    if (cursor.end - at >= 2 && at[0] == '\n' && at[1] == '[') return at + 1;
    return nullptr;
}

// Finds where the next game's move text begins: a byte of the game-start class met outside tag
// pairs and comments while a tag pair has begun since the last game. start receives the [ of
// the game's first tag pair.
bool FindNextGameStart(ByteCursor& cursor, const unsigned char*& start) {
    bool armed = false;
    bool blocksTried = false;
    for (;;) {
        // Between tag pairs the runs are short (a line end), so the table serves there.
        const bool found = armed ? SkipUntil(cursor, kClassTagOpen | kClassBraceOpen |
                                                         kClassSemicolon | kClassGameStart)
                                 : SkipToWanted(cursor, kOpeners);
        if (!found) return false;
        const unsigned char b = *cursor.at;
        if (b == '[') {
            if (!armed) {
                start = cursor.at;
                armed = true;
            }
            if (!SkipToWanted(cursor, kTagClose)) return false;
            ++cursor.at;
            // A second tag pair on the next line: the section is laid out line by line, and its
            // remaining tag pairs are crossed in blocks (tried once a game, not for one-tag games).
            const unsigned char* next = blocksTried ? nullptr : TagOnNextLine(cursor);
            if (next != nullptr) {
                blocksTried = true;
                cursor.at = next;
                SkipLaidOutTagPairs(cursor);
            }
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
