#include "pgn/pgn_lexer.h"

#include <string>

#include "pgn/pgn_byte_search.h"

namespace {

int32_t Offset(const PgnLexer& lexer, const unsigned char* at) {
    return static_cast<int32_t>(at - lexer.base);
}

void AppendRun(TagField& field, const unsigned char* from, const unsigned char* to) {
    const std::string_view run(reinterpret_cast<const char*>(from), static_cast<size_t>(to - from));
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
    lexer.inTagName = false;
    lexer.inTagValue = false;
}

// Inside a tag pair: the name runs to the first space, the value to ]. A [ starts the name again
// without emptying what was read (so a [ inside a value sends the bytes after it to the name).
// True when a tag pair was finished into item.
bool ReadTagBytes(PgnLexer& lexer, PgnItem& item) {
    ByteCursor& cursor = lexer.cursor;
    const unsigned char* const from = cursor.at;
    // Values run for dozens of bytes: searched in blocks.
    const unsigned char nameEnd = lexer.inTagName ? ' ' : ']';
    SkipToWanted(cursor, {'[', ']', nameEnd});
    AppendRun(lexer.inTagName ? lexer.tagName : lexer.tagValue, from, cursor.at);
    if (AtEnd(cursor)) return false;
    const unsigned char b = *cursor.at++;
    if (b == '[') {
        lexer.inTagName = true;
    } else if (b == ']') {
        FinishTagPair(lexer, item);
        return true;
    } else {
        lexer.inTagName = false;
        lexer.inTagValue = true;
    }
    return false;
}

// A byte that opens a comment or moves the variation depth; false for any other byte.
bool OpenCommentOrVariation(PgnLexer& lexer, unsigned char b) {
    switch (b) {
        case '{':
            lexer.inBraceComment = true;
            return true;
        case ';':
            lexer.inLineComment = true;
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
            lexer.inTagName = true;
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

// The bytes the main line stops at, outside a glyph.
constexpr uint32_t kMainLineStops = kClassTagOpen | kClassTagClose | kClassBraceOpen |
                                    kClassSemicolon | kClassVariation | kClassDollar |
                                    kClassMoveStart | kClassZero;

// Main-line move text, one byte of interest at a time. True when an item was read.
bool ReadMainLineByte(PgnLexer& lexer, PgnItem& item) {
    ByteCursor& cursor = lexer.cursor;
    // Outside a glyph only these bytes change anything; inside one every byte matters.
    if (!lexer.inNag && !SkipUntil(cursor, kMainLineStops)) return false;
    const unsigned char b = *cursor.at;
    if (b == '[' || b == ']') {
        ++cursor.at;
        if (b == '[') {
            lexer.inTagName = true;
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

// Every state and byte: whatever NextPgnItem's quick look leaves. Kept out of line, so that the
// quick look needs none of its registers.
[[gnu::noinline]] bool NextItemInAnyState(PgnLexer& lexer, PgnItem& item) {
    ByteCursor& cursor = lexer.cursor;
    while (!AtEnd(cursor)) {
        if (lexer.inTagName || lexer.inTagValue) {
            if (ReadTagBytes(lexer, item)) return true;
        } else if (lexer.inBraceComment) {
            const unsigned char* const from = cursor.at;
            const bool closed = SkipToWanted(cursor, {'}', '}', '}'});
            const TokenSpan text = {Offset(lexer, from), static_cast<int32_t>(cursor.at - from)};
            if (closed) ++cursor.at;
            lexer.inBraceComment = false;
            if (lexer.variationDepth == 0) {
                item.kind = PgnItemKind::Comment;
                item.token = text;
                return true;
            }
        } else if (lexer.inLineComment) {
            // A rest-of-line comment ends with its line, whichever line end the file uses.
            if (SkipUntil(cursor, kClassLineEnd)) ++cursor.at;
            lexer.inLineComment = false;
        } else if (lexer.variationDepth != 0) {
            if (ReadVariationBytes(lexer, item)) return true;
        } else {
            if (ReadMainLineByte(lexer, item)) return true;
        }
    }
    return false;
}

}  // namespace

bool NextPgnItem(PgnLexer& lexer, PgnItem& item) {
    // Most items are main-line move tokens with nothing but blanks and move numbers before them:
    // read here, in a few instructions, without the states of comments, tags and variations.
    const bool mainLine = !lexer.inTagName && !lexer.inTagValue && !lexer.inBraceComment &&
                          !lexer.inLineComment && !lexer.inNag && lexer.variationDepth == 0;
    if (mainLine && SkipUntil(lexer.cursor, kMainLineStops) &&
        HasClass(*lexer.cursor.at, kClassMoveStart)) {
        ByteCursor& cursor = lexer.cursor;
        const unsigned char* const start = cursor.at;
        SkipWhile(cursor, kClassMoveChar);
        item.kind = PgnItemKind::MoveToken;
        item.token = {Offset(lexer, start), static_cast<int32_t>(cursor.at - start)};
        return true;
    }
    return NextItemInAnyState(lexer, item);
}
