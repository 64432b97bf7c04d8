// The game scanner, which crosses runs in 16- and 64-byte blocks, against the byte-at-a-time
// scanner it replaced: the same spans on real files, on tag sections of every layout at every
// offset from a block boundary and cut at every length, and on random texts of the bytes that
// steer the scan.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "pgn_test_support.h"
#include "reference_game_scanner.h"

namespace {

std::vector<std::pair<int32_t, int32_t>> Pairs(const std::vector<GameSpan>& spans) {
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (const GameSpan& span : spans)
        pairs.emplace_back(span.start, span.length);
    return pairs;
}

std::vector<GameSpan> ScannedSpans(const CharString& text) {
    std::vector<GameSpan> spans;
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    while (NextGameSpan(cursor, span))
        spans.push_back(span);
    return spans;
}

// Compares both scanners on text; returns the number of games so callers can check coverage.
size_t ExpectSameGames(const std::string& text, const std::string& what) {
    const CharString bytes = Bytes(text);
    const std::vector<GameSpan> expected = reference::GameSpansOf(bytes);
    EXPECT_EQ(Pairs(ScannedSpans(bytes)), Pairs(expected)) << what << ": " << text;
    return expected.size();
}

TEST(GameScanner, FindsTheReferenceGamesInEveryRealFile) {
    const std::filesystem::path folder = SharedPgnFolder();
    if (folder.empty()) GTEST_SKIP() << "no shared PGN folder";
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.path().extension() != ".pgn") continue;
        const CharString text = ReadPgnText(entry.path());
        ASSERT_EQ(Pairs(ScannedSpans(text)), Pairs(reference::GameSpansOf(text))) << entry.path();
        ++files;
    }
    EXPECT_GT(files, 50);
}

// Tag sections that keep or break the line-by-line layout the block skip relies on.
const std::vector<std::string>& SectionShapes() {
    static const std::vector<std::string> shapes = {
        "[Event \"A\"]\n[Site \"B\"]\n\n1. e4 e5 *\n\n",
        "[Event \"A\"]\r\n[Site \"B\"]\r\n\r\n1. d4 {x [y] ;z} d5 *\r\n",
        "[Event \"a [b\"]\n[Site \"c ] d\"]\n1. Nf3 *\n",
        "[Event \"A\"] [Site \"B\"]\n e4\n",
        "[Event \"A\"]\n]\n[Site \"B\"]\n\n1-0\n",
        "[Event \"A\"]\n{ 1. e4 }\n[Site \"B\"]\n; c4\n1. c4 *\n",
        "[Event \"" + std::string(150, 'x') + "\"]\n[Site \"B\"]\n1. e4 *\n",
        "[A][B][C][D][E][F][G][H][I][J][K][L][M][N][O][P][Q][R][S][T][U]\nh3\n",
        "[Event \"A\"]\n[Site \"B\"]\n*\n[Event \"C\"]\n\n",
        "[Event \"A\"]\n[Site \"B\"\n1. e4 [Event \"C\"]\n",
    };
    return shapes;
}

TEST(GameScanner, MatchesTheReferenceAtEveryOffsetAndCut) {
    size_t games = 0;
    for (const std::string& shape : SectionShapes()) {
        const std::string repeated = shape + shape + shape;
        for (size_t pad = 0; pad < 70; ++pad) {
            const std::string text = std::string(pad, pad % 2 == 0 ? ' ' : '\n') + repeated;
            games += ExpectSameGames(text, "pad " + std::to_string(pad));
            for (size_t cut = 1; cut < 20 && cut < text.size(); ++cut)
                ExpectSameGames(text.substr(0, text.size() - cut), "cut " + std::to_string(cut));
        }
    }
    EXPECT_GT(games, 1000u);
}

TEST(GameScanner, MatchesTheReferenceOnRandomTexts) {
    // Mostly the bytes that steer the scan, with enough filler to make runs of every length.
    const std::string alphabet = "[[[]]]{};\r\n\n\n  \"\"xxxxxxxxxe1N0O*";
    std::mt19937 random(12345);
    size_t games = 0;
    for (int round = 0; round < 20000; ++round) {
        const size_t length = random() % 400;
        std::string text;
        for (size_t i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        games += ExpectSameGames(text, "round " + std::to_string(round));
    }
    EXPECT_GT(games, 10000u);
}

}  // namespace
