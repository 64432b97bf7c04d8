#include "pgn/pgn_lexer.h"

#include <string>

#include "pgn/pgn_byte_search.h"

namespace {

int32_t Offset(const PgnLexer& lexer, const unsigned char* at) {
    return static_cast<int32_t>(at - lexer.base);
}

// The bytes [from, to) of the text; an empty run is an empty text, never a view of nothing, so
// that it can be copied.
std::string_view RunOf(const unsigned char* from, const unsigned char* to) {
    if (from == to) return "";
    return {reinterpret_cast<const char*>(from), static_cast<size_t>(to - from)};
}

void AppendRun(TagField& field, const unsigned char* from, const unsigned char* to) {
    const std::string_view run = RunOf(from, to);
    if (run.empty()) return;
    if (field.text.empty()) {
        field.text = run;
        return;
    }
    if (field.text.data() != field.pieces.data()) field.pieces.assign(field.text);
    field.pieces.append(run);
    field.text = field.pieces;
}

// Hands the field over, with its joined runs if it has them, and empties it for the next pair.
// An empty name or value is an empty text, never a view of nothing, so that it can be copied.
void Finish(TagField& field, std::string_view& out, std::string& pieces) {
    out = field.text.empty() ? std::string_view("") : field.text;
    if (!field.text.empty() && field.text.data() == field.pieces.data()) {
        pieces.swap(field.pieces);
        out = pieces;
    }
    field.text = {};
    field.pieces.clear();
}

// ] finishes the tag pair under construction (possibly an empty one, for a stray ]).
void FinishTagPair(PgnLexer& lexer, PgnItem& item) {
    item.kind = PgnItemKind::TagPair;
    Finish(lexer.tagName, item.tagName, item.tagNamePieces);
    Finish(lexer.tagValue, item.tagValue, item.tagValuePieces);
    lexer.place = LexerPlace::MoveText;
}

// Inside a tag pair: the name runs to the first space, the value to ]. A [ starts the name again
// without emptying what was read (so a [ inside a value sends the bytes after it to the name).
// True when a tag pair was finished into item.
bool ReadTagBytes(PgnLexer& lexer, PgnItem& item) {
    ByteCursor& cursor = lexer.cursor;
    const unsigned char* const from = cursor.at;
    // Values run for dozens of bytes: searched in blocks.
    const bool inName = lexer.place == LexerPlace::TagName;
    const unsigned char nameEnd = inName ? ' ' : ']';
    SkipToWanted(cursor, {'[', ']', nameEnd});
    AppendRun(inName ? lexer.tagName : lexer.tagValue, from, cursor.at);
    if (AtEnd(cursor)) return false;
    const unsigned char b = *cursor.at++;
    if (b == '[') {
        lexer.place = LexerPlace::TagName;
    } else if (b == ']') {
        FinishTagPair(lexer, item);
        return true;
    } else {
        lexer.place = LexerPlace::TagValue;
    }
    return false;
}

// A byte that opens a comment or moves the variation depth; false for any other byte.
bool OpenCommentOrVariation(PgnLexer& lexer, unsigned char b) {
    switch (b) {
        case '{':
            lexer.place = LexerPlace::BraceComment;
            return true;
        case ';':
            lexer.place = LexerPlace::LineComment;
            return true;
        case '(':
            ++lexer.variationDepth;
            return true;
        case ')':
            --lexer.variationDepth;
            return true;
        default:
            return false;
    }
}

// Inside a variation nothing is collected, and glyphs do not matter: each byte that changes the
// depth is not a digit and so ends any glyph. True when a tag pair was finished into item.
bool ReadVariationBytes(PgnLexer& lexer, PgnItem& item) {
    ByteCursor& cursor = lexer.cursor;
    if (!SkipUntil(cursor, kClassTagOpen | kClassTagClose | kClassBraceOpen | kClassSemicolon |
                               kClassVariation))
        return false;
    const unsigned char b = *cursor.at++;
    lexer.inNag = false;
    switch (b) {
        case '[':
            lexer.place = LexerPlace::TagName;
            break;
        case ']':
            FinishTagPair(lexer, item);
            return true;
        default:
            OpenCommentOrVariation(lexer, b);
            break;
    }
    return false;
}

// Main-line move text, one byte of interest at a time. True when an item was read.
bool ReadMainLineByte(PgnLexer& lexer, PgnItem& item) {
    ByteCursor& cursor = lexer.cursor;
    // Outside a glyph only these bytes change anything; inside one every byte matters.
    if (!lexer.inNag && !SkipUntil(cursor, kMainLineStops)) return false;
    const unsigned char b = *cursor.at;
    if (b == '[' || b == ']') {
        ++cursor.at;
        if (b == '[') {
            lexer.place = LexerPlace::TagName;
            return false;
        }
        FinishTagPair(lexer, item);
        return true;
    }
    if (lexer.inNag && !HasClass(b, kClassDigit)) lexer.inNag = false;
    if (lexer.inNag) {
        ++cursor.at;
        return false;
    }
    if (b == '0') {
        const int32_t at = Offset(lexer, cursor.at);
        const int32_t castling = ZeroCastlingLength(reinterpret_cast<const char*>(lexer.base),
                                                    Offset(lexer, cursor.end), at);
        if (castling > 0) {
            cursor.at += castling;
            item.kind = PgnItemKind::MoveToken;
            item.token = {at, castling};
            return true;
        }
    }
    if (HasClass(b, kClassMoveStart)) {
        const unsigned char* const start = cursor.at;
        SkipWhile(cursor, kClassMoveChar);
        item.kind = PgnItemKind::MoveToken;
        item.token = {Offset(lexer, start), static_cast<int32_t>(cursor.at - start)};
        return true;
    }
    ++cursor.at;
    if (!OpenCommentOrVariation(lexer, b) && b == '$') lexer.inNag = true;
    return false;
}

}  // namespace

PgnLexer LexerOver(const CharString& gameText) {
    return LexerOver(gameText.chars(), gameText.length());
}

PgnLexer LexerOver(const char* bytes, int32_t count) {
    PgnLexer lexer{};
    lexer.base = reinterpret_cast<const unsigned char*>(bytes);
    lexer.cursor = {lexer.base, lexer.base + count};
    return lexer;
}

int32_t ZeroCastlingLength(const char* bytes, int32_t count, int32_t at) {
    auto byteAt = [&](int32_t i) -> unsigned char {
        return i >= 0 && i < count ? static_cast<unsigned char>(bytes[i]) : 0;
    };
    auto matches = [&](const char* form, int32_t length) {
        for (int32_t i = 0; i < length; ++i)
            if (byteAt(at + i) != static_cast<unsigned char>(form[i])) return false;
        const unsigned char next = byteAt(at + length);
        return next != '-' && !HasClass(next, kClassDigit);
    };
    const unsigned char before = byteAt(at - 1);
    if (before == '-' || HasClass(before, kClassDigit)) return 0;
    if (matches("0-0-0", 5)) return 5;
    if (matches("0-0", 3)) return 3;
    return 0;
}

namespace {

// The next item from any state, one byte of interest at a time.
bool NextItemInAnyState(PgnLexer& lexer, PgnItem& item) {
    ByteCursor& cursor = lexer.cursor;
    while (!AtEnd(cursor)) {
        if (lexer.place == LexerPlace::TagName || lexer.place == LexerPlace::TagValue) {
            if (ReadTagBytes(lexer, item)) return true;
        } else if (lexer.place == LexerPlace::BraceComment) {
            const unsigned char* const from = cursor.at;
            const bool closed = SkipToWanted(cursor, {'}', '}', '}'});
            const TokenSpan text = {Offset(lexer, from), static_cast<int32_t>(cursor.at - from)};
            if (closed) ++cursor.at;
            lexer.place = LexerPlace::MoveText;
            if (lexer.variationDepth == 0) {
                item.kind = PgnItemKind::Comment;
                item.token = text;
                return true;
            }
        } else if (lexer.place == LexerPlace::LineComment) {
            // A rest-of-line comment ends with its line, whichever line end the file uses.
            if (SkipUntil(cursor, kClassLineEnd)) ++cursor.at;
            lexer.place = LexerPlace::MoveText;
        } else if (lexer.variationDepth != 0) {
            if (ReadVariationBytes(lexer, item)) return true;
        } else {
            if (ReadMainLineByte(lexer, item)) return true;
        }
    }
    return false;
}

// A tag pair with no [ inside, "[Name Value]", read whole from its [ as the full state machine
// reads it; false, with nothing read, for any other, which the state machine then reads from the
// same [.
bool ReadPlainTagPair(PgnLexer& lexer, PgnItem& item) {
    ByteCursor cursor = {lexer.cursor.at + 1, lexer.cursor.end};
    const unsigned char* const nameStart = cursor.at;
    if (!SkipToWanted(cursor, {'[', ']', ' '}) || *cursor.at == '[') return false;
    const unsigned char* const nameEnd = cursor.at;
    const unsigned char* valueStart = cursor.at;
    if (*cursor.at == ' ') {
        valueStart = ++cursor.at;
        if (!SkipToWantedInLongRun(cursor, {'[', ']', ']'}) || *cursor.at == '[') return false;
    }
    item.kind = PgnItemKind::TagPair;
    item.tagName = RunOf(nameStart, nameEnd);
    item.tagValue = RunOf(valueStart, cursor.at);
    lexer.cursor.at = cursor.at + 1;
    return true;
}

}  // namespace

bool NextPgnItemInFull(PgnLexer& lexer, PgnItem& item) {
    if (InMainLine(lexer) && !AtEnd(lexer.cursor) && *lexer.cursor.at == '[' &&
        ReadPlainTagPair(lexer, item))
        return true;
    return NextItemInAnyState(lexer, item);
}
