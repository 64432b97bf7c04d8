// The named openings: every line of the table plays, and a game is named by the deepest named
// position it reaches, whatever the move order.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "pgn/opening_table.h"
#include "pgn/pgn_reader.h"
#include "pgn_test_support.h"

namespace {

std::string NameOf(int16_t index) {
    if (index == kNoOpening) return "-";
    const NamedOpening opening = OpeningAt(index);
    std::string name = std::string(opening.eco) + " " + std::string(opening.family);
    if (!opening.variation.empty()) name += ": " + std::string(opening.variation);
    return name;
}

// The name reached by each position of the game, from the start.
std::vector<std::string> NamesByPly(const std::string& moveText) {
    auto state = std::make_unique<GameState>();
    auto info = std::make_unique<GameInfo>();
    ParseGame(*state, *info, Bytes("[Event \"E\"] " + moveText));
    std::vector<std::string> names;
    for (int32_t ply = 0; ply <= info->facts.plyCount; ++ply)
        names.push_back(NameOf(info->facts.openingByPly[static_cast<size_t>(ply)]));
    return names;
}

TEST(OpeningTable, PlaysEveryNamedLine) {
    const OpeningTableSummary summary = SummarizeOpeningTable();
    EXPECT_EQ(summary.lines, 3807);
    EXPECT_EQ(summary.unplayable, 0);
    // Each named line reaches a position of its own: the keys tell them all apart.
    EXPECT_EQ(summary.positions, summary.lines);
}

TEST(OpeningTable, NameGrowsWithThePlyAndStaysOutOfTheBook) {
    const std::string petrov = "C42 Petrov's Defense";
    const std::string classical = "C42 Petrov's Defense: Classical Attack";
    EXPECT_EQ(NamesByPly("1. e4 e5 2. Nf3 Nf6 3. Nxe5 d6 4. Nf3 Nxe4 5. d4 a5 6. a4"),
              (std::vector<std::string>{"-", "B00 King's Pawn Game", "C20 King's Pawn Game",
                                        "C40 King's Knight Opening", petrov, petrov, petrov, petrov,
                                        petrov, classical, classical, classical}));
}

TEST(OpeningTable, TranspositionsGetTheSameName) {
    const std::vector<std::string> main = NamesByPly("1. e4 e5 2. Nf3 Nc6 3. Bb5 a6");
    const std::vector<std::string> other = NamesByPly("1. Nf3 Nc6 2. e4 e5 3. Bb5 a6");
    EXPECT_EQ(main.back(), "C70 Ruy Lopez: Morphy Defense");
    EXPECT_EQ(other.back(), main.back());
    // Before the orders meet, each has a name of its own.
    EXPECT_NE(other[2], main[2]);
}

TEST(OpeningTable, ClassifiesFromAFenStart) {
    EXPECT_EQ(NamesByPly("[FEN \"rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2\"] "
                         "2. Nf3 Nf6")
                  .back(),
              "C42 Petrov's Defense");
}

}  // namespace
