// The movement model and the SAN interpreter against the reference rules on the same input:
// arbitrary bytes read as in fen_san_fuzz (a FEN line, then SAN tokens), with the high bits of
// the first byte forced into the castling rights, so that rights without their rook or king are
// tried too. Every position reached is compared in full, every token decoded both ways; the
// first difference aborts with a description.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "chess/fen_setup.h"
#include "chess/game_state.h"
#include "chess/san_move.h"
#include "tests/chess/movement_comparison.h"
#include "tests/chess/san_reference.h"

namespace {

GameState& State() {
    static const std::unique_ptr<GameState> state = std::make_unique<GameState>();
    return *state;
}

bool IsSeparator(uint8_t byte) {
    return byte == ' ' || byte == '\n' || byte == '\r';
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "movement differs from the reference: %s\n", what.c_str());
    std::abort();
}

void CompareGame(GameState& state, const uint8_t* data, size_t size) {
    size_t i = 0;
    while (state.ply < kMaxPlies) {
        // The side the interpreter will take from the ply, so the comparison sees its position.
        state.sideToMove = SideForPly(state);
        const std::string movement = CompareMovement(state, true);
        if (!movement.empty()) Fail(movement);
        while (i < size && IsSeparator(data[i]))
            ++i;
        const size_t start = i;
        while (i < size && !IsSeparator(data[i]))
            ++i;
        if (start == i) break;
        const CharString token(reinterpret_cast<const char*>(data + start),
                               static_cast<int32_t>(i - start));
        const SanComparison decoders = CompareSanDecoders(state, token);
        if (!decoders.difference.empty()) Fail(decoders.difference);
        if (!InterpretSanMove(state, token)) break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint32_t forcedRights = data[0] & kCastlingRights;
    size_t lineEnd = 0;
    while (lineEnd < size && data[lineEnd] != '\n')
        ++lineEnd;
    const size_t restStart = lineEnd < size ? lineEnd + 1 : size;
    const CharString fen(reinterpret_cast<const char*>(data), static_cast<int32_t>(lineEnd));

    GameState& state = State();
    ResetGame(state, false);
    SetupFromFen(state, fen);
    state.flags |= forcedRights;
    CompareGame(state, data + restStart, size - restStart);
    return 0;
}
