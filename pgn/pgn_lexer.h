#pragma once
// Reading one game's text into what it holds for the reader: finished tag pairs and the move
// tokens of the main line, in order of appearance. Nothing here decides what a tag or a token
// means; ParseGame does.
//
// Tag pairs: [ opens one outside comments, the bytes up to the first space are its name, the
// rest up to ] its value; brackets act as brackets even inside quotes. Move text: brace comments,
// rest-of-line comments (to CR or LF), variations in parentheses at any depth and numeric
// annotation glyphs ($ and its digits) are passed over. A move token is a run of bytes of
// kMoveChars that begins with a byte of kMoveStartChars at variation depth 0; any other byte,
// and also the opening of a comment, variation, glyph or tag pair, ends it. Castling written
// with zeros, 0-0 or 0-0-0 with neither a digit nor - on either side, is a token
// of its own (check and annotation marks after it are passed over as after any token); results
// such as 1-0, 0-1 and 1/2-1/2 never match it. A brace comment of the main line is an item too,
// so that the reader can take a clock from it; comments inside variations are not.

#include <cstdint>
#include <string>
#include <string_view>

#include "pgn/pgn_cursor.h"
#include "text/char_string.h"

// Where a move token stands in the game text.
struct TokenSpan {
    int32_t start;
    int32_t length;
};

enum class PgnItemKind { TagPair, MoveToken, Comment };

struct PgnItem {
    PgnItemKind kind;
    // TagPair only, valid until the next item is read: views of the text itself, or of the
    // storage below when a name or value came in pieces (a [ inside a value).
    std::string_view tagName;
    std::string_view tagValue;
    TokenSpan token;  // MoveToken: the token; Comment: the text between the braces
    std::string tagNamePieces;
    std::string tagValuePieces;
};

// A tag's name or value under construction: nearly always one run of the text, viewed where it
// lies; only a second run makes it a string of its own.
struct TagField {
    std::string_view text;
    std::string pieces;  // the joined runs, once there are two
};

// Where the lexer stands: in move text (the main line or a variation, by the depth), or inside a
// tag pair or a comment, which never nest in one another.
enum class LexerPlace : uint8_t { MoveText, TagName, TagValue, BraceComment, LineComment };

// Working state of one game read; a stray ) may leave variationDepth below 0, where no token is
// collected until a ( brings it back.
struct PgnLexer {
    const unsigned char* base;  // the game text's first byte; token offsets count from it
    ByteCursor cursor;
    // The pair under construction; a name or value may come in many runs (a [ inside a value
    // starts the name again).
    TagField tagName;
    TagField tagValue;
    LexerPlace place;
    bool inNag;  // in the digits of a glyph; a tag pair met there leaves it so
    int32_t variationDepth;
};

// A lexer at the first byte of gameText, which must outlive it.
PgnLexer LexerOver(const CharString& gameText);

// The same over count bytes of a larger text, such as one game's stretch of a whole file.
PgnLexer LexerOver(const char* bytes, int32_t count);

// The bytes the main line stops at, outside a glyph.
constexpr uint32_t kMainLineStops = kClassTagOpen | kClassTagClose | kClassBraceOpen |
                                    kClassSemicolon | kClassVariation | kClassDollar |
                                    kClassMoveStart | kClassZero;

// In the main line's move text, outside a glyph: where a move token may begin at the next byte
// of interest.
inline bool InMainLine(const PgnLexer& lexer) {
    return lexer.place == LexerPlace::MoveText && !lexer.inNag && lexer.variationDepth == 0;
}

// NextPgnItem for every item but a main-line move token with nothing but blanks and move numbers
// before it.
bool NextPgnItemInFull(PgnLexer& lexer, PgnItem& item);

// The next item; false at the end of the text. A tag pair still open at the end is dropped; a
// token still in progress at the end is complete. Most items are main-line move tokens with only
// blanks and move numbers before them: they are read here, inline in the reader's loop.
inline bool NextPgnItem(PgnLexer& lexer, PgnItem& item) {
    ByteCursor& cursor = lexer.cursor;
    if (InMainLine(lexer) && SkipUntil(cursor, kMainLineStops) &&
        HasClass(*cursor.at, kClassMoveStart)) {
        const unsigned char* const start = cursor.at;
        SkipWhile(cursor, kClassMoveChar);
        item.kind = PgnItemKind::MoveToken;
        item.token = {static_cast<int32_t>(start - lexer.base),
                      static_cast<int32_t>(cursor.at - start)};
        return true;
    }
    return NextPgnItemInFull(lexer, item);
}

// Length of castling written with zeros at offset at of the count bytes (5 for 0-0-0, 3 for
// 0-0), or 0 when none begins there.
int32_t ZeroCastlingLength(const char* bytes, int32_t count, int32_t at);

// Offset of the lexer's next byte in the game text.
inline int32_t LexerPosition(const PgnLexer& lexer) {
    return static_cast<int32_t>(lexer.cursor.at - lexer.base);
}
