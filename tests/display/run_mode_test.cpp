#include "display/run_mode.h"

#include <gtest/gtest.h>

namespace {

struct CommandCase {
    const char* commandLine;
    RunMode mode;
    int32_t window;
};

TEST(RunMode, CommandLinesChooseModeAndWindow) {
    const CommandCase cases[] = {
        {"C:\\Windows\\Quorvane.scr", RunMode::FullScreen, 0},
        {"Quorvane.scr /s", RunMode::FullScreen, 0},
        {"Quorvane.scr /S", RunMode::FullScreen, 0},
        {"Quorvane.scr /x", RunMode::FullScreen, 0},
        {"Quorvane.scr /p 1234", RunMode::Preview, 1234},
        {"Quorvane.scr /p:1234", RunMode::Preview, 0},
        {"Quorvane.scr -P 99", RunMode::Preview, 99},
        {"Quorvane.scr /c:1234", RunMode::Configure, 1234},
        {"Quorvane.scr /C:77", RunMode::Configure, 77},
        {"Quorvane.scr /c", RunMode::Configure, 0},
        {"Quorvane.scr /c 1234", RunMode::Configure, 0},
        {"Quorvane.scr /a 1234", RunMode::ChangePassword, 1234},
        {"Quorvane.scr /a:1234", RunMode::ChangePassword, 1234},
        {"Quorvane.scr /a:5 6", RunMode::ChangePassword, 5},
        {"Quorvane.scr -A", RunMode::ChangePassword, 0},
        {"\"C:\\Program Files\\Quorvane\\Quorvane.scr\" /p 42", RunMode::Preview, 42},
        {"\"C:\\Program Files\\Quorvane.scr\"", RunMode::FullScreen, 0},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.commandLine);
        const WordList words = SplitCommandLine(CharString(c.commandLine));
        const RunMode mode = ChooseRunMode(words);
        EXPECT_EQ(mode, c.mode);
        EXPECT_EQ(WindowNumberFor(mode, words), c.window);
    }
}

}  // namespace
