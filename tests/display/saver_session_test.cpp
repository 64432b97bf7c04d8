// The saver session on a fake clock and a fake platform: when positions change, how moves slide,
// what the picture holds, and the errors that replace the board.

#include "display/saver_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "display/drift.h"
#include "display/home_page.h"
#include "display/saver_texts.h"
#include "tests/display/wide_literal.h"

namespace {

// "name@scale", built by appending: GCC 12 at -O3 takes a + chain here for an overlapping copy.
std::string Key(std::string name, int32_t scale) {
    name.append(1, '@');
    name.append(std::to_string(scale));
    return name;
}

constexpr const char* kTwoGames =
    "[White \"Wanda\"]\n[Black \"Bert\"]\n\n1. e4 e5 *\n\n"
    "[White \"Second\"]\n\n1. d4 *\n";

// The files and skins the front end would read, in memory.
struct FakePlatform {
    std::string pgn = kTwoGames;
    bool pgnMissing = false;
    std::vector<std::string> skins = {"Classic.bmp"};
    std::vector<std::string> loaded;     // every load asked for, as "name@scale"
    ResumePoint* sharedStore = nullptr;  // the place several processes claim their games from

    static bool Lock(void* context, ResumePoint& stored) {
        stored = *static_cast<FakePlatform*>(context)->sharedStore;
        return true;
    }
    static void Unlock(void* context, const ResumePoint& next) {
        *static_cast<FakePlatform*>(context)->sharedStore = next;
    }
    static std::string ToUtf8(const WideChar* text) { return Narrow(text); }
    static void FromUtf8(const std::string& utf8, WideChar (&text)[kPathCapacity]) {
        text[0] = 0;
        AppendAsciiText(text, utf8.c_str());
    }

    std::map<std::string, std::string> folder;  // not empty: the path names this folder

    static PgnFileResult Read(void* context, const WideChar*, const std::string& name,
                              CharString& text) {
        auto& self = *static_cast<FakePlatform*>(context);
        if (self.pgnMissing) return PgnFileResult::NotOpened;
        const std::string& file = name.empty() ? self.pgn : self.folder.at(name);
        text = CharString(file.data(), static_cast<int32_t>(file.size()));
        return PgnFileResult::Read;
    }
    static bool ListFolder(void* context, const WideChar*, std::vector<std::string>& names) {
        auto& self = *static_cast<FakePlatform*>(context);
        for (const auto& [name, text] : self.folder)
            names.push_back(name);
        return !self.folder.empty();
    }
    static int32_t List(void* context, SkinName* names, int32_t capacity) {
        auto& self = *static_cast<FakePlatform*>(context);
        int32_t count = 0;
        for (const std::string& name : self.skins) {
            if (count == capacity) break;
            names[count].text[0] = 0;
            AppendAsciiText(names[count++].text, name.c_str());
        }
        return count;
    }
    static bool Load(void* context, const WideChar* name, int32_t scale) {
        auto& self = *static_cast<FakePlatform*>(context);
        self.loaded.push_back(Key(Narrow(name), scale));
        for (const std::string& skin : self.skins) {
            if (Narrow(name) == skin) return true;
        }
        return false;
    }

    SaverPlatform Platform() {
        const SharedStore store{sharedStore != nullptr ? Lock : nullptr,
                                sharedStore != nullptr ? Unlock : nullptr};
        return SaverPlatform{this,       Read,
                             "no games", SkinSource{this, List, Load, nullptr},
                             ListFolder, NameOrder::Bytewise,
                             ToUtf8,     FromUtf8,
                             store};
    }
};

SaverScreen FullScreen(int32_t width = 1024, int32_t height = 768) {
    return SaverScreen{ScreenKind::FullScreen, width, height, {}, 0};
}

SaverSettings Settings(int32_t timeMode, bool animate) {
    SaverSettings settings{};
    SetDefaultSettings(settings);
    settings.timeMode = timeMode;
    settings.animateMoves = animate ? 1 : 0;
    settings.randomSkin = 0;
    settings.skinName[0] = 0;
    AppendAsciiText(settings.skinName, "Classic.bmp");
    return settings;
}

struct SessionRun {
    FakePlatform platform;
    std::unique_ptr<SaverSession> session = std::make_unique<SaverSession>();
    int64_t now = 5000;  // any start: the session only counts from it

    void Start(const SaverSettings& settings, const SaverScreen& screen = FullScreen()) {
        StartSaverSession(*session, settings, screen, platform.Platform(), 7, now);
    }
    SessionUpdate At(int64_t time) {
        now = time;
        return AdvanceSaverSession(*session, now);
    }
    // Wakes the session whenever it asks until time, as a front end does.
    void Until(int64_t time) {
        while (NextSessionWake(*session) <= time)
            At(NextSessionWake(*session));
    }
    const BoardShow& Board(size_t i = 0) const { return session->boards[i]; }
    int32_t Ply() const { return Board().game->ply; }
    int32_t Game() const { return session->settings.currentGameNumber; }
    bool HasText(const char* bytes) const {
        for (const PictureText& text : ComposeSaverPicture(*session, now).texts) {
            if (text.bytes.equals(bytes)) return true;
        }
        return false;
    }
};

// Wakes the session whenever it asks, recording every change of game or ply with the time it
// came, until count changes have been seen.
struct Change {
    int64_t at;  // milliseconds after the start
    int32_t game;
    int32_t ply;
    bool operator==(const Change&) const = default;
};

void PrintTo(const Change& c, std::ostream* out) {
    *out << "{" << c.at << " ms: game " << c.game << ", ply " << c.ply << "}";
}

std::vector<Change> Watch(SessionRun& run, size_t count) {
    const int64_t start = run.now;
    std::vector<Change> changes;
    for (int32_t wake = 0; wake < 10000 && changes.size() < count; ++wake) {
        const int32_t game = run.Game();
        const int32_t ply = run.Ply();
        run.At(NextSessionWake(*run.session));
        if (run.Game() != game || run.Ply() != ply)
            changes.push_back(Change{run.now - start, run.Game(), run.Ply()});
    }
    return changes;
}

// Game 0: one ply. Game 1: two plies. Game 2: no move that decodes (e5 is no legal first move).
constexpr const char* kThreeGames =
    "[Event \"one ply\"]\n\n1. e4 *\n\n"
    "[Event \"two plies\"]\n\n1. d4 d5 *\n\n"
    "[Event \"no ply\"]\n\n1. e5 *\n";

TEST(SaverSession, PositionsStayTheirPausesAndGamesFollowEachOther) {
    struct Case {
        const char* name;
        const char* pgn;
        int32_t timeMode;
        int32_t stored;
        std::vector<Change> expected;
    };
    const Case cases[] = {
        // Final positions stay ten seconds; a game without plies, met after a step, too; after
        // the last game the first again.
        {"short games and the wrap",
         kThreeGames,
         0,
         0,
         {{1000, 0, 1}, {11000, 1, 0}, {12000, 1, 1}, {13000, 1, 2}, {23000, 2, 0}, {33000, 0, 0}}},
        {"large pauses", kThreeGames, 2, 1, {{3000, 1, 1}, {6000, 1, 2}, {16000, 2, 0}}},
        // The run's first position stays one pause, even in a game without plies.
        {"first position of a run", kThreeGames, 1, 2, {{2000, 0, 0}, {4000, 0, 1}, {14000, 1, 0}}},
        // No game at all: every pause the number grows, on the standard position.
        {"a file without games", "no tag pair, 1. e4 e5", 1, 4, {{2000, 5, 0}, {4000, 6, 0}}},
    };
    for (const Case& c : cases) {
        for (const bool animate : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (animate ? ", sliding" : ""));
            SessionRun run;
            run.platform.pgn = c.pgn;
            SaverSettings settings = Settings(c.timeMode, animate);
            settings.currentGameNumber = c.stored;
            run.Start(settings);
            EXPECT_EQ(Watch(run, c.expected.size()), c.expected);
            EXPECT_EQ(run.Game(), c.expected.back().game) << "the number to store";
        }
    }
}

TEST(SaverSession, AStepWithinTheGameSlidesInFramesAGameChangeRepaintsWhole) {
    SessionRun run;
    run.Start(Settings(0, true));
    const int64_t start = run.now;
    SessionUpdate update = run.At(start + 1000);  // 1. e4
    ASSERT_EQ(update.change, ScreenChange::BoardPart);
    ASSERT_EQ(update.areaCount, 1);
    // The e-file from e2 to e4 on the classic board at 256, 128.
    EXPECT_EQ(update.areas[0].left, 256 + 4 * 64);
    EXPECT_EQ(update.areas[0].right, 256 + 5 * 64);
    EXPECT_EQ(update.areas[0].top, 128 + 4 * 64);
    EXPECT_EQ(update.areas[0].bottom, 128 + 7 * 64);
    int32_t frames = 0;
    while (IsSessionSliding(*run.session, run.now) && frames < 100) {
        const int64_t wake = NextSessionWake(*run.session);
        EXPECT_LE(wake - run.now, kFrameMilliseconds);
        update = run.At(wake);
        ++frames;
    }
    EXPECT_EQ(frames, kSlideMilliseconds / kFrameMilliseconds);
    // At rest the marks move onto the move's squares: the whole board, the texts unchanged.
    EXPECT_EQ(update.change, ScreenChange::BoardPart);
    EXPECT_EQ(update.areas[0].right - update.areas[0].left, 512);
    EXPECT_EQ(NextSessionWake(*run.session), start + 2000) << "no frames at rest";
    // 1... e5 ends the game: the home page comes with the end of the slide, not before.
    run.At(start + 2000);
    EXPECT_FALSE(run.HasText(kHomePageAddress));
    EXPECT_EQ(run.At(start + 2000 + kSlideMilliseconds).change, ScreenChange::Whole);
    EXPECT_TRUE(run.HasText(kHomePageAddress));
    while (run.Game() == 0 && run.now < start + 20000)
        update = run.At(NextSessionWake(*run.session));
    EXPECT_EQ(run.now, start + 12000);
    EXPECT_EQ(update.change, ScreenChange::Whole);  // the next game, at rest
    EXPECT_FALSE(IsSessionSliding(*run.session, run.now));
}

TEST(SaverSession, ALateWakeStepsOnceAndCountsAfresh) {
    SessionRun run;
    run.Start(Settings(0, false));
    const int64_t start = run.now;
    EXPECT_EQ(run.At(start + 999).change, ScreenChange::Nothing);
    EXPECT_EQ(run.At(start + 7000).change, ScreenChange::Whole);  // a machine that slept
    EXPECT_EQ(run.Ply(), 1);
    EXPECT_EQ(NextSessionWake(*run.session), start + 8000);
}

TEST(SaverSession, SetUpFailuresShowTheirTextsAndNeverStep) {
    struct Case {
        const char* name;
        bool noSkins;
        bool pgnMissing;
        std::string text;
    };
    const Case cases[] = {
        {"no skin", true, false, kSkinsMissingText},
        {"no file", false, true, "no games"},
        {"neither", true, true, std::string(kSkinsMissingText) + "\nno games"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SessionRun run;
        if (c.noSkins) run.platform.skins.clear();
        run.platform.pgnMissing = c.pgnMissing;
        SaverSettings settings = Settings(0, false);
        settings.currentGameNumber = 1;
        run.Start(settings);
        EXPECT_EQ(run.session->errorText, c.text);
        const SaverPicture picture = ComposeSaverPicture(*run.session, run.now);
        EXPECT_TRUE(picture.boards.empty());
        ASSERT_EQ(picture.texts.size(), 1u);
        EXPECT_EQ(picture.texts[0].align, TextAlign::WrapTopLeft);
        EXPECT_EQ(std::string(picture.texts[0].bytes.chars()), c.text);
        for (int32_t second = 1; second <= 30; ++second)
            EXPECT_EQ(run.At(run.now + 1000).change, ScreenChange::Nothing);
        EXPECT_EQ(run.Game(), 1);
        EXPECT_EQ(run.Board().game->moveCount, 0) << "no game is loaded";
    }
}

TEST(SaverSession, TheStoredGameContinuesOrWrapsToTheFirst) {
    for (const int32_t stored : {1, 2, 99}) {
        SessionRun run;
        SaverSettings settings = Settings(0, false);
        settings.currentGameNumber = stored;
        run.Start(settings);
        EXPECT_EQ(run.Game(), stored == 1 ? 1 : 0) << stored;
        EXPECT_STREQ(run.Board().info.white, stored == 1 ? "Second" : "Wanda");
    }
}

TEST(SaverSession, TheBoardStandsOnThePrimaryMonitor) {
    struct Case {
        const char* name;
        std::vector<MonitorArea> monitors;
        int32_t width;
        int32_t height;
        BoardLayout expected;
    };
    const Case cases[] = {
        {"one screen", {}, 1024, 768, {256, 128, 64}},
        {"primary second, at the right",
         {{{0, 0, 800, 600}, false}, {{800, 0, 1824, 768}, true}},
         1824,
         768,
         {800 + 256, 128, 64}},
        {"stacked, primary below",
         {{{0, 0, 1024, 768}, false}, {{0, 768, 1024, 1536}, true}},
         1024,
         1536,
         {256, 768 + 128, 64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SaverScreen screen = FullScreen(c.width, c.height);
        for (const MonitorArea& monitor : c.monitors)
            screen.monitors[screen.monitorCount++] = monitor;
        SessionRun run;
        run.Start(Settings(0, false), screen);
        const BoardLayout& layout = run.Board().layout;
        EXPECT_EQ(layout.left, c.expected.left);
        EXPECT_EQ(layout.top, c.expected.top);
        EXPECT_EQ(layout.cellSize, c.expected.cellSize);
    }
}

TEST(SaverSession, TextsStandAroundAFullBoardOnly) {
    struct Case {
        const char* name;
        SaverScreen screen;
        int32_t showInfo;
        size_t texts;
        int32_t cellSize;
    };
    const Case cases[] = {
        {"full screen", FullScreen(), 1, 5, 64},
        {"full screen without information", FullScreen(), 0, 0, 64},
        {"preview", {ScreenKind::Preview, 152, 112, {}, 0}, 1, 0, 14},
        {"small window", {ScreenKind::Windowed, 400, 300, {}, 0}, 1, 0, 37},
        {"large window", {ScreenKind::Windowed, 800, 600, {}, 0}, 1, 5, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SessionRun run;
        SaverSettings settings = Settings(0, false);
        settings.showInfo = c.showInfo;
        run.Start(settings, c.screen);
        const SaverPicture picture = ComposeSaverPicture(*run.session, run.now);
        ASSERT_EQ(picture.boards.size(), 1u);
        EXPECT_EQ(picture.boards[0].layout.cellSize, c.cellSize);
        EXPECT_EQ(picture.texts.size(), c.texts);
    }
}

TEST(SaverSession, AResizedWindowIsLaidOutAnew) {
    SessionRun run;
    run.Start(Settings(0, false), SaverScreen{ScreenKind::Windowed, 400, 300, {}, 0});
    EXPECT_FALSE(UsesFullLayout(*run.session));
    const SessionUpdate update =
        ResizeSaverSession(*run.session, SaverScreen{ScreenKind::Windowed, 1024, 768, {}, 0});
    EXPECT_EQ(update.change, ScreenChange::Whole);
    EXPECT_TRUE(UsesFullLayout(*run.session));
    EXPECT_EQ(run.Board().layout.left, 256);
}

SaverScreen TwoMonitors() {
    // The primary listed second, at the right of a smaller one.
    SaverScreen screen = FullScreen(1824, 768);
    screen.monitors[0] = MonitorArea{{0, 0, 800, 600}, false};
    screen.monitors[1] = MonitorArea{{800, 0, 1824, 768}, true};
    screen.monitorCount = 2;
    return screen;
}

// What each monitor shows: which game, and where its board stands.
struct Shown {
    int32_t game;
    int32_t left;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
    *out << "{game " << shown.game << " at x " << shown.left << "}";
}

std::vector<Shown> ShownOnMonitors(const SessionRun& run) {
    std::vector<Shown> shown;
    const SaverPicture picture = ComposeSaverPicture(*run.session, run.now);
    for (const BoardShow& board : run.session->boards) {
        const BoardShow& source = run.session->boards[static_cast<size_t>(board.mirrors)];
        shown.push_back(Shown{source.gameNumber, board.layout.left});
    }
    EXPECT_EQ(picture.boards.size(), shown.size());
    return shown;
}

constexpr const char* kFourGames =
    "[White \"A\"]\n\n1. e4 *\n\n[White \"B\"]\n\n1. d4 *\n\n"
    "[White \"C\"]\n\n1. c4 *\n\n[White \"D\"]\n\n1. Nf3 *\n";

TEST(SaverSession, EachMonitorShowsWhatTheMonitorsSettingSays) {
    struct Case {
        const char* name;
        int32_t monitors;
        int32_t stored;
        std::vector<Shown> atStart;
        int32_t toStore;  // the game number stored at once
        std::vector<Shown> afterAGame;
        int32_t toStoreAfter;
    };
    // The primary's board at 800 + 256; the 800 x 600 monitor's classic board at 144.
    const Case cases[] = {
        {"the primary alone", 0, 1, {{1, 1056}}, 1, {{2, 1056}}, 2},
        {"the same game everywhere", 1, 1, {{1, 1056}, {1, 144}}, 1, {{2, 1056}, {2, 144}}, 2},
        {"a game of its own on each", 2, 1, {{1, 1056}, {2, 144}}, 3, {{3, 1056}, {0, 144}}, 1},
        {"own games wrap past the last", 2, 3, {{3, 1056}, {0, 144}}, 1, {{1, 1056}, {2, 144}}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SessionRun run;
        run.platform.pgn = kFourGames;
        SaverSettings settings = Settings(0, false);
        settings.monitors = c.monitors;
        settings.currentGameNumber = c.stored;
        run.Start(settings, TwoMonitors());
        EXPECT_EQ(ShownOnMonitors(run), c.atStart);
        EXPECT_EQ(run.Game(), c.toStore);
        // One ply, ten seconds at the final position, and every board has moved on together.
        run.Until(run.now + 11000);
        EXPECT_EQ(ShownOnMonitors(run), c.afterAGame);
        EXPECT_EQ(run.Game(), c.toStoreAfter);
    }
}

TEST(SaverSession, ProcessesThatShareTheStoreClaimTheirGamesFromIt) {
    // Two processes, one per monitor, as XScreenSaver runs them, over one stored number.
    ResumePoint store{"", 2, 0, 0};
    SessionRun first;
    SessionRun second;
    std::vector<int32_t> shown;
    for (SessionRun* run : {&first, &second}) {
        run->platform.pgn = kFourGames;
        run->platform.sharedStore = &store;
        SaverSettings settings = Settings(0, false);
        settings.monitors = 2;
        run->Start(settings);
        shown.push_back(run->Board().gameNumber);
    }
    first.Until(first.now + 11000);  // the first finishes its game and claims the next
    shown.push_back(first.Board().gameNumber);
    EXPECT_EQ(shown, (std::vector<int32_t>{2, 3, 0}));
    EXPECT_EQ(store.gameNumber, 1);
}

TEST(SaverSession, TheBoardsDriftAlongAClosedPathAndNeverMidSlide) {
    SessionRun run;
    SaverSettings settings = Settings(0, true);
    settings.drift = 1;
    run.Start(settings);
    const int64_t start = run.now;
    const BoardLayout home = run.Board().layout;
    std::vector<PixelPoint> path;
    while (run.now < start + kDriftPathSteps * kDriftStepMilliseconds + 5000) {
        const BoardLayout before = run.Board().layout;
        const bool slidingBefore = IsSessionSliding(*run.session, run.now);
        const SessionUpdate update = run.At(NextSessionWake(*run.session));
        const BoardLayout& after = run.Board().layout;
        if (after.left == before.left && after.top == before.top) continue;
        EXPECT_FALSE(slidingBefore) << "moved while a piece slid, at " << run.now - start;
        EXPECT_EQ(update.change, ScreenChange::Whole);
        path.push_back(PixelPoint{after.left - home.left, after.top - home.top});
    }
    ASSERT_EQ(path.size(), static_cast<size_t>(kDriftPathSteps));
    for (const PixelPoint& offset : path) {
        EXPECT_LE(std::abs(offset.x), 12);
        EXPECT_LE(std::abs(offset.y), 12);
    }
    EXPECT_EQ(path.back().x, 0) << "the path returns";
    EXPECT_EQ(path.back().y, 0);
}

TEST(SaverSession, TheDriftKeepsBoardAndTextsOnTheScreen) {
    // On 1024 x 600 the classic board's top is 44: its texts reach from 4 to 668, already past
    // the bottom. The drift never takes them further down, nor more than 4 pixels up.
    SessionRun run;
    SaverSettings settings = Settings(0, false);
    settings.drift = 1;
    run.Start(settings, FullScreen(1024, 600));
    const BoardLayout home = run.Board().layout;
    ASSERT_EQ(home.top, 44);
    std::vector<int32_t> rises;
    for (int32_t step = 1; step <= kDriftPathSteps; ++step) {
        run.At(run.session->startedAt + step * kDriftStepMilliseconds);
        const int32_t rise = home.top - run.Board().layout.top;
        EXPECT_GE(rise, 0) << "step " << step;
        EXPECT_LE(rise, 4) << "step " << step;
        rises.push_back(rise);
    }
    EXPECT_NE(*std::max_element(rises.begin(), rises.end()), 0) << "it may still rise";
}

TEST(SaverSession, WhileTheMonitorsSleepNothingIsDrawnAndWakesAreAMinuteApart) {
    SessionRun run;
    run.Start(Settings(0, true));
    const int64_t start = run.now;
    EXPECT_EQ(SetSaverDisplayAsleep(*run.session, true, start + 500).change, ScreenChange::Nothing);
    int32_t wakes = 0;
    while (run.now < start + 10 * 60 * 1000) {
        const int64_t wake = NextSessionWake(*run.session);
        EXPECT_GE(wake - run.now, kAsleepWakeMilliseconds - 1000);
        EXPECT_EQ(run.At(wake).change, ScreenChange::Nothing);
        ++wakes;
    }
    EXPECT_LE(wakes, 11);
    EXPECT_EQ(run.Ply(), 0) << "the playback rests";
    EXPECT_EQ(SetSaverDisplayAsleep(*run.session, false, run.now).change, ScreenChange::Whole);
    EXPECT_EQ(NextSessionWake(*run.session), run.now + 1000);
    EXPECT_EQ(run.At(run.now + 1000).change, ScreenChange::BoardPart);  // 1. e4 slides
}

// The games a run shows one after the other, each as "file:number", wakes as the front end gives
// them, until count games have shown.
std::vector<std::string> GamesShown(SessionRun& run, size_t count) {
    std::vector<std::string> shown;
    const auto name = [&run] {
        return Narrow(run.session->settings.currentFile) + ":" +
               std::to_string(run.Board().gameNumber);
    };
    shown.push_back(name());
    for (int32_t wake = 0; wake < 100000 && shown.size() < count; ++wake) {
        const int32_t ply = run.Ply();
        run.At(NextSessionWake(*run.session));
        // A game starts at its start position: also the same game again, when it is the only one.
        if (run.Ply() == 0 && ply > 0) shown.push_back(name());
    }
    return shown;
}

constexpr const char* kRatedGames =
    "[White \"A\"]\n[WhiteElo \"2500\"]\n[BlackElo \"2600\"]\n[Result \"1-0\"]\n\n1. e4 1-0\n\n"
    "[White \"B\"]\n[WhiteElo \"2750\"]\n[BlackElo \"2710\"]\n[Result \"1/2-1/2\"]\n\n"
    "1. d4 1/2-1/2\n\n"
    "[White \"C\"]\n[WhiteElo \"2760\"]\n[BlackElo \"2705\"]\n[Result \"0-1\"]\n\n1. c4 0-1\n";

TEST(SaverSession, FiltersChooseTheGamesOrSayThatNonePasses) {
    struct Case {
        const char* name;
        int32_t minimumRating;
        int32_t decisiveOnly;
        const char* player;
        std::vector<std::string> shown;
        bool nonePasses;
    };
    const Case cases[] = {
        {"no filter", 0, 0, "", {":0", ":1", ":2", ":0"}, false},
        {"rated 2700 and decisive", 2700, 1, "", {":2", ":2"}, false},
        {"a player", 0, 0, "b", {":1", ":1"}, false},
        {"nobody that strong", 2800, 0, "", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SessionRun run;
        run.platform.pgn = kRatedGames;
        SaverSettings settings = Settings(0, false);
        settings.minimumRating = c.minimumRating;
        settings.decisiveOnly = c.decisiveOnly;
        AppendAsciiText(settings.player, c.player);
        run.Start(settings);
        if (c.nonePasses) {
            EXPECT_NE(run.session->errorText.find("2800"), std::string::npos)
                << run.session->errorText;
            EXPECT_TRUE(ComposeSaverPicture(*run.session, run.now).boards.empty());
            continue;
        }
        EXPECT_TRUE(run.session->errorText.empty()) << run.session->errorText;
        EXPECT_EQ(GamesShown(run, c.shown.size()), c.shown);
    }
}

TEST(SaverSession, AFolderPlaysItsFilesByNameAndResumesOnTheSameGameWhenItGainsOne) {
    SessionRun run;
    run.platform.folder = {{"b.pgn", kTwoGames}, {"a.pgn", kFourGames}, {"notes.txt", "x"}};
    SaverSettings settings = Settings(0, false);
    settings.currentGameNumber = 3;
    AppendAsciiText(settings.currentFile, "a.pgn");
    run.Start(settings);
    EXPECT_EQ(GamesShown(run, 4),
              (std::vector<std::string>{"a.pgn:3", "b.pgn:0", "b.pgn:1", "a.pgn:0"}));
    // Stopped on a.pgn's game 0; a new file that sorts first does not move the restart.
    SessionRun later;
    later.platform.folder = run.platform.folder;
    later.platform.folder["0.pgn"] = kTwoGames;
    later.Start(run.session->settings);
    EXPECT_EQ(GamesShown(later, 2), (std::vector<std::string>{"a.pgn:0", "a.pgn:1"}));
}

TEST(SaverSession, AShuffledRoundGoesOnAfterARestartWithoutRepeats) {
    SaverSettings settings = Settings(0, false);
    settings.gameOrder = 1;
    SessionRun whole;
    whole.platform.pgn = kFourGames;
    whole.Start(settings);
    const std::vector<std::string> round = GamesShown(whole, 4);
    EXPECT_EQ(std::set<std::string>(round.begin(), round.end()).size(), 4u) << "a whole round";

    SessionRun first;
    first.platform.pgn = kFourGames;
    first.Start(settings);
    std::vector<std::string> resumed = GamesShown(first, 2);
    SessionRun second;
    second.platform.pgn = kFourGames;
    second.Start(first.session->settings);  // what the first run stored
    const std::vector<std::string> rest = GamesShown(second, 3);
    resumed.insert(resumed.end(), rest.begin() + 1, rest.end());  // its first is the stored one
    EXPECT_EQ(resumed, round);
}

constexpr const char* kScholarsMate =
    "[White \"Carlsen, Magnus\"]\n[WhiteTitle \"GM\"]\n[WhiteElo \"2830\"]\n"
    "[Black \"Nepomniachtchi, Ian\"]\n[BlackElo \"2790\"]\n[Result \"1-0\"]\n\n"
    "1. e4 {[%clk 1:59:50]} e5 {[%clk 1:59:40]} 2. Qh5 {[%clk 1:59:00]} Nc6 3. Bc4 Nf6 "
    "4. Qxf7# 1-0\n";

// Every text of the picture at the ply the board rests at, as one string per text.
std::set<std::string> TextsShown(const SessionRun& run) {
    std::set<std::string> shown;
    for (const PictureText& text : ComposeSaverPicture(*run.session, run.now).texts)
        shown.insert(std::string(text.bytes.chars(), static_cast<size_t>(text.bytes.length())));
    return shown;
}

TEST(SaverSession, TheAddedLinesTellWhatThePositionOnShowHas) {
    SessionRun run;
    run.platform.pgn = kScholarsMate;
    SaverSettings settings = Settings(0, true);
    settings.showRatings = settings.showClocks = settings.showOpening = 1;
    settings.showMoveText = settings.showResult = settings.showCoordinates = 1;
    run.Start(settings);
    struct Expected {
        int32_t ply;
        std::vector<std::string> shown;
        std::vector<std::string> notShown;
    };
    const std::string mate = "1-0, checkmate";
    const Expected expected[] = {
        {0,
         {"GM Carlsen, Magnus 2830", "Nepomniachtchi, Ian 2790", "a", "8"},
         {"1. e4", mate, "1:59:50"}},
        {1, {"1. e4", "1:59:50", "B00 King's Pawn Game"}, {mate}},
        {3, {"2. Qh5", "1:59:00", "1:59:40", "C20 King's Pawn Game: Wayward Queen Attack"}, {}},
        {6, {"3... Nf6"}, {mate}},
        {7, {"4. Qxf7#", mate, "1:59:00"}, {}},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE("ply " + std::to_string(e.ply));
        while (run.Ply() < e.ply || IsSessionSliding(*run.session, run.now))
            run.At(NextSessionWake(*run.session));
        // The slide of the move to this position has ended: its texts are up.
        const std::set<std::string> shown = TextsShown(run);
        for (const std::string& text : e.shown)
            EXPECT_EQ(shown.count(text), 1u) << text;
        for (const std::string& text : e.notShown)
            EXPECT_EQ(shown.count(text), 0u) << text;
    }
}

TEST(SaverSession, WhileTheLastMoveSlidesTheTextsAreThoseOfThePositionBefore) {
    SessionRun run;
    run.platform.pgn = kScholarsMate;
    SaverSettings settings = Settings(0, true);
    settings.showMoveText = settings.showResult = 1;
    run.Start(settings);
    while (run.Ply() < 7)
        run.At(NextSessionWake(*run.session));
    ASSERT_TRUE(IsSessionSliding(*run.session, run.now));
    EXPECT_EQ(TextsShown(run).count("3... Nf6"), 1u);
    EXPECT_EQ(TextsShown(run).count("1-0, checkmate"), 0u) << "the result before the mate";
    const SessionUpdate end = run.At(run.now + kSlideMilliseconds);
    EXPECT_EQ(end.change, ScreenChange::Whole) << "the new texts come with the slide's end";
    EXPECT_EQ(TextsShown(run).count("1-0, checkmate"), 1u);
}

}  // namespace
