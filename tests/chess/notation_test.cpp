#include "chess/notation.h"

#include <gtest/gtest.h>

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
    for (const int ch : {'p', 'n', 'k', 'O', 'x', '?', '1', ' ', 0, 0xC9})
        EXPECT_EQ(KindOfLetter(static_cast<unsigned char>(ch)), kEmpty) << ch;
}

}  // namespace
