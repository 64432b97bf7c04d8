#include "display/pgn_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kListing = {
    "b.pgn",  "A.PGN",  "a.pgn", "notes.txt", "games.pgn.bak",    ".pgn",
    "Z.Pgn",  "_c.pgn", "pgn",   "x.pgnx",    "\xC3\x84rger.pgn",  // Ärger
    "zug.pgn"};

TEST(PgnFolder, KeepsThePgnFilesOfAListingInNameOrder) {
    // Bytewise: capitals before small letters, _ between them, Ä after all of ASCII.
    EXPECT_EQ(FolderSource(kListing, NameOrder::Bytewise).files,
              (std::vector<std::string>{"A.PGN", "Z.Pgn", "_c.pgn", "a.pgn", "b.pgn", "zug.pgn",
                                        "\xC3\x84rger.pgn"}));
    // Without regard to case the letters compare as capitals, so _ (above Z) comes after them;
    // names equal so keep a bytewise order.
    EXPECT_EQ(FolderSource(kListing, NameOrder::IgnoringCase).files,
              (std::vector<std::string>{"A.PGN", "a.pgn", "b.pgn", "Z.Pgn", "zug.pgn", "_c.pgn",
                                        "\xC3\x84rger.pgn"}));
}

TEST(PgnFolder, SortsLettersBeyondAsciiByTheirCapitals) {
    // ä (U+00E4) sorts after Ä's neighbours as Ä (U+00C4) does; Cyrillic д with Д.
    const std::vector<std::string> names = {"\xC3\xA4.pgn", "\xC3\x85.pgn", "\xD0\xB4.pgn",
                                            "\xD0\x93.pgn", "\xD0\x95.pgn"};
    EXPECT_EQ(FolderSource(names, NameOrder::IgnoringCase).files,
              (std::vector<std::string>{"\xC3\xA4.pgn", "\xC3\x85.pgn", "\xD0\x93.pgn",
                                        "\xD0\xB4.pgn", "\xD0\x95.pgn"}));
}

TEST(PgnFolder, FindsAStoredNameOrWhereItWouldStand) {
    const GameSources bytewise = FolderSource({"a.pgn", "c.pgn", "e.pgn"}, NameOrder::Bytewise);
    const GameSources anyCase = FolderSource({"a.pgn", "c.pgn", "e.pgn"}, NameOrder::IgnoringCase);
    const struct {
        const char* name;
        const GameSources& sources;
        std::string stored;
        int32_t index;
        bool found;
    } cases[] = {
        {"present", bytewise, "c.pgn", 1, true},
        {"gone: the next name", bytewise, "b.pgn", 1, false},
        {"gone: after the last", bytewise, "f.pgn", 3, false},
        {"another case is another file on Linux", bytewise, "C.pgn", 0, false},
        {"another case is the same file on Windows", anyCase, "C.PGN", 1, true},
        {"gone, without regard to case", anyCase, "D.pgn", 2, false},
    };
    for (const auto& c : cases) {
        const FilePlace place = PlaceOfFileName(c.sources, c.stored);
        EXPECT_EQ(place.index, c.index) << c.name;
        EXPECT_EQ(place.found, c.found) << c.name;
    }
}

}  // namespace
