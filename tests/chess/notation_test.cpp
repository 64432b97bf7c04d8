#include "chess/notation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Notation, LettersAndKindsRoundTrip) {
    for (int32_t kind = kPawn; kind <= kKing; ++kind) {
        const char letter = kPieceLetters[static_cast<size_t>(kind)];
        EXPECT_EQ(KindOfLetter(static_cast<unsigned char>(letter)), kind) << letter;
        EXPECT_EQ(FenLetterOf(kind, kWhite), letter);
        EXPECT_EQ(FenLetterOf(kind, kBlack), letter - 'A' + 'a');
    }
    EXPECT_EQ(std::string(kPieceLetters.begin() + 1, kPieceLetters.end()), "PNBRQK");
}

TEST(Notation, OtherCharactersNameNoKind) {
    const std::string others("pnkOx?1 \0\xC9", 10);
    for (const char ch : others) {
        const auto byte = static_cast<unsigned char>(ch);
        EXPECT_EQ(KindOfLetter(byte), kEmpty) << static_cast<int>(byte);
    }
}

}  // namespace
