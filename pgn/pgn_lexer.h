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
// and also the opening of a comment, variation, glyph or tag pair, ends it.

#include <cstdint>

#include "pgn/pgn_cursor.h"
#include "text/char_string.h"

// Where a move token stands in the game text.
struct TokenSpan {
    int32_t start;
    int32_t length;
};

enum class PgnItemKind { TagPair, MoveToken };

struct PgnItem {
    PgnItemKind kind;
    CharString tagName;   // TagPair only
    CharString tagValue;  // TagPair only
    TokenSpan token;      // MoveToken only
};

// Working state of one game read; a stray ) may leave variationDepth below 0, where no token is
// collected until a ( brings it back.
struct PgnLexer {
    const CharString* text;
    ByteCursor cursor;
    CharString tagName;
    CharString tagValue;
    bool inTagName;
    bool inTagValue;
    bool inBraceComment;
    bool inLineComment;
    bool inNag;
    int32_t variationDepth;
};

// A lexer at the first byte of gameText, which must outlive it.
PgnLexer LexerOver(const CharString& gameText);

// The next item; false at the end of the text. A tag pair still open at the end is dropped; a
// token still in progress at the end is complete.
bool NextPgnItem(PgnLexer& lexer, PgnItem& item);

// Offset of the lexer's next byte in the game text.
int32_t LexerPosition(const PgnLexer& lexer);
