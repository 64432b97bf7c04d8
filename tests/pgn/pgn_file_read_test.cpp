// The file reader shared by the saver and quorvane-pgn, and the game stream of quorvane-pgn
// check, over a scripted byte source.

#include "pgn/pgn_file_read.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pgn/pgn_game_stream.h"
#include "pgn_test_support.h"

namespace {

// A file of the given bytes handed out at most chunk bytes per read; failAt makes the read
// that would go past that many bytes fail.
struct ScriptedFile {
    std::string bytes;
    size_t chunk = 4096;
    size_t failAt = std::string::npos;
    size_t position = 0;
    int reads = 0;
};

bool ReadScripted(void* handle, char* into, int32_t wanted, int32_t& got) {
    auto& file = *static_cast<ScriptedFile*>(handle);
    ++file.reads;
    size_t count =
        std::min({static_cast<size_t>(wanted), file.chunk, file.bytes.size() - file.position});
    if (file.failAt != std::string::npos && file.position + count > file.failAt) {
        got = 0;
        return false;
    }
    std::copy_n(file.bytes.data() + file.position, count, into);
    file.position += count;
    got = static_cast<int32_t>(count);
    return true;
}

PgnFileResult Read(ScriptedFile& file, uint64_t claimedSize, CharString& text) {
    return ReadPgnText(PgnByteSource{&file, ReadScripted}, claimedSize, text);
}

TEST(ReadPgnText, TakesTheBytesReadUpToTheFirstZero) {
    struct Case {
        const char* name;
        std::string bytes;
        uint64_t claimed;
        size_t chunk;
        std::string expected;
    };
    const std::string game = "[White \"A\"]\r\n1. e4 *\r\n";
    const std::vector<Case> cases = {
        {"whole file in one read", game, game.size(), 4096, game},
        {"a byte per read", game, game.size(), 1, game},
        {"an empty file", "", 0, 4096, ""},
        {"a claimed size past the end", game, 1000, 7, game},
        {"a claimed size short of the end", game, 5, 4096, game.substr(0, 5)},
        {"a zero byte ends the text", std::string("1. e4\0 e5", 9), 9, 4096, "1. e4"},
        {"bytes above 127 as they are", "\xe9\xfc\x80", 3, 4096, "\xe9\xfc\x80"},
    };
    for (const Case& c : cases) {
        ScriptedFile file{c.bytes, c.chunk};
        CharString text("before");
        EXPECT_EQ(Read(file, c.claimed, text), PgnFileResult::Read) << c.name;
        EXPECT_EQ(Str(text), c.expected) << c.name;
    }
}

TEST(ReadPgnText, NeverReadsMoreThanTheLongestText) {
    ScriptedFile file{std::string(CharString::kMaxStringLength + 100, 'a'), 1 << 20};
    CharString text;
    ASSERT_EQ(Read(file, 0xFFFFFFFFFFull, text), PgnFileResult::Read);
    EXPECT_EQ(text.length(), CharString::kMaxStringLength);
    EXPECT_EQ(file.position, static_cast<size_t>(CharString::kMaxStringLength));
}

TEST(ReadPgnText, AReadErrorKeepsTheBytesBeforeIt) {
    ScriptedFile file{"1. e4 e5 2. Nf3 Nc6", 4, 10};
    CharString text;
    EXPECT_EQ(Read(file, 19, text), PgnFileResult::ReadFailed);
    EXPECT_EQ(Str(text), "1. e4 e5");
}

TEST(ReadPgnText, StopsReadingAtTheFirstZeroByte) {
    // The read after the one that brings the zero byte would fail: it must never come.
    ScriptedFile file{std::string("1. e4\0 e5 2. Nf3", 16), 4, 8};
    CharString text;
    EXPECT_EQ(Read(file, 16, text), PgnFileResult::Read);
    EXPECT_EQ(Str(text), "1. e4");
    EXPECT_EQ(file.reads, 2);
}

TEST(ReadPgnText, StopsAtTheFirstEmptyRead) {
    ScriptedFile file{"1. e4", 2};
    CharString text;
    EXPECT_EQ(Read(file, 1 << 20, text), PgnFileResult::Read);
    EXPECT_EQ(Str(text), "1. e4");
    EXPECT_EQ(file.reads, 4);  // 2 + 2 + 1 bytes, then the read that finds the end
}

// The games of the text ReadPgnText makes of the file, each as its bytes.
std::vector<std::string> WholeTextGames(ScriptedFile file, uint64_t claimedSize) {
    CharString text;
    EXPECT_EQ(Read(file, claimedSize, text), PgnFileResult::Read);
    return GamesOf(text);
}

std::vector<std::string> StreamedGames(ScriptedFile& file, uint64_t claimedSize, int32_t slice,
                                       PgnFileResult& result) {
    GameStream stream = StartGameStream(PgnByteSource{&file, ReadScripted}, claimedSize, slice);
    std::vector<std::string> games;
    GameSpan span{};
    while (NextStreamGame(stream, span))
        games.push_back(Str(stream.window.mid(span.start, span.length)));
    result = stream.result;
    return games;
}

TEST(GameStream, GivesTheGamesOfTheWholeTextInAnyWindow) {
    const std::string game = "[Event \"E\"]\n[White \"W\"]\n\n1. e4 {a [ comment} e5 2. Nf3 *\n\n";
    const std::string longGame =
        "[Event \"L\"]\n1. e4 {" + std::string(300, 'x') + "[" + std::string(300, 'y') + "} e5\n";
    const struct {
        const char* name;
        std::string bytes;
        uint64_t claimed;
    } cases[] = {
        {"games in a row", game + game + game, 1 << 20},
        {"words before the first game", "notes\n" + game + game, 1 << 20},
        {"a game longer than the window", game + longGame + game, 1 << 20},
        {"a tag section with no moves after the last game", game + "[Event \"X\"]\n", 1 << 20},
        {"no game", "just words, no tags", 1 << 20},
        {"a zero byte ends the text", game + game + std::string(1, '\0') + game, 1 << 20},
        {"the size claimed ends the text", game + game + game, game.size() + 20},
    };
    for (const auto& c : cases) {
        for (const int32_t slice : {1, 7, 64, 1 << 20}) {
            for (const size_t chunk : {size_t{1}, size_t{5}, size_t{4096}}) {
                ScriptedFile file{c.bytes, chunk};
                PgnFileResult result{};
                EXPECT_EQ(StreamedGames(file, c.claimed, slice, result),
                          WholeTextGames(ScriptedFile{c.bytes, chunk}, c.claimed))
                    << c.name << ", slice " << slice << ", chunk " << chunk;
                EXPECT_EQ(result, PgnFileResult::Read) << c.name;
            }
        }
    }
}

TEST(GameStream, AReadErrorEndsItAfterTheGamesBeforeIt) {
    const std::string game = "[Event \"E\"]\n1. e4 e5 *\n";
    ScriptedFile file{game + game + game, 4, game.size() + 10};
    PgnFileResult result{};
    const std::vector<std::string> games = StreamedGames(file, 1 << 20, 8, result);
    EXPECT_EQ(result, PgnFileResult::ReadFailed);
    EXPECT_EQ(games, std::vector<std::string>{game});
}

TEST(GameStream, RealFilesInSmallWindows) {
    if (SharedPgnFolder().empty()) GTEST_SKIP() << "no shared PGN folder";
    for (const char* folder : {"python-chess", "chess-library-tests", "chess.js"}) {
        for (const std::filesystem::path& path : PgnFilesIn(folder)) {
            const CharString text = ReadPgnText(path);
            const std::string bytes(text.chars(), static_cast<size_t>(text.length()));
            ScriptedFile file{bytes, 4096};
            PgnFileResult result{};
            EXPECT_EQ(StreamedGames(file, bytes.size(), 1000, result),
                      WholeTextGames(ScriptedFile{bytes}, bytes.size()))
                << path;
        }
    }
}

}  // namespace
