#include "pgn/pgn_reader.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "chess/fen_setup.h"
#include "chess/position_end.h"
#include "chess/position_key.h"
#include "chess/san_move.h"
#include "pgn/opening_table.h"
#include "pgn/pgn_clock.h"
#include "text/utf8_text.h"

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
ByteRun Unquoted(std::string_view value) {
    const auto length = static_cast<int32_t>(value.size());
    if (length <= 2) return {value.data(), length};
    const int32_t from = value.front() == '"' ? 1 : 0;
    const int32_t to = value.back() == '"' ? length - 1 : length;
    return {value.data() + from, to - from};
}

// Where a tag's value goes: one of the classic fields, the FEN text, or the game's facts.
enum class TagTarget { White, Black, Date, Event, Site, Fen, Fact };

struct KnownTag {
    std::string_view name;  // in upper case
    TagTarget target;
    FactTag fact;  // for TagTarget::Fact
};

// Sorted by the length of the name, so that a name is compared only with those of its length.
constexpr KnownTag kKnownTags[] = {
    {"FEN", TagTarget::Fen, {}},  // first, for FindTag's search of it alone
    {"ECO", TagTarget::Fact, FactTag::Eco},
    {"DATE", TagTarget::Date, {}},
    {"SITE", TagTarget::Site, {}},
    {"WHITE", TagTarget::White, {}},
    {"BLACK", TagTarget::Black, {}},
    {"EVENT", TagTarget::Event, {}},
    {"RESULT", TagTarget::Fact, FactTag::Result},
    {"OPENING", TagTarget::Fact, FactTag::Opening},
    {"WHITEELO", TagTarget::Fact, FactTag::WhiteElo},
    {"BLACKELO", TagTarget::Fact, FactTag::BlackElo},
    {"VARIATION", TagTarget::Fact, FactTag::Variation},
    {"WHITETITLE", TagTarget::Fact, FactTag::WhiteTitle},
    {"BLACKTITLE", TagTarget::Fact, FactTag::BlackTitle},
    {"TERMINATION", TagTarget::Fact, FactTag::Termination},
};
constexpr size_t kKnownTagCount = sizeof(kKnownTags) / sizeof(kKnownTags[0]);
constexpr size_t kLongestTagName = 11;

// For each name length, the first entry of kKnownTags of that length or longer.
struct TagsByLength {
    std::array<size_t, kLongestTagName + 2> first;
};

constexpr TagsByLength MakeTagsByLength() {
    TagsByLength index{};
    size_t entry = 0;
    for (size_t length = 0; length < index.first.size(); ++length) {
        while (entry < kKnownTagCount && kKnownTags[entry].name.size() < length)
            ++entry;
        index.first[length] = entry;
    }
    return index;
}

constexpr TagsByLength kTagsByLength = MakeTagsByLength();

// Whether the bytes are the upper-case name, ignoring the case of ASCII letters.
bool EqualsFolded(const char* bytes, std::string_view upper) {
    for (size_t i = 0; i < upper.size(); ++i) {
        auto ch = static_cast<unsigned char>(bytes[i]);
        if (ch >= 'a' && ch <= 'z') ch = static_cast<unsigned char>(ch - 0x20);
        if (ch != static_cast<unsigned char>(upper[i])) return false;
    }
    return true;
}

std::string_view WithoutSurroundingSpaces(std::string_view name) {
    size_t from = 0;
    size_t to = name.size();
    while (from < to && name[from] == ' ')
        ++from;
    while (to > from && name[to - 1] == ' ')
        --to;
    return name.substr(from, to - from);
}

// The tag of the name, less its surrounding spaces: among all the known tags, or only the FEN
// tag. Every game has many tags: each is compared only with the known names of its length.
const KnownTag* FindTag(std::string_view name, bool fenOnly) {
    const std::string_view bare = WithoutSurroundingSpaces(name);
    const size_t length = bare.size();
    if (length > kLongestTagName) return nullptr;
    const KnownTag& fen = kKnownTags[0];
    if (fenOnly)
        return length == fen.name.size() && EqualsFolded(bare.data(), fen.name) ? &fen : nullptr;
    for (size_t entry = kTagsByLength.first[length]; entry < kTagsByLength.first[length + 1];
         ++entry) {
        if (EqualsFolded(bare.data(), kKnownTags[entry].name)) return &kKnownTags[entry];
    }
    return nullptr;
}

// Tag names match without regard to ASCII case; tags other than the known ones are ignored, and
// so are all but the FEN tag when only the moves are wanted.
void StoreTag(GameInfo& info, std::string& fen, std::string_view name, std::string_view value,
              bool allFacts) {
    const KnownTag* tag = FindTag(name, !allFacts);
    if (tag == nullptr) return;
    if (tag->target == TagTarget::Fact) {
        StoreFactTag(info.facts, tag->fact, value.data(), static_cast<int32_t>(value.size()));
        return;
    }
    const ByteRun text = Unquoted(value);
    switch (tag->target) {
        case TagTarget::White:
            return StoreCut(info.white, text);
        case TagTarget::Black:
            return StoreCut(info.black, text);
        case TagTarget::Date:
            return StoreCut(info.date, text);
        case TagTarget::Event:
            return StoreCut(info.event, text);
        case TagTarget::Site:
            return StoreCut(info.site, text);
        case TagTarget::Fen:
            fen.assign(text.bytes, static_cast<size_t>(text.count));
            return;
        case TagTarget::Fact:
            return;
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

// The check or mate mark among the annotation marks from at on (Rxe6!+, Qh7?!#), or 0.
char MarkAfterAnnotation(const char* gameBytes, int32_t count, int32_t at) {
    char mark = 0;
    for (const int32_t last = at + 3; at < count && at < last; ++at) {
        const char ch = gameBytes[at];
        if (ch != '+' && ch != '#' && ch != '!' && ch != '?') break;
        if (ch == '#' || (ch == '+' && mark == 0)) mark = ch;
    }
    return mark;
}

// The move as the screen shows it: the token as written with a + or # that follows it, also
// past annotation marks (Rxe6!+); cut to the field.
void StoreSan(char (&san)[kSanBytes], const char* gameBytes, int32_t count, TokenSpan token) {
    constexpr int32_t kRoom = kSanBytes - 2;  // a mark and the terminator
    const char* const bytes = gameBytes + token.start;
    const int32_t end = token.start + token.length;
    const int32_t length = token.length < kRoom ? token.length : kRoom;
    char next = 0;
    // Every ply passes here: where the text goes on, a copy of fixed size (a load and a store;
    // the terminator cuts off what follows the move) and a look at the byte after it.
    if (token.start + kRoom < count && end < count) {
        std::memcpy(san, bytes, kRoom);
        next = gameBytes[end];
    } else {
        for (int32_t i = 0; i < length; ++i)
            san[i] = bytes[i];
        next = end < count ? gameBytes[end] : 0;
    }
    if (next == '!' || next == '?') next = MarkAfterAnnotation(gameBytes, count, end + 1);
    san[length] = next;
    san[length + (next == '+' || next == '#' ? 1 : 0)] = 0;
}

// A clock from a comment after a main-line move goes with that move; the first one counts.
void NoteClock(GameFacts& facts, const ParseOutcome& outcome, const char* bytes, int32_t count) {
    if (outcome.tokensFound == 0 || outcome.surplusTokens > 0) return;
    MoveFacts& move = facts.moves[static_cast<size_t>(outcome.tokensFound - 1)];
    if (move.clockTenths != kNoClock) return;
    ClockReading clock{};
    if (!ReadClockComment(bytes, count, clock)) return;
    move.clockTenths = clock.tenths;
    move.clockHasTenths = clock.hasTenths;
}

// The facts known once the moves are decoded: the game's length and end, and the openings its
// positions reach (unless an Opening tag names it).
void FinishFacts(GameFacts& facts, const GameState& state, const ParseOutcome& outcome,
                 bool allFacts) {
    facts.plyCount = state.ply;
    facts.complete = outcome.refused.length == 0 && outcome.surplusTokens == 0;
    if (!allFacts) return;
    facts.ending = facts.complete ? EndOfPosition(state) : PositionEnd::NotOver;
    if (facts.opening[0] == 0)
        ClassifyPositions(facts.keys.data(), facts.plyCount + 1, facts.openingByPly.data());
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

ParseOutcome ParseGame(GameState& state, GameInfo& info, const char* gameBytes, int32_t count,
                       GameFactsWanted wanted) {
    const bool allFacts = wanted == GameFactsWanted::All;
    ResetGame(state, false);
    GameFacts& facts = info.facts;
    ClearGameFacts(facts);
    ParseOutcome outcome{};
    std::array<TokenSlot, kMaxPlies> slots;
    std::string fen;  // most games have none: nothing to allocate for them
    PgnLexer lexer = LexerOver(gameBytes, count);
    PgnItem item{};
    int32_t itemEnd = 0;
    while (NextPgnItem(lexer, item)) {
        if (item.kind == PgnItemKind::Comment) {
            // Not an item for the diagnostics: the text before a refused token spans comments.
            if (allFacts)
                NoteClock(facts, outcome, gameBytes + item.token.start, item.token.length);
            continue;
        }
        if (item.kind == PgnItemKind::TagPair) {
            StoreTag(info, fen, item.tagName, item.tagValue, allFacts);
        } else if (outcome.tokensFound < kMaxPlies) {
            if (allFacts)
                facts.moves[static_cast<size_t>(outcome.tokensFound)].clockTenths = kNoClock;
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
    facts.startSide = SideForPly(state);
    facts.firstMoveNumber = state.fullmoveNumber > 0 ? state.fullmoveNumber : 1;
    // One key per position, each from the one before and the move between them, for naming the
    // opening; a game whose Opening tag names it needs none.
    const bool classify = allFacts && facts.opening[0] == 0;
    PositionKey placement = classify ? PlacementKeyOf(state) : 0;
    if (classify) facts.keys[0] = placement ^ EnPassantKeyOf(state);
    for (int32_t i = 0; i < outcome.tokensFound; ++i) {
        const TokenSlot& slot = slots[static_cast<size_t>(i)];
        if (!Interpret(state, gameBytes + slot.span.start, slot.span.length)) {
            outcome.refused = slot.span;
            outcome.refusedAfter = slot.after;
            break;
        }
        const auto ply = static_cast<size_t>(state.ply);
        if (classify) {
            placement = PlacementKeyAfter(placement, state.moves[ply - 1], state.flags);
            facts.keys[ply] = placement ^ EnPassantKeyOf(state);
        }
        if (allFacts) StoreSan(facts.moves[ply - 1].san, gameBytes, count, slot.span);
    }
    outcome.pliesDecoded = state.ply;
    FinishFacts(facts, state, outcome, allFacts);
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
