// Fuzzes the PGN reader: game finding (the one-pass cursor against ExtractGameText and against the
// byte-at-a-time reference scanner), the lexer, ParseGame with the chess engine behind it, the
// game's facts (moves as written, clocks, position keys, openings), the diagnostics, and
// LoadCurrentGame; a read of the moves alone against the full one; the game stream, in small
// windows over a file read a few bytes at a time, against the games of the whole text.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "../../pgn/reference_game_scanner.h"
#include "chess/position_key.h"
#include "pgn/opening_table.h"
#include "pgn/pgn_cursor.h"
#include "pgn/pgn_fen_format.h"
#include "pgn/pgn_file_read.h"
#include "pgn/pgn_game_stream.h"
#include "pgn/pgn_reader.h"
#include "pgn/pgn_refusal.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool SameBytes(const CharString& a, const CharString& b) {
    return a.length() == b.length() &&
           std::memcmp(a.chars(), b.chars(), static_cast<size_t>(a.length())) == 0;
}

template <size_t width>
bool Terminated(const char (&field)[width]) {
    return std::memchr(field, 0, width) != nullptr;
}

void CheckTokens(const CharString& gameText) {
    PgnLexer lexer = LexerOver(gameText);
    PgnItem item{};
    while (NextPgnItem(lexer, item)) {
        if (item.kind != PgnItemKind::MoveToken) continue;
        const TokenSpan token = item.token;
        Require(token.start >= 0 && token.length > 0 &&
                token.start + token.length <= gameText.length());
        if (ZeroCastlingLength(gameText.chars(), gameText.length(), token.start) > 0) {
            Require(token.length == 3 || token.length == 5);
            continue;
        }
        Require(HasClass(gameText.at(token.start), kClassMoveStart));
        for (int32_t i = 1; i < token.length; ++i)
            Require(HasClass(gameText.at(token.start + i), kClassMoveChar));
    }
}

// The game's own facts agree with the decoding, and every position's key with the board.
void CheckFacts(GameState& state, const GameInfo& info, const ParseOutcome& outcome) {
    const GameFacts& facts = info.facts;
    Require(facts.plyCount == outcome.pliesDecoded);
    Require(facts.complete == (outcome.refused.length == 0 && outcome.surplusTokens == 0));
    Require(facts.complete || facts.ending == PositionEnd::NotOver);
    Require(Terminated(facts.white.title) && Terminated(facts.black.title) &&
            Terminated(facts.termination) && Terminated(facts.eco) && Terminated(facts.opening) &&
            Terminated(facts.variation));
    Require(facts.white.rating >= 0 && facts.black.rating >= 0);
    const int32_t openings = SummarizeOpeningTable().positions;
    ResetGame(state, state.hasStartPosition != 0);
    for (int32_t ply = 0; ply <= facts.plyCount; ++ply) {
        if (ply > 0) {
            const MoveFacts& move = facts.moves[static_cast<size_t>(ply - 1)];
            Require(Terminated(move.san) && move.san[0] != 0);
            Require(move.clockTenths >= kNoClock);
            // One step as ReplayPlies takes it.
            MoveRecord& record = state.moves[static_cast<size_t>(ply - 1)];
            ApplyMove(state, record, record.fromFile, record.fromRank, record.toFile, record.toRank,
                      record.placedKind);
            state.ply = ply;
            state.sideToMove = OtherColour(state.sideToMove);
        }
        if (facts.opening[0] == 0) {
            Require(facts.keys[static_cast<size_t>(ply)] == PositionKeyOf(state));
            const int16_t opening = facts.openingByPly[static_cast<size_t>(ply)];
            Require(opening >= kNoOpening && opening < openings);
        }
    }
}

// A read of the moves alone stops where the full read stops, in the same position.
void CheckMovesAlone(const GameState& full, const ParseOutcome& outcome,
                     const CharString& gameText) {
    static GameState* state = new GameState();
    static GameInfo* info = new GameInfo();
    const ParseOutcome alone =
        ParseGame(*state, *info, gameText.chars(), gameText.length(), GameFactsWanted::MovesOnly);
    Require(alone.tokensFound == outcome.tokensFound &&
            alone.surplusTokens == outcome.surplusTokens &&
            alone.pliesDecoded == outcome.pliesDecoded &&
            alone.refused.start == outcome.refused.start &&
            alone.refused.length == outcome.refused.length);
    Require(SameBytes(FormatFen(*state), FormatFen(full)));
}

void CheckGame(GameState& state, GameInfo& info, const CharString& gameText) {
    CheckTokens(gameText);
    const ParseOutcome outcome = ParseGame(state, info, gameText);
    Require(outcome.tokensFound >= 0 && outcome.tokensFound <= kMaxPlies);
    Require(outcome.pliesDecoded == state.ply && outcome.pliesDecoded <= outcome.tokensFound);
    Require(outcome.surplusTokens == 0 || outcome.tokensFound == kMaxPlies);
    Require((outcome.refused.length > 0) == (outcome.pliesDecoded < outcome.tokensFound));
    Require(outcome.refused.length == 0 ||
            (outcome.refusedAfter >= 0 && outcome.refusedAfter <= outcome.refused.start));
    Require(Terminated(info.white) && Terminated(info.black) && Terminated(info.date) &&
            Terminated(info.event) && Terminated(info.site));
    Require(info.white[0] != 0 && info.black[0] != 0);
    ClassifyStop(state, gameText, outcome);
    Require(FormatFen(state).length() > 0);
    CheckMovesAlone(state, outcome, gameText);
    CheckFacts(state, info, outcome);
}

// The input as a file handed out at most chunk bytes a read.
struct MemoryFile {
    const uint8_t* data;
    size_t size;
    size_t chunk;
    size_t position;
};

bool ReadMemory(void* handle, char* into, int32_t wanted, int32_t& got) {
    auto& file = *static_cast<MemoryFile*>(handle);
    size_t count = file.size - file.position;
    if (count > file.chunk) count = file.chunk;
    if (count > static_cast<size_t>(wanted)) count = static_cast<size_t>(wanted);
    if (count > 0) std::memcpy(into, file.data + file.position, count);
    file.position += count;
    got = static_cast<int32_t>(count);
    return true;
}

void CheckStream(const uint8_t* data, size_t size) {
    const size_t chunk = size > 2 ? 1 + data[2] % 64 : 1;
    const int32_t slice = size > 1 ? 1 + data[1] % 256 : 1;
    MemoryFile whole{data, size, chunk, 0};
    CharString text;
    Require(ReadPgnText(PgnByteSource{&whole, ReadMemory}, size, text) == PgnFileResult::Read);
    MemoryFile streamed{data, size, chunk, 0};
    GameStream stream = StartGameStream(PgnByteSource{&streamed, ReadMemory}, size, slice);
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan expected{};
    GameSpan span{};
    while (NextGameSpan(cursor, expected)) {
        Require(NextStreamGame(stream, span) && span.length == expected.length);
        Require(std::memcmp(stream.window.chars() + span.start, text.chars() + expected.start,
                            static_cast<size_t>(span.length)) == 0);
    }
    Require(!NextStreamGame(stream, span) && stream.result == PgnFileResult::Read);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Long inputs are welcome: every path is linear, and one test run grows inputs to a megabyte.
    if (size > 1 << 22) return 0;
    const CharString text(reinterpret_cast<const char*>(data), static_cast<int32_t>(size));
    static GameState* state = new GameState();
    static GameInfo* info = new GameInfo();

    const std::vector<GameSpan> expected = reference::GameSpansOf(text);
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    int32_t count = 0;
    int32_t previousEnd = -1;
    while (NextGameSpan(cursor, span)) {
        // Games follow one another without a gap and each begins with the [ of a tag pair.
        Require(span.start >= 0 && span.length > 0 && span.start + span.length <= text.length());
        Require(previousEnd < 0 || span.start == previousEnd);
        Require(text.at(span.start) == '[');
        Require(static_cast<size_t>(count) < expected.size() &&
                expected[static_cast<size_t>(count)].start == span.start &&
                expected[static_cast<size_t>(count)].length == span.length);
        previousEnd = span.start + span.length;
        const CharString game = text.mid(span.start, span.length);
        // Each lookup scans from the start: the first games are enough to hold them equal.
        if (count < 16) Require(SameBytes(game, ExtractGameText(text, count)));
        CheckGame(*state, *info, game);
        ++count;
    }
    Require(ExtractGameText(text, count).length() == 0);
    Require(static_cast<size_t>(count) == expected.size());

    int32_t number = size > 0 ? static_cast<int32_t>(data[0]) - 8 : 0;
    LoadCurrentGame(*state, *info, number, text);
    Require(count == 0 || (number >= 0 && number < count));
    Require(state->ply == 0 && (count == 0 || state->moveCount >= 1));
    CheckStream(data, size);
    return 0;
}
