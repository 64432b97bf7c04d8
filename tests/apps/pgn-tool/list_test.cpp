// quorvane-pgn list with filters, orders, folders and the saver's settings, run as a subprocess.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/apps/pgn-tool/tool_run.h"

namespace {

namespace fs = std::filesystem;

class List : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("quorvane-pgn-list-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const fs::path path = folder_ / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    fs::path folder_;
};

// A game with the tags the filters read; one e4 each.
std::string Game(const std::string& white, const std::string& black, int whiteElo, int blackElo,
                 const std::string& result) {
    return "[White \"" + white + "\"][Black \"" + black + "\"][WhiteElo \"" +
           std::to_string(whiteElo) + "\"][BlackElo \"" + std::to_string(blackElo) +
           "\"][Result \"" + result + "\"]\n1. e4 " + result + "\n";
}

const std::string kThreeGames = Game("Tal", "Koblents", 2700, 2500, "1-0") +
                                Game("Smyslov", "Botvinnik", 2750, 2720, "1/2-1/2") +
                                Game("Botvinnik", "Tal", 2720, 2700, "0-1");

TEST_F(List, ListsTheGamesThatPassAndWithWhyTheOnesSkipped) {
    const std::string file = Write("riga.pgn", kThreeGames);
    const ToolRun run = RunTool({"list", file, "--min-rating", "2700", "--decisive", "--why"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "2\tBotvinnik\tTal\t\t\t1/1\n"
              "0\tTal\tKoblents\t\t\tskipped: minimum rating 2700: White 2700, Black 2500\n"
              "1\tSmyslov\tBotvinnik\t\t\tskipped: decisive games only: Result 1/2-1/2\n");
    const ToolRun json = RunTool({"list", file, "--player", "SMYS", "--why", "--jsonl"});
    EXPECT_NE(json.out.find("{\"game\":1,\"white\":\"Smyslov\""), std::string::npos);
    EXPECT_NE(json.out.find("\"skipped\":\"player \\\"SMYS\\\" is neither White nor Black\"}"),
              std::string::npos);
}

TEST_F(List, NamesTheFiltersWhenNoGamePasses) {
    const std::string file = Write("riga.pgn", kThreeGames);
    const ToolRun run = RunTool({"list", file, "--player", "Carlsen"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "No game of " + file + " passes the filters:\nPlayer \"Carlsen\"\n");
}

TEST_F(List, PlaysAFolderFileAfterFileWithTheFileNames) {
    Write("games/b.PGN", Game("B0", "x", 1, 1, "*"));
    Write("games/a.pgn", Game("A0", "x", 1, 1, "*") + Game("A1", "x", 1, 1, "*"));
    Write("games/notes.txt", Game("N0", "x", 1, 1, "*"));
    Write("games/sub/c.pgn", Game("C0", "x", 1, 1, "*"));
    const std::string folder = (folder_ / "games").string();
    const ToolRun run = RunTool({"list", folder});
    EXPECT_EQ(run.status, 0);
    // Bytewise on Linux: b.PGN after a.pgn; a subfolder's files and other names do not play.
    EXPECT_EQ(run.out,
              "a.pgn\t0\tA0\tx\t\t\t1/1\n"
              "a.pgn\t1\tA1\tx\t\t\t1/1\n"
              "b.PGN\t0\tB0\tx\t\t\t1/1\n");
    const ToolRun json = RunTool({"list", folder, "--jsonl", "--count", "1"});
    EXPECT_EQ(json.out.rfind("{\"file\":\"a.pgn\",\"game\":0,\"white\":\"A0\"", 0), 0u);
}

TEST_F(List, StartsWhereTheSavedSettingsContinue) {
    std::string games;
    for (int k = 0; k < 8; ++k)
        games += Game("W" + std::to_string(k), "B", 2000, 2000, "1-0");
    Write("games/a.pgn", games);
    Write("games/b.pgn", games);
    const std::string settings = Write("quorvane.conf",
                                       "# the saver's own file\n"
                                       "Path to PGN file=" +
                                           (folder_ / "games").string() +
                                           "\n"
                                           "Game order=1\n"
                                           "Current file=b.pgn\n"
                                           "Current game number=5\n"
                                           "Shuffle seed=0x2a\n"
                                           "Shuffle position=3\n");
    const ToolRun run = RunTool({"list", "--settings", settings});
    EXPECT_EQ(run.status, 0);
    const auto lines = std::count(run.out.begin(), run.out.end(), '\n');
    EXPECT_EQ(lines, 16);  // one round's worth
    EXPECT_EQ(run.out.rfind("b.pgn\t5\tW5\t", 0), 0u) << run.out;
    // An option overrides the file's line.
    const ToolRun inOrder = RunTool({"list", "--settings", settings, "--order", "file"});
    EXPECT_EQ(inOrder.out.substr(0, inOrder.out.find('\n')), "b.pgn\t5\tW5\tB\t\t\t1/1");
    EXPECT_NE(inOrder.out.find("b.pgn\t7\tW7\tB\t\t\t1/1\na.pgn\t0\tW0\t"), std::string::npos);
}

TEST_F(List, ShufflesBySeed) {
    std::string games;
    for (int k = 0; k < 10; ++k)
        games += Game("W" + std::to_string(k), "B", 2000, 2000, "1-0");
    const std::string file = Write("ten.pgn", games);
    auto shuffled = [&](const char* seed) {
        return RunTool({"list", file, "--order", "shuffled", "--seed", seed}).out;
    };
    const std::string five = shuffled("5");
    EXPECT_EQ(five, shuffled("5"));
    EXPECT_NE(five, shuffled("6"));
    EXPECT_EQ(std::count(five.begin(), five.end(), '\n'), 10);
}

TEST_F(List, RefusesOptionsItDoesNotKnow) {
    const std::string file = Write("riga.pgn", kThreeGames);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"list", file, "--order", "random"},
          {"list", file, "--min-rating", "high"},
          {"list", file, "--player"},
          {"list", file, "--colour", "white"},
          {"list", "--decisive"}}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("quorvane-pgn: list: ", 0), 0u) << run.err;
    }
}

}  // namespace
