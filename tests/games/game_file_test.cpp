// The default game file games/varnoth.pgn as the saver reads it: every game decodes to its last
// move, and the file keeps the games the saver's schedule and information lines rely on.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/apps/pgn-tool/tool_run.h"

namespace {

const std::string kGameFile = std::string(QUORVANE_SOURCE_DIR) + "/games/varnoth.pgn";

using Tags = std::map<std::string, std::string>;

// The tag sections of the file, one per game: a tag line after move text begins the next game.
std::vector<Tags> TagSections() {
    std::ifstream in(kGameFile, std::ios::binary);
    EXPECT_TRUE(in.good()) << kGameFile;
    const std::regex tagLine(R"re(^\[([A-Za-z0-9_]+) "([^"]*)"\]$)re");
    std::vector<Tags> sections;
    bool inTags = false;
    std::string line;
    while (std::getline(in, line)) {
        std::smatch tag;
        if (std::regex_match(line, tag, tagLine)) {
            if (!inTags) sections.emplace_back();
            inTags = true;
            sections.back()[tag[1]] = tag[2];
        } else if (!line.empty()) {
            EXPECT_FALSE(line[0] == '[') << "not a tag line the file's rules allow: " << line;
            inTags = false;
        }
    }
    return sections;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(GameFile, EveryGameDecodesToItsLastMove) {
    const ToolRun check = RunTool({"check", kGameFile});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    EXPECT_EQ(check.err, "");
    const std::vector<std::string> lines = Lines(check.out);
    ASSERT_EQ(lines.size(), 1u) << check.out;  // no game that stops early, only the summary
    EXPECT_NE(lines[0].find(" games, "), std::string::npos);
    EXPECT_NE(lines[0].find(", 0 games stop early"), std::string::npos) << lines[0];

    // The same from the list: every token found is decoded.
    const ToolRun list = RunTool({"list", kGameFile, "--jsonl"});
    ASSERT_EQ(list.status, 0);
    const std::regex counts(R"re("plies":(\d+),"tokens":(\d+),"refused":null,)re");
    for (const std::string& game : Lines(list.out)) {
        std::smatch match;
        ASSERT_TRUE(std::regex_search(game, match, counts)) << game;
        EXPECT_EQ(match[1], match[2]) << game;
        EXPECT_NE(match[1], "0") << game;
    }
}

TEST(GameFile, HoldsAtLeastFortyGamesAsTheReaderCountsThem) {
    const ToolRun list = RunTool({"list", kGameFile, "--jsonl"});
    ASSERT_EQ(list.status, 0);
    const size_t games = Lines(list.out).size();
    EXPECT_GE(games, 40u);
    EXPECT_EQ(Lines(RunTool({"check", kGameFile}).out)
                  .back()
                  .rfind(std::to_string(games) + " games, ", 0),
              0u);
    // The reader splits the file where its tag sections begin: none merges with another.
    EXPECT_EQ(TagSections().size(), games);
}

TEST(GameFile, EveryGameHasTheTagsTheSaverShowsAndItsResult) {
    const std::vector<Tags> sections = TagSections();
    ASSERT_FALSE(sections.empty());
    for (size_t game = 0; game < sections.size(); ++game) {
        for (const char* name : {"Event", "Site", "Date", "White", "Black", "Result"}) {
            const auto tag = sections[game].find(name);
            ASSERT_NE(tag, sections[game].end()) << "game " << game << " has no " << name;
            EXPECT_FALSE(tag->second.empty()) << "game " << game << " " << name;
        }
    }
}

TEST(GameFile, StartsSomeGamesFromAPositionOneWithBlackToMove) {
    const std::vector<Tags> sections = TagSections();
    int fromFen = 0;
    int blackToMove = 0;
    for (size_t game = 0; game < sections.size(); ++game) {
        const auto fen = sections[game].find("FEN");
        if (fen == sections[game].end()) continue;
        ++fromFen;
        // The start position the saver sets up is the one the tag gives.
        const ToolRun show = RunTool({"show", kGameFile, std::to_string(game), "--ply", "0"});
        ASSERT_EQ(show.status, 0) << show.err;
        EXPECT_NE(show.out.find("\nFEN: " + fen->second + "\n"), std::string::npos)
            << "game " << game << ":\n"
            << show.out;
        if (fen->second.find(" b ") != std::string::npos) ++blackToMove;
    }
    EXPECT_GE(fromFen, 3);
    EXPECT_GE(blackToMove, 1);
}

}  // namespace
