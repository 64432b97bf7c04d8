#include "pgn/pgn_reader.h"

#include <array>
#include <cstring>

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
ByteRun Unquoted(const CharString& value) {
    const int32_t length = value.length();
    if (length <= 2) return {value.chars(), length};
    const int32_t from = value.at(0) == '"' ? 1 : 0;
    const int32_t to = value.at(length - 1) == '"' ? length - 1 : length;
    return {value.chars() + from, to - from};
}

// Whether the name, less its surrounding spaces and read without regard to ASCII case, is key
// (upper case). Compared in place: every game has several tags.
bool NameIs(const CharString& name, const char* key) {
    int32_t from = 0;
    int32_t to = name.length();
    while (from < to && name.at(from) == ' ')
        ++from;
    while (to > from && name.at(to - 1) == ' ')
        --to;
    const auto keyLength = static_cast<int32_t>(std::strlen(key));
    if (to - from != keyLength) return false;
    for (int32_t i = 0; i < keyLength; ++i) {
        unsigned char ch = name.at(from + i);
        if (ch >= 'a' && ch <= 'z') ch = static_cast<unsigned char>(ch - 0x20);
        if (ch != static_cast<unsigned char>(key[i])) return false;
    }
    return true;
}

// Tag names match without regard to ASCII case; tags other than these are ignored.
void StoreTag(GameInfo& info, CharString& fen, const CharString& name, const CharString& value) {
    const ByteRun text = Unquoted(value);
    if (NameIs(name, "WHITE")) {
        StoreCut(info.white, text);
    } else if (NameIs(name, "BLACK")) {
        StoreCut(info.black, text);
    } else if (NameIs(name, "DATE")) {
        StoreCut(info.date, text);
    } else if (NameIs(name, "EVENT")) {
        StoreCut(info.event, text);
    } else if (NameIs(name, "SITE")) {
        StoreCut(info.site, text);
    } else if (NameIs(name, "FEN")) {
        fen = CharString(text.bytes, text.count);
    }
}

}  // namespace

ParseOutcome ParseGame(GameState& state, GameInfo& info, const CharString& gameText) {
    ResetGame(state, false);
    ParseOutcome outcome{};
    std::array<TokenSlot, kMaxPlies> slots;
    CharString fen;
    PgnLexer lexer = LexerOver(gameText);
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
    if (!fen.empty()) SetupFromFen(state, fen);
    for (int32_t i = 0; i < outcome.tokensFound; ++i) {
        const TokenSlot& slot = slots[static_cast<size_t>(i)];
        if (!InterpretSanMove(state, gameText.chars() + slot.span.start, slot.span.length)) {
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
    const CharString game0 = ExtractGameText(pgnText, 0);
    if (game0.empty()) {
        ResetGame(state, false);
        return;
    }
    CharString game = ExtractGameText(pgnText, currentGameNumber);
    if (game.empty()) {
        game = game0;
        currentGameNumber = 0;
    }
    ParseGame(state, info, game);
    state.moveCount = state.ply + 1;
    ResetGame(state, state.hasStartPosition != 0);
}
