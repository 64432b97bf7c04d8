#include "display/settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/display/wide_literal.h"

namespace {

SaverSettings WithInstallPath(const std::string& folder) {
    SaverSettings settings;
    std::memset(&settings, 0x5a, sizeof(settings));  // every field holds garbage first
    const WideText wide = Wide(folder);
    settings.installPath[0] = 0;
    EXPECT_TRUE(CopyWideText(settings.installPath, wide.c_str()));
    return settings;
}

TEST(Settings, DefaultsSetEveryFieldButTheInstallPath) {
    SaverSettings settings = WithInstallPath("C:\\Program Files\\Quorvane");
    SetDefaultSettings(settings);
    EXPECT_EQ(Narrow(settings.installPath), "C:\\Program Files\\Quorvane");
    EXPECT_EQ(settings.fontColor, 0xc8c8c8u);
    EXPECT_EQ(settings.backgroundColor, 0u);
    EXPECT_EQ(settings.showInfo, 1);
    EXPECT_EQ(settings.timeMode, 1);
    EXPECT_EQ(settings.currentGameNumber, 0);
    EXPECT_EQ(settings.randomSkin, 1);
    EXPECT_EQ(settings.showLastMove, 1);
    EXPECT_EQ(settings.fitBoard, 0) << "a fresh installation shows the classic board";
    EXPECT_EQ(settings.animateMoves, 0);
    EXPECT_EQ(Narrow(settings.pgnPath),
              std::string("C:\\Program Files\\Quorvane") + kFolderSeparator + "varnoth.pgn");
    EXPECT_EQ(Narrow(settings.skinName), "Quorvane.bmp");
}

struct PgnDefaultCase {
    const char* name;
    size_t folderLength;
    bool fits;
};

TEST(Settings, DefaultPgnPathIsBuiltWholeOrLeftEmpty) {
    // The folder plus a separator and "varnoth.pgn" (12 characters) must leave room for the
    // terminator.
    const PgnDefaultCase cases[] = {
        {"empty folder", 0, true}, {"longest folder", 247, true}, {"one too long", 248, false}};
    for (const PgnDefaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder(c.folderLength, 'f');
        SaverSettings settings = WithInstallPath(folder);
        SetDefaultSettings(settings);
        EXPECT_EQ(Narrow(settings.pgnPath),
                  c.fits ? folder + kFolderSeparator + "varnoth.pgn" : "");
    }
}

}  // namespace
