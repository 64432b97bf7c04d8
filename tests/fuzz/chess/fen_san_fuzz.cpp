// Arbitrary bytes: the first line is a FEN text, the rest SAN tokens separated by spaces and
// line breaks. The tokens are decoded from that position, then again from the initial one.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "chess/fen_setup.h"
#include "chess/game_state.h"
#include "chess/san_move.h"

namespace {

GameState& State() {
    static const std::unique_ptr<GameState> state = std::make_unique<GameState>();
    return *state;
}

bool IsSeparator(uint8_t byte) {
    return byte == ' ' || byte == '\n' || byte == '\r';
}

// Decodes tokens while they are accepted and the move list has room, as the PGN reader does,
// then replays every position of the game the way playback does.
void DecodeTokens(GameState& state, const uint8_t* data, size_t size) {
    size_t i = 0;
    while (i < size && state.ply < kMaxPlies) {
        while (i < size && IsSeparator(data[i]))
            ++i;
        const size_t start = i;
        while (i < size && !IsSeparator(data[i]))
            ++i;
        if (start == i) break;
        const CharString token(reinterpret_cast<const char*>(data + start),
                               static_cast<int32_t>(i - start));
        if (!InterpretSanMove(state, token)) break;
    }
    state.moveCount = state.ply + 1;
    for (int32_t n = 0; n < state.moveCount; ++n)
        ReplayPlies(state, n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t lineEnd = 0;
    while (lineEnd < size && data[lineEnd] != '\n')
        ++lineEnd;
    const size_t restStart = lineEnd < size ? lineEnd + 1 : size;
    const CharString fen(reinterpret_cast<const char*>(data), static_cast<int32_t>(lineEnd));

    GameState& state = State();
    ResetGame(state, false);
    SetupFromFen(state, fen);
    DecodeTokens(state, data + restStart, size - restStart);

    ResetGame(state, false);
    DecodeTokens(state, data + restStart, size - restStart);
    return 0;
}
