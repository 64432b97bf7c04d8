// The saver session on a fake clock and a fake platform: when positions change, how moves slide,
// what the picture holds, and the errors that replace the board.

#include "display/saver_session.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "display/home_page.h"
#include "display/saver_texts.h"
#include "tests/display/wide_literal.h"

namespace {

constexpr const char* kTwoGames =
    "[White \"Wanda\"]\n[Black \"Bert\"]\n\n1. e4 e5 *\n\n"
    "[White \"Second\"]\n\n1. d4 *\n";

// The files and skins the front end would read, in memory.
struct FakePlatform {
    std::string pgn = kTwoGames;
    bool pgnMissing = false;
    std::vector<std::string> skins = {"Classic.bmp"};
    std::vector<std::string> loaded;  // every load asked for, as "name@scale"

    static PgnFileResult Read(void* context, const WideChar*, CharString& text) {
        auto& self = *static_cast<FakePlatform*>(context);
        if (self.pgnMissing) return PgnFileResult::NotOpened;
        text = CharString(self.pgn.data(), static_cast<int32_t>(self.pgn.size()));
        return PgnFileResult::Read;
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
        self.loaded.push_back(Narrow(name) + "@" + std::to_string(scale));
        for (const std::string& skin : self.skins) {
            if (Narrow(name) == skin) return true;
        }
        return false;
    }

    SaverPlatform Platform() {
        return SaverPlatform{this, Read, "no games", SkinSource{this, List, Load, nullptr}};
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
    int32_t Ply() const { return session->board.game->ply; }
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

TEST(SaverSession, PositionsStayTheirPausesAndGamesFollowEachOther) {
    struct Case {
        int32_t timeMode;
        std::vector<Change> expected;
    };
    // 1. e4 e5, then 1. d4: the final positions stay ten seconds, the others the pause.
    const Case cases[] = {
        {0, {{1000, 0, 1}, {2000, 0, 2}, {12000, 1, 0}, {13000, 1, 1}, {23000, 0, 0}}},
        {2, {{3000, 0, 1}, {6000, 0, 2}, {16000, 1, 0}, {19000, 1, 1}, {29000, 0, 0}}},
    };
    for (const Case& c : cases) {
        for (const bool animate : {false, true}) {
            SCOPED_TRACE("time mode " + std::to_string(c.timeMode) + (animate ? ", sliding" : ""));
            SessionRun run;
            run.Start(Settings(c.timeMode, animate));
            EXPECT_EQ(Watch(run, c.expected.size()), c.expected);
        }
    }
}

TEST(SaverSession, AStepWithinTheGameSlidesInFramesAGameChangeRepaintsWhole) {
    SessionRun run;
    run.Start(Settings(0, true));
    const int64_t start = run.now;
    SessionUpdate update = run.At(start + 1000);  // 1. e4
    ASSERT_EQ(update.change, ScreenChange::BoardPart);
    // The e-file from e2 to e4 on the classic board at 256, 128.
    EXPECT_EQ(update.area.left, 256 + 4 * 64);
    EXPECT_EQ(update.area.right, 256 + 5 * 64);
    EXPECT_EQ(update.area.top, 128 + 4 * 64);
    EXPECT_EQ(update.area.bottom, 128 + 7 * 64);
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
    EXPECT_EQ(update.area.right - update.area.left, 512);
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
        EXPECT_FALSE(picture.hasBoard);
        ASSERT_EQ(picture.texts.size(), 1u);
        EXPECT_EQ(picture.texts[0].align, TextAlign::WrapTopLeft);
        EXPECT_EQ(std::string(picture.texts[0].bytes.chars()), c.text);
        for (int32_t second = 1; second <= 30; ++second)
            EXPECT_EQ(run.At(run.now + 1000).change, ScreenChange::Nothing);
        EXPECT_EQ(run.Game(), 1);
        EXPECT_EQ(run.session->board.game->moveCount, 0) << "no game is loaded";
    }
}

TEST(SaverSession, TheStoredGameContinuesOrWrapsToTheFirst) {
    for (const int32_t stored : {1, 2, 99}) {
        SessionRun run;
        SaverSettings settings = Settings(0, false);
        settings.currentGameNumber = stored;
        run.Start(settings);
        EXPECT_EQ(run.Game(), stored == 1 ? 1 : 0) << stored;
        EXPECT_STREQ(run.session->board.info.white, stored == 1 ? "Second" : "Wanda");
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
        const BoardLayout& layout = run.session->board.layout;
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
        EXPECT_TRUE(picture.hasBoard);
        EXPECT_EQ(picture.board.layout.cellSize, c.cellSize);
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
    EXPECT_EQ(run.session->board.layout.left, 256);
}

}  // namespace
