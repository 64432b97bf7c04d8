#include "pgn/pgn_reader.h"

#include <array>
#include <cstring>
#include <string>

#include "chess/fen_setup.h"
#include "chess/san_move.h"
#include "text/utf8_text.h"

const CharString kMoveStartChars("abcdefghNBRQKO");
const CharString kMoveChars("abcdefghNBRQKO123456789-x=");

namespace {

// A collected token and where the text before it began, for diagnostics.
struct TokenSlot {
    TokenSpan span;
    int32_t after;
};

// A run of bytes of a tag's text.
struct ByteRun {
    const char* bytes;
    int32_t count;
};

// Copies value into a fixed field, cut to the field's longest value; a UTF-8 value loses whole
// characters only, so the field never ends in half a character.
template <size_t width>
void StoreCut(char (&field)[width], ByteRun value) {
    const auto count = static_cast<size_t>(
        Utf8CutLength(value.bytes, value.count, static_cast<int32_t>(width - 1)));
    std::memcpy(field, value.bytes, count);
    field[count] = 0;
}

// Surrounding double quotes come off values longer than two bytes, each end on its own; a value
// of two bytes or fewer (such as "") is kept whole, and nothing is trimmed.
ByteRun Unquoted(const std::string& value) {
    const auto length = static_cast<int32_t>(value.size());
    if (length <= 2) return {value.data(), length};
    const int32_t from = value.front() == '"' ? 1 : 0;
    const int32_t to = value.back() == '"' ? length - 1 : length;
    return {value.data() + from, to - from};
}

// The name less its surrounding spaces, in ASCII upper case, into key; returns its length, or -1
// when it is longer than any name looked for. Folded once per tag: every game has several.
int32_t FoldedName(const std::string& name, char (&key)[5]) {
    size_t from = 0;
    size_t to = name.size();
    while (from < to && name[from] == ' ')
        ++from;
    while (to > from && name[to - 1] == ' ')
        --to;
    if (to - from > 5) return -1;
    for (size_t i = from; i < to; ++i) {
        auto ch = static_cast<unsigned char>(name[i]);
        if (ch >= 'a' && ch <= 'z') ch = static_cast<unsigned char>(ch - 0x20);
        key[i - from] = static_cast<char>(ch);
    }
    return static_cast<int32_t>(to - from);
}

// Tag names match without regard to ASCII case; tags other than these are ignored.
void StoreTag(GameInfo& info, std::string& fen, const std::string& name, const std::string& value) {
    char key[5];
    const int32_t length = FoldedName(name, key);
    const auto is = [&](const char* wanted) {
        return length == static_cast<int32_t>(std::strlen(wanted)) &&
               std::memcmp(key, wanted, static_cast<size_t>(length)) == 0;
    };
    if (length < 3) return;
    const ByteRun text = Unquoted(value);
    if (is("WHITE")) {
        StoreCut(info.white, text);
    } else if (is("BLACK")) {
        StoreCut(info.black, text);
    } else if (is("DATE")) {
        StoreCut(info.date, text);
    } else if (is("EVENT")) {
        StoreCut(info.event, text);
    } else if (is("SITE")) {
        StoreCut(info.site, text);
    } else if (is("FEN")) {
        fen.assign(text.bytes, static_cast<size_t>(text.count));
    }
}

// A FEN value of nothing but blanks (also "" or " ", whose quotes stay on) names no position:
// the game starts from the standard one.
bool IsBlankFen(const std::string& fen) {
    size_t from = 0;
    size_t to = fen.size();
    if (from < to && fen[from] == '"') ++from;
    if (to > from && fen[to - 1] == '"') --to;
    for (size_t i = from; i < to; ++i)
        if (fen[i] != ' ' && fen[i] != '\t') return false;
    return true;
}

// Castling written with zeros goes to the interpreter as the letter form it stands for.
bool Interpret(GameState& state, const char* bytes, int32_t count) {
    if (count > 0 && bytes[0] == '0')
        return InterpretSanMove(state, count == 5 ? "O-O-O" : "O-O", count == 5 ? 5 : 3);
    return InterpretSanMove(state, bytes, count);
}

}  // namespace

ParseOutcome ParseGame(GameState& state, GameInfo& info, const CharString& gameText) {
    return ParseGame(state, info, gameText.chars(), gameText.length());
}

ParseOutcome ParseGame(GameState& state, GameInfo& info, const char* gameBytes, int32_t count) {
    ResetGame(state, false);
    ParseOutcome outcome{};
    std::array<TokenSlot, kMaxPlies> slots;
    std::string fen;  // most games have none: nothing to allocate for them
    PgnLexer lexer = LexerOver(gameBytes, count);
    PgnItem item{};
    int32_t itemEnd = 0;
    while (NextPgnItem(lexer, item)) {
        if (item.kind == PgnItemKind::TagPair) {
            StoreTag(info, fen, item.tagName, item.tagValue);
        } else if (outcome.tokensFound < kMaxPlies) {
            slots[static_cast<size_t>(outcome.tokensFound++)] = {item.token, itemEnd};
        } else {
            ++outcome.surplusTokens;
        }
        itemEnd = LexerPosition(lexer);
    }
    if (info.white[0] == 0) StoreCut(info.white, ByteRun{"Player 1", 8});
    if (info.black[0] == 0) StoreCut(info.black, ByteRun{"Player 2", 8});
    // Set up only now, so the order of the tags does not matter and the last FEN tag counts.
    if (!IsBlankFen(fen))
        SetupFromFen(state, CharString(fen.data(), static_cast<int32_t>(fen.size())));
    for (int32_t i = 0; i < outcome.tokensFound; ++i) {
        const TokenSlot& slot = slots[static_cast<size_t>(i)];
        if (!Interpret(state, gameBytes + slot.span.start, slot.span.length)) {
            outcome.refused = slot.span;
            outcome.refusedAfter = slot.after;
            break;
        }
    }
    outcome.pliesDecoded = state.ply;
    return outcome;
}

void LoadCurrentGame(GameState& state, GameInfo& info, int32_t& currentGameNumber,
                     const CharString& pgnText) {
    // The game is read where it lies in the file's text: no copy of it, nor of game 0.
    GameTextCursor cursor = FirstGameOf(pgnText);
    GameSpan game0{};
    if (!NextGameSpan(cursor, game0)) {
        ResetGame(state, false);
        return;
    }
    GameSpan game = game0;
    bool found = currentGameNumber == 0;
    for (int32_t n = 1; n <= currentGameNumber && NextGameSpan(cursor, game); ++n)
        found = n == currentGameNumber;
    if (!found) {
        game = game0;
        currentGameNumber = 0;
    }
    ParseGame(state, info, pgnText.chars() + game.start, game.length);
    state.moveCount = state.ply + 1;
    ResetGame(state, state.hasStartPosition != 0);
}
