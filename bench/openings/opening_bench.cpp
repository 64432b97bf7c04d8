// Times, in processor time, what naming openings costs: the table's one-time build at first use,
// and reading every game of a file with its openings named against reading it with the openings
// left to the games' own Opening tags. The file's Opening tags are renamed for the first, so that
// every game is keyed and classified as a game without one is. Also counts how often the name
// found agrees with the game's ECO tag.
// Usage: opening_bench FILE [ROUNDS]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "bench/processor_time.h"
#include "pgn/opening_table.h"
#include "pgn/pgn_reader.h"

namespace {

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The text with every Opening tag renamed, so that the reader names the openings itself.
std::string WithoutOpeningTags(std::string text) {
    for (size_t at = text.find("[Opening "); at != std::string::npos;
         at = text.find("[Opening ", at))
        text.replace(at, 9, "[Openin_ ");
    return text;
}

struct Reading {
    int32_t games = 0;
    int32_t named = 0;      // games whose final position has a name
    int32_t ecoTagged = 0;  // of those, games with an ECO tag
    int32_t ecoAgrees = 0;  // of those, games whose name has the tag's ECO code
};

Reading ReadEveryGame(GameState& state, GameInfo& info, const CharString& text) {
    Reading reading;
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    while (NextGameSpan(cursor, span)) {
        ParseGame(state, info, text.chars() + span.start, span.length);
        ++reading.games;
        const GameFacts& facts = info.facts;
        if (facts.opening[0] != 0) continue;
        const int16_t index = facts.openingByPly[static_cast<size_t>(facts.plyCount)];
        if (index == kNoOpening) continue;
        ++reading.named;
        if (facts.eco[0] == 0) continue;
        ++reading.ecoTagged;
        if (OpeningAt(index).eco == std::string(facts.eco)) ++reading.ecoAgrees;
    }
    return reading;
}

// The best of the rounds' processor times of one call; each round makes kPasses calls, so that a
// file of a hundred games takes long enough to time.
constexpr int kPasses = 50;

template <typename Call>
double BestSeconds(int rounds, Call&& call) {
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        const double start = ProcessorSeconds();
        for (int pass = 0; pass < kPasses; ++pass)
            call();
        best = std::min(best, ProcessorSeconds() - start);
    }
    return best / kPasses;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: opening_bench FILE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string original = ReadFile(argv[1]);
    const std::string renamed = WithoutOpeningTags(original);
    const CharString tagged(original.data(), static_cast<int32_t>(original.size()));
    const CharString untagged(renamed.data(), static_cast<int32_t>(renamed.size()));

    const double start = ProcessorSeconds();
    const OpeningTableSummary summary = SummarizeOpeningTable();
    const double buildSeconds = ProcessorSeconds() - start;
    std::printf("table: %d lines, %d positions, %d unplayable; built in %.2f ms\n", summary.lines,
                summary.positions, summary.unplayable, buildSeconds * 1000);

    auto state = std::make_unique<GameState>();
    auto info = std::make_unique<GameInfo>();
    Reading withTags;
    Reading classified;
    const double taggedSeconds =
        BestSeconds(rounds, [&] { withTags = ReadEveryGame(*state, *info, tagged); });
    const double classifiedSeconds =
        BestSeconds(rounds, [&] { classified = ReadEveryGame(*state, *info, untagged); });
    if (classified.games == 0) {
        std::fprintf(stderr, "opening_bench: no game in %s\n", argv[1]);
        return 1;
    }
    const double perGame = 1e6 / classified.games;
    std::printf("read with the Opening tags: %d games, %.1f us a game\n", withTags.games,
                taggedSeconds * perGame);
    std::printf("read and classified:        %d games, %.1f us a game (%.1f us more)\n",
                classified.games, classifiedSeconds * perGame,
                (classifiedSeconds - taggedSeconds) * perGame);
    std::printf("named at the end: %d of %d games; ECO code as the ECO tag's: %d of %d\n",
                classified.named, classified.games, classified.ecoAgrees, classified.ecoTagged);
    return 0;
}
