#include "x11/run_options.h"

#include <gtest/gtest.h>

namespace {

struct OptionsCase {
    const char* name;
    std::vector<std::string> words;
    const char* environment;  // XSCREENSAVER_WINDOW
    DrawTarget target;
    uint64_t windowId;
    std::string configPath;
    bool refused;
};

TEST(RunOptions, FollowsXScreenSaversConventions) {
    const OptionsCase cases[] = {
        {"nothing: own window", {}, nullptr, DrawTarget::OwnWindow, 0, "", false},
        {"-root", {"-root"}, nullptr, DrawTarget::Root, 0, "", false},
        {"--root with two dashes", {"--root"}, nullptr, DrawTarget::Root, 0, "", false},
        {"-window-id decimal",
         {"-window-id", "4194311"},
         nullptr,
         DrawTarget::GivenWindow,
         4194311,
         "",
         false},
        {"-window-id hex",
         {"-window-id", "0x400007"},
         nullptr,
         DrawTarget::GivenWindow,
         0x400007,
         "",
         false},
        {"environment window", {}, "0x2a", DrawTarget::GivenWindow, 42, "", false},
        {"XScreenSaver's -root means its window",
         {"-root"},
         "0x2a",
         DrawTarget::GivenWindow,
         42,
         "",
         false},
        {"-window-id wins over the environment",
         {"-window-id", "7"},
         "0x2a",
         DrawTarget::GivenWindow,
         7,
         "",
         false},
        {"-window wins over the environment",
         {"-window"},
         "42",
         DrawTarget::OwnWindow,
         0,
         "",
         false},
        {"empty environment ignored", {}, "", DrawTarget::OwnWindow, 0, "", false},
        {"--fullscreen", {"--fullscreen"}, nullptr, DrawTarget::FullScreen, 0, "", false},
        {"-fullscreen wins over the environment",
         {"-fullscreen"},
         "42",
         DrawTarget::FullScreen,
         0,
         "",
         false},
        {"config file",
         {"--config", "/tmp/q.conf", "-root"},
         nullptr,
         DrawTarget::Root,
         0,
         "/tmp/q.conf",
         false},
        {"other modules' switches",
         {"-install", "-visual", "default", "-fps", "-root"},
         nullptr,
         DrawTarget::Root,
         0,
         "",
         false},
        {"-window-id without a number",
         {"-window-id"},
         nullptr,
         DrawTarget::GivenWindow,
         0,
         "",
         true},
        {"-window-id of words",
         {"-window-id", "abc"},
         nullptr,
         DrawTarget::GivenWindow,
         0,
         "",
         true},
        {"-window-id zero", {"-window-id", "0"}, nullptr, DrawTarget::GivenWindow, 0, "", true},
        {"-window-id too large",
         {"-window-id", "0x100000000"},
         nullptr,
         DrawTarget::GivenWindow,
         0,
         "",
         true},
        {"bad environment", {}, "junk", DrawTarget::OwnWindow, 0, "", true},
        {"--config without a file", {"--config"}, nullptr, DrawTarget::OwnWindow, 0, "", true},
        {"unknown switch", {"-fast"}, nullptr, DrawTarget::OwnWindow, 0, "", true},
    };
    for (const OptionsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const RunOptions options = ParseRunOptions(c.words, c.environment);
        EXPECT_EQ(!options.error.empty(), c.refused);
        if (c.refused) continue;
        EXPECT_EQ(options.target, c.target);
        EXPECT_EQ(options.windowId, c.windowId);
        EXPECT_EQ(options.configPath, c.configPath);
    }
}

TEST(RunOptions, TheDisplayIsTheOneNamed) {
    struct DisplayCase {
        std::vector<std::string> words;
        const char* expected;  // null: $DISPLAY
        bool refused;
    };
    const DisplayCase cases[] = {
        {{"-root"}, nullptr, false},
        {{"-display", ":5", "-root"}, ":5", false},
        {{"--display", "host:1.0", "-root"}, "host:1.0", false},
        {{"-display"}, nullptr, true},
        {{"-display", ""}, nullptr, true},
    };
    for (const DisplayCase& c : cases) {
        SCOPED_TRACE(c.words.size() > 1 ? c.words[1] : c.words[0]);
        const RunOptions options = ParseRunOptions(c.words, nullptr);
        EXPECT_EQ(!options.error.empty(), c.refused);
        if (c.refused) continue;
        EXPECT_STREQ(DisplayNameOrNull(options), c.expected);
        EXPECT_EQ(options.target, DrawTarget::Root) << "the display takes one word, not the next";
    }
}

// The settings' switches sit among XScreenSaver's own, in any order, the last of a setting wins,
// and --print-settings is a request, not a setting.
TEST(RunOptions, SettingSwitchesMixWithTheOthers) {
    const RunOptions options = ParseRunOptions(
        {"--pause", "3", "-no-info", "--root", "--pause", "1", "-fps", "--print-settings"},
        nullptr);
    ASSERT_EQ(options.error, "");
    EXPECT_EQ(options.target, DrawTarget::Root);
    EXPECT_TRUE(options.printSettings);
    SaverSettings settings{};
    SetDefaultSettings(settings);
    ApplySettingOverrides(settings, options.settings);
    EXPECT_EQ(settings.showInfo, 0);
    EXPECT_EQ(settings.timeMode, 0);
    EXPECT_FALSE(ParseRunOptions({"--pause", "9"}, nullptr).error.empty());
}

TEST(RunOptions, HelpIsAskedForNotRefused) {
    EXPECT_TRUE(ParseRunOptions({"-h"}, nullptr).showHelp);
    EXPECT_TRUE(ParseRunOptions({"--help"}, nullptr).error.empty());
}

}  // namespace
