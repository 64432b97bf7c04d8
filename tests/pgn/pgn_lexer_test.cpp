#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pgn/pgn_cursor.h"
#include "pgn/pgn_lexer.h"
#include "pgn/pgn_reader.h"
#include "pgn_test_support.h"

namespace {

using Tokens = std::vector<std::string>;

struct TokenCase {
    const char* name;
    std::string moveText;
    Tokens tokens;
};

TEST(PgnLexer, CollectsTheMainLineTokens) {
    const std::vector<TokenCase> cases = {
        {"comments, variations and glyphs are passed over",
         "1. e4 {best by test} e5 2. Nf3 (2. f4 exf4) Nc6 $1 3. Bb5 a6 1-0",
         {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"}},
        {"move numbers without spaces", "1.e4 e5 2.Nf3", {"e4", "e5", "Nf3"}},
        {"a rest-of-line comment ends at CR LF",
         "1. e4 e5 ; a comment\r\n2. Nf3",
         {"e4", "e5", "Nf3"}},
        {"a rest-of-line comment ends at an LF alone",
         "1. e4 e5 ; a comment\n2. Nf3",
         {"e4", "e5", "Nf3"}},
        {"a rest-of-line comment ends at a CR alone",
         "1. e4 e5 ; a comment\r2. Nf3",
         {"e4", "e5", "Nf3"}},
        {"check, mate and annotation marks end a token",
         "Nf3+ Qh7# e4! Nf3?! d4!! c4??",
         {"Nf3", "Qh7", "e4", "Nf3", "d4", "c4"}},
        {"the game results yield nothing", "1-0 0-1 1/2-1/2 * e4", {"e4"}},
        {"castling with the letter O", "O-O O-O-O OO", {"O-O", "O-O-O", "OO"}},
        {"a lower-case promotion letter does not continue a token", "e8=q", {"e8="}},
        {"promotions and captures", "exd8=Q+ bxa1=N Rxe1", {"exd8=Q", "bxa1=N", "Rxe1"}},
        {"the digit 0 does not continue a token", "Nf30", {"Nf3"}},
        {"a token at the very end of the text is complete", "1. e4", {"e4"}},
        {"nested variations", "e4 (d4 (c4 c5) Nf3 (g3)) e5", {"e4", "e5"}},
        {"a ) inside a brace comment in a variation", "e4 ( d4 { ) } c4 ) e5", {"e4", "e5"}},
        {"a rest-of-line comment in a variation", "e4 ( d4 ; )\n c4 ) e5", {"e4", "e5"}},
        {"brackets of a variation inside a main-line comment",
         "e4 { ( } e5 { ) } Nf3",
         {"e4", "e5", "Nf3"}},
        {"a ( inside a rest-of-line comment", "e4 ; (\r\ne5", {"e4", "e5"}},
        {"a glyph's digits run on; any other byte ends it",
         "e4 $12 e5 $3Nf3 $",
         {"e4", "e5", "Nf3"}},
        {"a stray ) stops collection", "e4 e5 ) Nf3 Nc6", {"e4", "e5"}},
        {"a ( after a stray ) brings the depth back to 0", "e4 ) ( e5", {"e4", "e5"}},
        {"glued moves stay one token", "1.e4e5", {"e4e5"}},
        {"bytes above 0x7F end a token", "e4\xC2\xB1 Nf3\xE2\x80\xBC", {"e4", "Nf3"}},
    };
    for (const TokenCase& c : cases)
        EXPECT_EQ(TokensOf(c.moveText), c.tokens) << c.name;
}

// A tag pair read in a million runs (each [ inside the value sends the bytes after it back to the
// name) gathers every run; one that copied what it had per run would not finish.
TEST(PgnLexer, GathersATagPairOfAMillionRuns) {
    constexpr size_t kRuns = 1000000;
    std::string text = "[";
    for (size_t i = 0; i < kRuns; ++i)
        text += "a b[";
    text += "]";
    const std::vector<TagText> tags = TagsOf(text);
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].name, std::string(kRuns, 'a'));
    EXPECT_EQ(tags[0].value, std::string(kRuns, 'b'));
}

// Castling written with zeros is a token like the letter form; results and numbers are not.
TEST(PgnLexer, ReadsCastlingWrittenWithZeros) {
    const std::vector<TokenCase> cases = {
        {"both sides", "4. 0-0 Nf6 5. 0-0-0", {"0-0", "Nf6", "0-0-0"}},
        {"check, mate and annotation marks after it",
         "0-0+ 0-0-0# 0-0! 0-0-0?! 0-0+!",
         {"0-0", "0-0-0", "0-0", "0-0-0", "0-0"}},
        {"glued to the move number", "12.0-0 12...0-0-0", {"0-0", "0-0-0"}},
        {"at the very end of the text", "1. e4 e5 2. 0-0", {"e4", "e5", "0-0"}},
        {"results stay results", "1-0 0-1 1/2-1/2 1-0", {}},
        {"a result after castling", "0-0 1-0", {"0-0"}},
        {"a digit before it makes a number", "10-0 20-0-0", {}},
        {"a digit or - after it makes something else", "0-01 0-0-01 0-0-", {}},
        {"in a comment, a variation or a glyph", "{0-0} (0-0) $10-0 ;0-0\ne4", {"e4"}},
        {"the letter forms are unchanged", "O-O 0-0 O-O-O", {"O-O", "0-0", "O-O-O"}},
    };
    for (const TokenCase& c : cases)
        EXPECT_EQ(TokensOf(c.moveText), c.tokens) << c.name;
}

// Opening a comment, a variation, a glyph or a tag pair ends a token in progress, so that the
// text around it cannot glue two moves into one refused token.
TEST(PgnLexer, OpeningAnythingEndsATokenInProgress) {
    const std::vector<TokenCase> cases = {
        {"brace comment", "e4{x}e5", {"e4", "e5"}},
        {"rest-of-line comment", "e4;x\ne5", {"e4", "e5"}},
        {"variation", "e4(d4)e5", {"e4", "e5"}},
        {"glyph", "e4$1e5", {"e4", "e5"}},
        {"glyph before a space", "e4$1 e5", {"e4", "e5"}},
        {"tag pair", "e4[White \"x\"]e5", {"e4", "e5"}},
        {"stray ]", "e4]e5", {"e4", "e5"}},
    };
    for (const TokenCase& c : cases)
        EXPECT_EQ(TokensOf(c.moveText), c.tokens) << c.name;
}

struct TagCase {
    const char* name;
    std::string text;
    std::vector<TagText> tags;
    Tokens tokens;
};

TEST(PgnLexer, ReadsTagPairsRaw) {
    const std::vector<TagCase> cases = {
        {"name and quoted value", "[Event \"Open\"]\n1. e4", {{"Event", "\"Open\""}}, {"e4"}},
        {"two spaces before the value", "[Event  \"Open\"]", {{"Event", " \"Open\""}}, {}},
        {"a space before the ]", "[Site \"X\" ]", {{"Site", "\"X\" "}}, {}},
        {"a name alone", "[Event][White \"w\"]", {{"Event", ""}, {"White", "\"w\""}}, {}},
        {"a ] in the value ends the pair; the rest is move text",
         "[Event \"a]b\"] 1. e4",
         {{"Event", "\"a"}, {"", ""}},
         {"b", "e4"}},
        {"a [ in the value sends what follows to the name",
         "[Event \"a[b c\"]",
         {{"Eventb", "\"ac\""}},
         {}},
        {"a pair read in pieces, then one read whole",
         "[Event \"a[b c\"][White \"w\"]",
         {{"Eventb", "\"ac\""}, {"White", "\"w\""}},
         {}},
        {"comment and glyph bytes in a value are text",
         "[Event \"a;{b}$1(\"] e4",
         {{"Event", "\"a;{b}$1(\""}},
         {"e4"}},
        {"line ends inside a value are kept", "[Event \"a\r\nb\"]", {{"Event", "\"a\r\nb\""}}, {}},
        {"an unclosed tag pair at the end is dropped",
         "[Event \"A\"] e4 [White \"x",
         {{"Event", "\"A\""}},
         {"e4"}},
        {"a [ inside a comment opens nothing",
         "{ [Event \"A\"] } ; [White \"B\"]\r\ne4",
         {},
         {"e4"}},
        {"a tag pair inside a variation is still read",
         "e4 ( [Black \"b\"] d4 ) e5",
         {{"Black", "\"b\""}},
         {"e4", "e5"}},
    };
    for (const TagCase& c : cases) {
        EXPECT_EQ(TagsOf(c.text), c.tags) << c.name;
        EXPECT_EQ(TokensOf(c.text), c.tokens) << c.name;
    }
}

TEST(PgnLexer, TokenSpansPointIntoTheGameText) {
    const CharString text("[Event \"A\"]\n1. e4 {c} Nf3");
    PgnLexer lexer = LexerOver(text);
    PgnItem item{};
    std::vector<std::pair<int32_t, int32_t>> spans;
    while (NextPgnItem(lexer, item))
        if (item.kind == PgnItemKind::MoveToken)
            spans.emplace_back(item.token.start, item.token.length);
    EXPECT_EQ(spans, (std::vector<std::pair<int32_t, int32_t>>{{15, 2}, {22, 3}}));
    EXPECT_EQ(LexerPosition(lexer), text.length());
}

// Brace comments of the main line come as items, for the clocks in them; those inside
// variations, and rest-of-line comments, do not.
TEST(PgnLexer, GivesTheMainLinesBraceComments) {
    const std::string text = "{a} 1. e4 {b}(1. d4 {c} ({d})) e5 ;{e}\r\n{f} Nf3 {g";
    const CharString bytes = Bytes(text);
    PgnLexer lexer = LexerOver(bytes);
    PgnItem item{};
    std::vector<std::string> comments;
    while (NextPgnItem(lexer, item))
        if (item.kind == PgnItemKind::Comment)
            comments.push_back(text.substr(static_cast<size_t>(item.token.start),
                                           static_cast<size_t>(item.token.length)));
    EXPECT_EQ(comments, (std::vector<std::string>{"a", "b", "f", "g"}));
}

// Tag values and brace comments are searched in blocks of 16 and 64 bytes: every length around
// those sizes ends exactly at its ] or }, and one left open runs to the end of the text.
TEST(PgnLexer, LongValuesAndCommentsEndAtTheirClosingByte) {
    for (size_t length = 1; length <= 140; ++length) {
        const std::string value(length, 'v');
        const std::string comment(length, 'c');
        const std::string text = "[Event \"" + value + "\"] {" + comment + "} e4 {" + comment;
        const CharString bytes = Bytes(text);
        PgnLexer lexer = LexerOver(bytes);
        PgnItem item{};
        std::vector<std::string> items;
        while (NextPgnItem(lexer, item)) {
            const std::string token = text.substr(static_cast<size_t>(item.token.start),
                                                  static_cast<size_t>(item.token.length));
            items.push_back(item.kind == PgnItemKind::TagPair ? std::string(item.tagValue) : token);
        }
        EXPECT_EQ(items, (std::vector<std::string>{'"' + value + '"', comment, "e4", comment}))
            << "length " << length;
    }
}

// Exactly these bytes begin a move token, and exactly these continue one ('0' does neither: a
// castling token is letters O).
TEST(PgnByteClasses, MatchTheMoveCharacterSets) {
    const std::string starts = "abcdefghNBRQKO";
    const std::string continues = "abcdefghNBRQKO123456789-x=";
    for (int b = 1; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const bool start = starts.find(static_cast<char>(b)) != std::string::npos;
        const bool more = continues.find(static_cast<char>(b)) != std::string::npos;
        EXPECT_EQ(HasClass(byte, kClassMoveStart), start) << "byte " << b;
        EXPECT_EQ(HasClass(byte, kClassMoveChar), more) << "byte " << b;
    }
    EXPECT_FALSE(HasClass(0, kClassMoveStart | kClassMoveChar));
}

}  // namespace
