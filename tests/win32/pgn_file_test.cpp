// Reading the PGN file: sharing, the 16 MiB bound, and the bytes actually read.

#include "win32/pgn_file.h"

#include <gtest/gtest.h>

#include <string>

#include "win32_test_support.h"

namespace {

PgnFileResult Read(const std::wstring& path, CharString& text) {
    return ReadPgnFile(path.c_str(), text);
}

TEST(PgnFile, MissingFileIsNotOpened) {
    TemporaryFolder folder;
    CharString text("before");
    EXPECT_EQ(Read(folder.File(L"absent.pgn"), text), PgnFileResult::NotOpened);
}

struct ContentCase {
    const char* name;
    std::string bytes;
    std::string expected;
};

TEST(PgnFile, TextIsTheFilesBytesUpToTheFirstZero) {
    const ContentCase cases[] = {
        {"empty file", "", ""},
        {"plain game", "[White \"A\"]\r\n1. e4 *\r\n", "[White \"A\"]\r\n1. e4 *\r\n"},
        {"bytes above 127 as they are", "\xe9\xfc\x80", "\xe9\xfc\x80"},
        {"zero byte ends the text", std::string("[A \"b\"]\n1. e4", 13) + '\0' + "[C \"d\"]",
         "[A \"b\"]\n1. e4"}};
    for (const ContentCase& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        WriteFileBytes(folder.File(L"games.pgn"), c.bytes);
        CharString text("before");
        ASSERT_EQ(Read(folder.File(L"games.pgn"), text), PgnFileResult::Read);
        EXPECT_EQ(std::string(text.chars(), static_cast<size_t>(text.length())), c.expected);
    }
}

TEST(PgnFile, AFileHeldOpenForWritingElsewhereIsStillRead) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"held.pgn");
    WriteFileBytes(path, "[Event \"held\"]\n1. d4 *\n");
    // The way an editor holds a file it has open: writing, others may read.
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    CharString text;
    EXPECT_EQ(Read(path, text), PgnFileResult::Read);
    EXPECT_TRUE(text.equals("[Event \"held\"]\n1. d4 *\n"));
    CloseHandle(holder);

    // A holder that shares nothing still keeps the file from the saver.
    holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Read(path, text), PgnFileResult::NotOpened);
    CloseHandle(holder);
}

TEST(PgnFile, ReadingStopsAt16MiB) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"huge.pgn");
    WriteFileBytes(path, std::string(16777216 + 100, 'a'));
    CharString text;
    ASSERT_EQ(Read(path, text), PgnFileResult::Read);
    EXPECT_EQ(text.length(), 16777216);
}

TEST(PgnFile, AFileOfFourGibibytesLessOneIsReadWithoutOverflow) {
    // Its size plus one is 0 in 32 bits: a buffer of size + 1 would hold nothing at all.
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"sparse.pgn");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "[Event \"big\"]", 13, &written, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = 0xFFFFFFFFLL;
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));  // the rest is a hole of zero bytes
    CloseHandle(file);
    CharString text;
    ASSERT_EQ(Read(path, text), PgnFileResult::Read);
    EXPECT_TRUE(text.equals("[Event \"big\"]"));
}

TEST(PgnFile, TextEndsWhereTheBytesReadEndWhateverTheSizeClaimed) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"short.pgn");
    WriteFileBytes(path, "1. e4 e5");
    const uint64_t claimed[] = {9, 1000, 0xFFFFFFFFull, 0x100000005ull};
    for (uint64_t size : claimed) {
        SCOPED_TRACE(size);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CharString text;
        EXPECT_EQ(ReadOpenPgnFile(file, size, text), PgnFileResult::Read);
        EXPECT_TRUE(text.equals("1. e4 e5")) << text.chars();
        CloseHandle(file);
    }
}

TEST(PgnFile, ClaimedSizeSmallerThanTheFileReadsOnlyThatMuch) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"grown.pgn");
    WriteFileBytes(path, "1. e4 e5 2. Nf3");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CharString text;
    EXPECT_EQ(ReadOpenPgnFile(file, 5, text), PgnFileResult::Read);
    EXPECT_TRUE(text.equals("1. e4"));
    CloseHandle(file);
}

}  // namespace
