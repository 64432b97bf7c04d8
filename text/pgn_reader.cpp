#include "text/pgn_reader.h"

#include <array>
#include <cstring>

#include "chess/fen_setup.h"
#include "chess/san_move.h"

const CharString kMoveStartChars("abcdefghNBRQKO");
const CharString kMoveChars("abcdefghNBRQKO123456789-x=");

namespace {

// A collected token and where the text before it began, for diagnostics.
struct TokenSlot {
    TokenSpan span;
    int32_t after;
};

// Copies value into a fixed field, cut to the field's longest value.
template <size_t width>
void StoreCut(char (&field)[width], const CharString& value) {
    const size_t count = value.length() < static_cast<int32_t>(width - 1)
                             ? static_cast<size_t>(value.length())
                             : width - 1;
    std::memcpy(field, value.chars(), count);
    field[count] = 0;
}

// Surrounding double quotes come off values longer than two bytes, each end on its own; a value
// of two bytes or fewer (such as "") is kept whole, and nothing is trimmed.
CharString Unquoted(const CharString& value) {
    if (value.length() <= 2) return value;
    const int32_t from = value.at(0) == '"' ? 1 : 0;
    const int32_t to = value.at(value.length() - 1) == '"' ? value.length() - 1 : value.length();
    return value.mid(from, to - from);
}

// Tag names match without regard to ASCII case; tags other than these are ignored.
void StoreTag(GameInfo& info, CharString& fen, const CharString& name, const CharString& value) {
    const CharString key = name.upper().trimmed();
    const CharString text = Unquoted(value);
    if (key.equals("WHITE")) {
        StoreCut(info.white, text);
    } else if (key.equals("BLACK")) {
        StoreCut(info.black, text);
    } else if (key.equals("DATE")) {
        StoreCut(info.date, text);
    } else if (key.equals("EVENT")) {
        StoreCut(info.event, text);
    } else if (key.equals("SITE")) {
        StoreCut(info.site, text);
    } else if (key.equals("FEN")) {
        fen = text;
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
    if (info.white[0] == 0) StoreCut(info.white, CharString("Player 1"));
    if (info.black[0] == 0) StoreCut(info.black, CharString("Player 2"));
    // Set up only now, so the order of the tags does not matter and the last FEN tag counts.
    if (!fen.empty()) SetupFromFen(state, fen);
    for (int32_t i = 0; i < outcome.tokensFound; ++i) {
        const TokenSlot& slot = slots[static_cast<size_t>(i)];
        if (!InterpretSanMove(state, gameText.mid(slot.span.start, slot.span.length))) {
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
