#pragma once
// The letters of the piece kinds, as SAN writes them and FEN writes White's pieces (Black's in
// lower case): one table for every reader and writer of moves and positions.

#include <array>
#include <cstdint>

#include "chess/game_state.h"

// Indexed by piece kind; kEmpty has no letter of its own.
constexpr std::array<char, 7> kPieceLetters = {'?', 'P', 'N', 'B', 'R', 'Q', 'K'};

// The same table turned round: the kind of each byte as a capital piece letter, else kEmpty.
constexpr std::array<int8_t, 256> MakeKindsOfLetters() {
    std::array<int8_t, 256> kinds{};
    for (int32_t kind = kPawn; kind <= kKing; ++kind)
        kinds[static_cast<unsigned char>(kPieceLetters[static_cast<size_t>(kind)])] =
            static_cast<int8_t>(kind);
    return kinds;
}
inline constexpr std::array<int8_t, 256> kKindsOfLetters = MakeKindsOfLetters();

// The kind a capital piece letter names; kEmpty for any other character.
constexpr int32_t KindOfLetter(unsigned char letter) {
    return kKindsOfLetters[letter];
}

// The letter of the kind in the colour's case, as FEN places it.
constexpr char FenLetterOf(int32_t kind, int32_t colour) {
    const char letter = kPieceLetters[static_cast<size_t>(kind)];
    return colour == kWhite ? letter : static_cast<char>(letter - 'A' + 'a');
}
