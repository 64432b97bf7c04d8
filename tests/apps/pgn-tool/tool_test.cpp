// quorvane-pgn run as a subprocess on small files written here and on the shared real files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/apps/pgn-tool/tool_run.h"

namespace {

namespace fs = std::filesystem;

class Tool : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("quorvane-pgn-test-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    static ToolRun Start(const std::vector<std::string>& args) { return RunTool(args); }

    fs::path folder_;
};

const std::string kTwoGames =
    "[Event \"Riga\"]\n[Site \"LAT\"]\n[Date \"1957.??.??\"]\n[White \"Tal\"]\n"
    "[Black \"Koblents\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 1-0\n\n"
    "[White \"Smyslov\"]\n[Black \"Botvinnik\"]\n\n1. d4 d5 2. Ke3 Nf6 *\n";

TEST_F(Tool, ListsEveryGameWithWhatTheSaverShows) {
    const ToolRun run = Start({"list", Write("two.pgn", kTwoGames)});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "0\tTal\tKoblents\t1957.??.??\tRiga\t6/6\n"
              "1\tSmyslov\tBotvinnik\t1957.??.??\tRiga\t2/4\trefused Ke3\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(Tool, ListsJsonLinesWithTheCarriedOverTextsAndTheFinalFen) {
    const ToolRun run = Start({"list", Write("two.pgn", kTwoGames), "--jsonl"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\"game\":0,\"white\":\"Tal\",\"black\":\"Koblents\",\"date\":\"1957.??.??\","
              "\"event\":\"Riga\",\"site\":\"LAT\",\"plies\":6,\"tokens\":6,\"refused\":null,"
              "\"fen\":\"r1bqkbnr/1ppp1ppp/p1n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 0 4\"}\n"
              "{\"game\":1,\"white\":\"Smyslov\",\"black\":\"Botvinnik\",\"date\":\"1957.??.??\","
              "\"event\":\"Riga\",\"site\":\"LAT\",\"plies\":2,\"tokens\":4,\"refused\":\"Ke3\","
              "\"fen\":\"rnbqkbnr/ppp1pppp/8/3p4/3P4/8/PPP1PPPP/RNBQKBNR w KQkq d6 0 2\"}\n");
}

TEST_F(Tool, EscapesAnyBytesInBothForms) {
    const std::string file = Write("bytes.pgn",
                                   "[White \"a\x1b"
                                   "c\x07\\\"b\"][Black \"Jos\xE9\"]"
                                   "[Event \"\xC3\xA9t\xC3\xA9\"] e4 *");
    EXPECT_EQ(Start({"list", file}).out,
              "0\ta\\x1bc\\x07\\\"b\tJos\xC3\xA9\t\t\xC3\xA9t\xC3\xA9\t1/1\n");
    const std::string json = Start({"list", "--jsonl", file}).out;
    EXPECT_EQ(json.substr(0, json.find(",\"date\"")),
              "{\"game\":0,\"white\":\"a\\u001bc\\u0007\\\\\\\"b\",\"black\":\"Jos\\u00e9\"");
    EXPECT_NE(json.find("\"event\":\"\xC3\xA9t\xC3\xA9\""), std::string::npos);
}

TEST_F(Tool, ShowsAPositionAfterAGivenPly) {
    const std::string file = Write("two.pgn", kTwoGames);
    const ToolRun run = Start({"show", file, "1", "--ply", "1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "Game 1\nWhite: Smyslov\nBlack: Botvinnik\nDate:  1957.??.??\nEvent: Riga\n"
              "Site:  LAT\nPly 1 of 2 decoded (4 move tokens found), last move d2-d4\n"
              "Stops early at 'Ke3': illegal move\n"
              "Players: Smyslov - Botvinnik\nOpening: A40 Queen's Pawn Game\nLast move: 1. d4\n\n"
              "  8  r n b q k b n r\n  7  p p p p p p p p\n  6  . . . . . . . .\n"
              "  5  . . . . . . . .\n  4  . . . P . . . .\n  3  . . . . . . . .\n"
              "  2  P P P . P P P P\n  1  R N B Q K B N R\n     a b c d e f g h\n\n"
              "FEN: rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq d3 0 1\n");
    // Without --ply: the last decoded position.
    EXPECT_NE(Start({"show", file, "0"})
                  .out.find("FEN: r1bqkbnr/1ppp1ppp/p1n5/1B2p3/4P3/5N2/"
                            "PPPP1PPP/RNBQK2R w KQkq - 0 4\n"),
              std::string::npos);
    EXPECT_EQ(Start({"show", file, "0", "--ply=0"}).status, 0);
}

TEST_F(Tool, ShowsTheGameLinesOfThePly) {
    const std::string file = Write(
        "clocks.pgn",
        "[White \"Anna\"][Black \"Ben\"][WhiteTitle \"WGM\"][WhiteElo \"2400\"]"
        "[Result \"0-1\"]\n1. f3 {[%clk 0:03:00]} e5 {[%clk 0:02:58.4]} 2. g4?? {[%clk 1:02:57]} "
        "Qh4# 0-1\n");
    const auto linesOf = [](const std::string& out) {
        return out.substr(out.find("Players:"), out.find("\n\n") - out.find("Players:") + 1);
    };
    EXPECT_EQ(linesOf(Start({"show", file, "0", "--ply", "3"}).out),
              "Players: WGM Anna 2400 - Ben\nClocks: 1:02:57 - 2:58.4\n"
              "Opening: A00 Barnes Opening\nLast move: 2. g4\n");
    EXPECT_EQ(linesOf(Start({"show", file, "0"}).out),
              "Players: WGM Anna 2400 - Ben\nClocks: 1:02:57 - 2:58.4\n"
              "Opening: A00 Barnes Opening: Fool's Mate\nLast move: 2... Qh4#\n"
              "Result: 0-1, checkmate\n");
    EXPECT_EQ(linesOf(Start({"show", file, "0", "--ply", "0"}).out),
              "Players: WGM Anna 2400 - Ben\n");
}

TEST_F(Tool, RefusesGamesAndPliesThatDoNotExist) {
    const std::string file = Write("two.pgn", kTwoGames);
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"show", file, "2"},
                                               {"show", file, "1", "--ply", "3"},
                                               {"show", file, "-1"},
                                               {"show", file},
                                               {"show", file, "0", "--ply", "x"},
                                               {"list"},
                                               {"list", file, "--json"},
                                               {"check", file, file},
                                               {"play", file, "--speed", "0"},
                                               {}}) {
        const ToolRun run = Start(args);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out.empty(), !args.empty()) << ::testing::PrintToString(args);
        if (args.empty()) continue;  // no arguments: the help, on stdout
        EXPECT_EQ(run.err.rfind("quorvane-pgn: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST_F(Tool, ChecksEveryGame) {
    const ToolRun bad = Start({"check", Write("two.pgn", kTwoGames)});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out,
              "game 1: stops after ply 2 of 4 move tokens at 'Ke3': illegal move\n"
              "2 games, 8 plies decoded of 10 move tokens, 1 game stops early\n");
    const ToolRun good = Start({"check", Write("good.pgn", "[Event \"A\"] 1. e4 e5 *")});
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, "1 games, 2 plies decoded of 2 move tokens, 0 games stop early\n");
}

TEST_F(Tool, AnUnreadableFileIsOneLineOnStderr) {
    for (const std::string& path : {(folder_ / "missing.pgn").string(), folder_.string()}) {
        for (const char* command : {"list", "check"}) {
            const ToolRun run = Start({command, path});
            EXPECT_EQ(run.status, 2) << command << " " << path;
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err.rfind("quorvane-pgn: cannot read " + path + ": ", 0), 0u) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        }
    }
}

TEST_F(Tool, ReadsTheFileAsTheSaverDoes) {
    // The text ends at the first zero byte...
    const ToolRun zero = Start(
        {"list", Write("zero.pgn", std::string("[Event \"A\"] e4 *\n\0[Event \"B\"] d4 *\n", 36))});
    EXPECT_EQ(zero.out, "0\tPlayer 1\tPlayer 2\t\tA\t1/1\n");
    // ...and after 16,777,216 bytes.
    const std::string head = "[Event \"A\"] e4 ";
    const std::string kept = "[Event \"B\"] d4 ";
    const std::string big =
        head + std::string(16777216 - head.size() - kept.size(), ' ') + kept + "d5 *\n";
    const ToolRun cut = Start({"list", Write("big.pgn", big)});
    EXPECT_EQ(cut.out, "0\tPlayer 1\tPlayer 2\t\tA\t1/1\n1\tPlayer 1\tPlayer 2\t\tB\t1/1\n");
}

TEST_F(Tool, HelpExplainsEveryCommand) {
    const ToolRun run = Start({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* word :
         {"list PATH [--jsonl]", "show FILE N [--ply K]", "check FILE",
          "game, white, black, date, event, site, plies, tokens, refused", "Exit status"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

TEST_F(Tool, ReadsTheRealFilesInOnePass) {
    const fs::path shared = fs::path(QUORVANE_SHARED_DIR) / "pgn";
    if (!fs::is_directory(shared)) GTEST_SKIP() << "no shared PGN folder";
    const ToolRun run =
        Start({"list", "--jsonl", (shared / "shakmaty-benches/twic1599_1000k.pgn").string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1110);
    EXPECT_EQ(run.out.rfind("{\"game\":1109,", run.out.size() - 2) != std::string::npos, true);
    const ToolRun check = Start({"check", (shared / "pgn2tex/Capablanca.pgn").string()});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out,
              "597 games, 46577 plies decoded of 46577 move tokens, 0 games stop early\n");
}

}  // namespace
