// quorvane-pgn play run as a subprocess: the frames it prints follow the saver's schedule, and in
// a terminal it draws in colour and gives the terminal back on Ctrl-C.

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "display/home_page.h"
#include "tests/apps/pgn-tool/tool_run.h"

namespace {

namespace fs = std::filesystem;

// Game 0 has two plies, game 1 one, game 2 none (its only token is illegal). Game 1 has no Date
// or Site and game 2 no Black: the saver keeps showing the last ones read.
const std::string kThreeGames =
    "[Event \"Riga\"]\n[Site \"LAT\"]\n[Date \"1957.??.??\"]\n[White \"Tal\"]\n"
    "[Black \"Koblents\"]\n\n1. e4 e5 *\n\n"
    "[Event \"Moscow\"]\n[White \"Smyslov\"]\n[Black \"Botvinnik\"]\n\n1. d4 *\n\n"
    "[Event \"Nowhere\"]\n[White \"Nobody\"]\n\n1. Ke3 *\n";
const int kPlies[] = {2, 1, 0};

struct Frame {
    long tick;
    int game;
    int ply;
    int plies;
    std::vector<std::string> lines;  // after the heading
};

class Play : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ = fs::temp_directory_path() /
                ("quorvane-play-test-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pgn");
        std::ofstream(file_, std::ios::binary) << kThreeGames;
    }
    void TearDown() override { fs::remove(file_); }

    fs::path file_;
};

// Frames are headed "tick T: game G, ply P of N" and end with an empty line.
std::vector<Frame> Frames(const std::string& out) {
    std::vector<Frame> frames;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        Frame frame{};
        if (std::sscanf(line.c_str(), "tick %ld: game %d, ply %d of %d", &frame.tick, &frame.game,
                        &frame.ply, &frame.plies) == 4) {
            frames.push_back(frame);
        } else if (!frames.empty() && !line.empty()) {
            frames.back().lines.push_back(line);
        } else if (frames.empty()) {
            ADD_FAILURE() << "text before the first frame: " << line;
        }
    }
    return frames;
}

struct Shown {
    long tick;
    int game;
    int ply;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
    *out << "tick " << shown.tick << " game " << shown.game << " ply " << shown.ply;
}

// What the saver shows up to the last tick: the first position of the run for one pause, every
// other position for one pause, a game's final position for 10 ticks.
std::vector<Shown> SaverSchedule(int firstGame, int pause, long lastTick) {
    std::vector<Shown> schedule;
    int game = firstGame;
    int ply = 0;
    for (long tick = 0; tick <= lastTick;) {
        schedule.push_back({tick, game, ply});
        const bool final = ply == kPlies[game];
        tick += schedule.size() == 1 || !final ? pause : 10;
        if (final) {
            game = (game + 1) % 3;
            ply = 0;
        } else {
            ++ply;
        }
    }
    return schedule;
}

// A text line centred over the board's 26 columns.
std::string Centred(const std::string& text) {
    return std::string((26 - text.size()) / 2, ' ') + text;
}

std::vector<Shown> ShownOf(const std::vector<Frame>& frames) {
    std::vector<Shown> shown;
    for (const Frame& frame : frames)
        shown.push_back({frame.tick, frame.game, frame.ply});
    return shown;
}

TEST_F(Play, FollowsTheSaversScheduleInEveryTimeMode) {
    struct Case {
        const char* timeMode;  // nullptr: the default
        int pause;
    };
    for (const Case& c : {Case{"0", 1}, Case{nullptr, 2}, Case{"1", 2}, Case{"2", 3}}) {
        SCOPED_TRACE(c.timeMode == nullptr ? "default" : c.timeMode);
        std::vector<std::string> args = {"play",    file_.string(), "--ticks",   "75",
                                         "--speed", "2000",         "--no-color"};
        if (c.timeMode != nullptr) args.insert(args.end(), {"--time-mode", c.timeMode});
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        const std::vector<Frame> frames = Frames(run.out);
        EXPECT_EQ(ShownOf(frames), SaverSchedule(0, c.pause, 75));
        for (const Frame& frame : frames)
            EXPECT_EQ(frame.plies, kPlies[frame.game]) << frame.tick;
    }
}

TEST_F(Play, StartsAtTheGameAskedForAndWrapsAsTheSaverDoes) {
    struct Case {
        const char* game;
        int first;
    };
    for (const Case& c : {Case{"1", 1}, Case{"2", 2}, Case{"3", 0}, Case{"999999999", 0}}) {
        SCOPED_TRACE(c.game);
        const ToolRun run = RunTool({"play", file_.string(), "--game", c.game, "--ticks", "40",
                                     "--speed", "2000", "--time-mode", "0"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(ShownOf(Frames(run.out)), SaverSchedule(c.first, 1, 40));
    }
}

TEST_F(Play, DrawsEachPositionWithTheTextsTheSaverShows) {
    const std::vector<Frame> frames = Frames(
        RunTool({"play", file_.string(), "--ticks", "25", "--speed", "2000", "--time-mode", "0"})
            .out);
    ASSERT_EQ(frames.size(), 6u);  // ticks 0, 1, 2, 12, 13, 23
    struct Expected {
        bool homePage;
        const char* black;
        const char* rank4;
        const char* rank2;
        const char* white;
        const char* event;
    };
    const char* const kEmptyRank = "4  .  .  .  .  .  .  .  .";
    const char* const kPawns = "2  P  P  P  P  P  P  P  P";
    const Expected expected[] = {
        {false, "Koblents", kEmptyRank, kPawns, "Tal", "Riga"},
        {false, "Koblents", "4  .  .  .  . [P] .  .  .", "2  P  P  P  P [.] P  P  P", "Tal",
         "Riga"},
        {true, "Koblents", "4  .  .  .  .  P  .  .  .", "2  P  P  P  P  .  P  P  P", "Tal", "Riga"},
        {false, "Botvinnik", kEmptyRank, kPawns, "Smyslov", "Moscow"},
        {true, "Botvinnik", "4  .  .  . [P] .  .  .  .", "2  P  P  P [.] P  P  P  P", "Smyslov",
         "Moscow"},
        // No Black, Date or Site tags: the last ones read stay on show.
        {true, "Botvinnik", kEmptyRank, kPawns, "Nobody", "Nowhere"},
    };
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("tick " + std::to_string(frames[i].tick));
        const Expected& e = expected[i];
        std::vector<std::string> lines = frames[i].lines;
        ASSERT_EQ(lines.size(), e.homePage ? 15u : 14u);
        if (e.homePage) {
            EXPECT_EQ(lines[0], kHomePageAddress);
            lines.erase(lines.begin());
        }
        EXPECT_EQ(lines[0], Centred(e.black));
        EXPECT_EQ(lines[5], e.rank4);
        EXPECT_EQ(lines[7], e.rank2);
        EXPECT_EQ(lines[9], "   a  b  c  d  e  f  g  h");
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.end()),
                  (std::vector<std::string>{Centred(e.white), Centred("DATE: 1957.??.??"),
                                            Centred(std::string("EVENT: ") + e.event),
                                            Centred("SITE: LAT")}));
    }
}

TEST_F(Play, LeavesOutTheTextsButNotTheHomePageWithoutInfo) {
    const std::vector<Frame> frames =
        Frames(RunTool({"play", file_.string(), "--ticks", "2", "--speed", "2000", "--time-mode",
                        "0", "--no-info"})
                   .out);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].lines.size(), 9u);
    EXPECT_EQ(frames[0].lines[0], "8  r  n  b  q  k  b  n  r");
    EXPECT_EQ(frames[2].lines.size(), 10u);
    EXPECT_EQ(frames[2].lines[0], kHomePageAddress);
}

TEST_F(Play, ATickIsOneSecondDividedByTheSpeed) {
    const auto start = std::chrono::steady_clock::now();
    const ToolRun run =
        RunTool({"play", file_.string(), "--ticks", "12", "--speed", "20", "--time-mode", "0"});
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Frames(run.out).back().tick, 12);  // game 1 after game 0's ten-tick final position
    EXPECT_GE(seconds, 0.59);
    EXPECT_LT(seconds, 5.0);
}

TEST_F(Play, RefusesWhatItCannotPlayWithOneLineOnStderr) {
    const std::string file = file_.string();
    const std::string missing = (fs::temp_directory_path() / "quorvane-no-such.pgn").string();
    const std::vector<std::vector<std::string>> cases = {
        {"play", missing, "--ticks", "1"},
        {"play"},
        {"play", "--ticks", "1"},
        {"play", file, file},
        {"play", file, "--color"},
        {"play", file, "--ticks"},
        {"play", file, "--ticks", "-1"},
        {"play", file, "--game", "x"},
        {"play", file, "--game", "1000000000"},
        {"play", file, "--time-mode", "3"},
        {"play", file, "--speed", "0"},
        {"play", file, "--speed", "0.001"},
        {"play", file, "--speed=2000001"},
        {"play", file, "--speed", "1e3"},
        {"play", file, "--speed", "."},
    };
    for (const std::vector<std::string>& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("quorvane-pgn: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_EQ(RunTool(cases[0]).err.rfind("quorvane-pgn: cannot read " + missing + ": ", 0), 0u);
}

TEST_F(Play, AcceptsOptionsWithEqualsSigns) {
    const ToolRun run = RunTool(
        {"play", file_.string(), "--ticks=3", "--speed=2000.5", "--time-mode=0", "--game=1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ShownOf(Frames(run.out)), SaverSchedule(1, 1, 3));
}

TEST_F(Play, IsExplainedInTheHelp) {
    const std::string help = RunTool({"--help"}).out;
    for (const char* word :
         {"play FILE [--game N] [--speed X] [--time-mode M] [--ticks T] [--no-color] [--no-info]",
          "tick T: game G, ply P of N", "Ctrl-C"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

// The tool on a pseudo-terminal of 80 x 30 cells.
struct TerminalRun {
    pid_t child;
    int master;
    std::string out;
};

TerminalRun StartInTerminal(const std::vector<std::string>& args,
                            const std::vector<std::string>& environment) {
    winsize size{};
    size.ws_col = 80;
    size.ws_row = 30;
    TerminalRun run{};
    run.child = forkpty(&run.master, nullptr, nullptr, &size);
    if (run.child == 0) {
        unsetenv("COLORTERM");
        unsetenv("NO_COLOR");
        setenv("TERM", "xterm-256color", 1);
        for (const std::string& setting : environment)
            putenv(const_cast<char*>(setting.c_str()));
        std::vector<char*> argv = {const_cast<char*>(QUORVANE_PGN_TOOL)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return run;
}

// Reads until the output holds wanted (or, with an empty wanted, until the end); false on a
// 10-second timeout.
bool ReadUntil(TerminalRun& run, const std::string& wanted) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (wanted.empty() || run.out.find(wanted) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        pollfd ready{run.master, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) continue;
        char buffer[4096];
        const ssize_t count = read(run.master, buffer, sizeof buffer);
        if (count <= 0) return wanted.empty();  // EIO once the child has gone
        run.out.append(buffer, static_cast<size_t>(count));
    }
    return true;
}

int Finish(TerminalRun& run) {
    int status = 0;
    waitpid(run.child, &status, 0);
    close(run.master);
    return status;
}

TEST(PlayInATerminal, DrawsInColourAndGivesTheTerminalBackOnCtrlC) {
    struct Case {
        const char* name;
        std::vector<std::string> environment;
        const char* lastMoveSquare;
        const char* otherDepth;
    };
    const Case cases[] = {
        {"24-bit", {"COLORTERM=truecolor"}, "\x1b[48;2;226;182;64m", "\x1b[48;5;"},
        {"256 colours", {}, "\x1b[48;5;179m", "\x1b[48;2;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = (fs::temp_directory_path() /
                                  ("quorvane-play-tty-" + std::to_string(::getpid()) + ".pgn"))
                                     .string();
        std::ofstream(file, std::ios::binary) << kThreeGames;
        TerminalRun run =
            StartInTerminal({"play", file, "--speed", "50", "--time-mode", "0"}, c.environment);
        ASSERT_GT(run.child, 0);
        const bool drewAMove = ReadUntil(run, "game 0, ply 1 of 2, tick 1 - Ctrl-C ends");
        kill(run.child, SIGINT);
        EXPECT_TRUE(ReadUntil(run, ""));
        const int status = Finish(run);
        fs::remove(file);
        ASSERT_TRUE(drewAMove) << run.out;
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;

        EXPECT_EQ(run.out.rfind("\x1b[?1049h\x1b[?25l", 0), 0u);  // alternate screen, no cursor
        const std::string restore = "\x1b[0m\x1b[?25h\x1b[?1049l";
        ASSERT_GE(run.out.size(), restore.size());
        EXPECT_EQ(run.out.substr(run.out.size() - restore.size()), restore);
        EXPECT_NE(run.out.find(c.lastMoveSquare), std::string::npos);
        EXPECT_EQ(run.out.find(c.otherDepth), std::string::npos);
        EXPECT_NE(run.out.find("\u265A"), std::string::npos);
        // The board is centred: 27 cells before the rank's digit on an 80-cell row.
        EXPECT_NE(run.out.find(std::string(27, ' ') + "8 "), std::string::npos);
        EXPECT_EQ(run.out.find("tick 0: game"), std::string::npos);
    }
}

TEST(PlayInATerminal, PrintsPlainFramesWithNoColorOrNO_COLOR) {
    const std::string file =
        (fs::temp_directory_path() / ("quorvane-play-plain-" + std::to_string(::getpid()) + ".pgn"))
            .string();
    std::ofstream(file, std::ios::binary) << kThreeGames;
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::string> environment;
    };
    const Case cases[] = {
        {"--no-color",
         {"play", file, "--ticks=1", "--speed=100", "--time-mode=0", "--no-color"},
         {}},
        {"NO_COLOR", {"play", file, "--ticks=1", "--speed=100", "--time-mode=0"}, {"NO_COLOR=1"}},
        {"TERM=dumb", {"play", file, "--ticks=1", "--speed=100", "--time-mode=0"}, {"TERM=dumb"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TerminalRun run = StartInTerminal(c.args, c.environment);
        ASSERT_GT(run.child, 0);
        EXPECT_TRUE(ReadUntil(run, ""));
        const int status = Finish(run);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
        EXPECT_NE(run.out.find("tick 0: game 0, ply 0 of 2\r\n"), std::string::npos);
        EXPECT_NE(run.out.find("tick 1: game 0, ply 1 of 2\r\n"), std::string::npos) << run.out;
    }
    fs::remove(file);
}

}  // namespace
