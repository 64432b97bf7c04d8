#include "x11/config_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/x11/child_run.h"
#include "tests/x11/temp_folder.h"

namespace {

// The saver's place with game number: what a run that ends on that game stores.
bool StoreNumber(const std::string& path, int32_t number) {
    SaverSettings settings{};
    SetDefaultSettings(settings);
    settings.currentGameNumber = number;
    return StoreSaverPlace(path, settings);
}

TEST(ConfigFile, DefaultPathFollowsTheXdgRules) {
    struct PathCase {
        const char* name;
        const char* xdg;
        const char* home;
        std::string expected;
    };
    const PathCase cases[] = {
        {"XDG_CONFIG_HOME set", "/cfg", "/home/ann", "/cfg/quorvane/quorvane.conf"},
        {"unset", nullptr, "/home/ann", "/home/ann/.config/quorvane/quorvane.conf"},
        {"empty", "", "/home/ann", "/home/ann/.config/quorvane/quorvane.conf"},
        {"relative is ignored", "cfg", "/home/ann", "/home/ann/.config/quorvane/quorvane.conf"},
        {"no home either", nullptr, nullptr, ""},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DefaultConfigPath(c.xdg, c.home), c.expected);
    }
}

TEST(ConfigFile, DefaultsComeFromTheDataFolderAndTheFileOverridesThem) {
    TempFolder folder;
    SaverSettings settings{};
    LoadSettingsFile(settings, (folder.path / "missing.conf").string(), "/usr/share/quorvane");
    EXPECT_EQ(PathBytes(settings.installPath), "/usr/share/quorvane");
    EXPECT_EQ(PathBytes(settings.pgnPath), "/usr/share/quorvane/varnoth.pgn");
    EXPECT_EQ(settings.timeMode, 1);

    const std::string conf = folder.Write("q.conf", "Time mode=0\nPath to PGN file=/g/a.pgn\n");
    LoadSettingsFile(settings, conf, "/usr/share/quorvane");
    EXPECT_EQ(settings.timeMode, 0);
    EXPECT_EQ(PathBytes(settings.pgnPath), "/g/a.pgn");
}

TEST(ConfigFile, TheGameNumberIsWrittenBackInPlaceOfTheOldFile) {
    TempFolder folder;
    const std::string conf =
        folder.Write("q.conf", "# my settings\nTime mode=2\nCurrent game number=3\n");
    chmod(conf.c_str(), 0640);
    ASSERT_TRUE(StoreNumber(conf, 17));
    EXPECT_EQ(ReadAll(conf), "# my settings\nTime mode=2\nCurrent game number=17\n");
    struct stat status {};
    ASSERT_EQ(stat(conf.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    // Nothing but the file is left in the folder: the temporary one was renamed over it.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(ConfigFile, AZeroByteNeitherEndsTheFileNorIsLost) {
    TempFolder folder;
    const std::string bytes("junk\0junk\nTime mode=0\n", 22);
    const std::string conf = folder.Write("q.conf", bytes);
    SaverSettings settings{};
    LoadSettingsFile(settings, conf, "/data");
    EXPECT_EQ(settings.timeMode, 0);
    ASSERT_TRUE(StoreNumber(conf, 4));
    EXPECT_EQ(ReadAll(conf), bytes + "Current game number=4\n");
}

TEST(ConfigFile, AMissingFileAndItsFoldersAreMade) {
    TempFolder folder;
    const std::string conf = (folder.path / "a/b/quorvane.conf").string();
    ASSERT_TRUE(StoreNumber(conf, 5));
    EXPECT_EQ(ReadAll(conf), "Current game number=5\n");
}

TEST(ConfigFile, ALinkedFileIsRewrittenWhereItLies) {
    TempFolder folder;
    const std::string target = folder.Write("dotfiles/quorvane.conf", "Show info=0\n");
    const std::filesystem::path link = folder.path / "link.conf";
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(StoreNumber(link.string(), 2));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadAll(target), "Show info=0\nCurrent game number=2\n");
}

TEST(ConfigFile, AFailedWriteReportsItAndLeavesNoFile) {
    TempFolder folder;
    // The settings "folder" is a file: neither the folder nor the temporary file can be made.
    const std::string blocker = folder.Write("plain-file", "x");
    EXPECT_FALSE(StoreNumber(blocker + "/q.conf", 2));
    EXPECT_EQ(ReadAll(blocker), "x");
    EXPECT_FALSE(StoreNumber("", 2));
}

// Another user who may write the settings folder plants a link where the old code's temporary
// file went (quorvane.conf.new-<pid>, opened without O_EXCL) to have a file of ours truncated.
TEST(ConfigFile, APlantedLinkCannotRedirectTheRewrite) {
    TempFolder folder;
    const std::string conf = folder.Write("q.conf", "Time mode=2\n");
    const std::string victim = folder.Write("victim", "precious\n");
    std::filesystem::create_symlink(victim, conf + ".new-" + std::to_string(getpid()));
    ASSERT_TRUE(StoreNumber(conf, 3));
    EXPECT_EQ(ReadAll(victim), "precious\n");
    EXPECT_EQ(ReadAll(conf), "Time mode=2\nCurrent game number=3\n");
}

TEST(ConfigFile, AFileOverTheTextLimitIsNeitherReadNorCut) {
    TempFolder folder;
    const std::string text =
        "Time mode=0\n#" + std::string(CharString::kMaxStringLength, 'x') + "\n";
    const std::string conf = folder.Write("q.conf", text);
    SaverSettings settings{};
    LoadSettingsFile(settings, conf, "/data");
    EXPECT_EQ(settings.timeMode, 1);
    EXPECT_FALSE(StoreNumber(conf, 4));
    EXPECT_EQ(std::filesystem::file_size(conf), text.size());
}

TEST(ConfigFile, AFileTheUserCannotReadIsLeftAsItIs) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    TempFolder folder;
    const std::string conf = folder.Write("q.conf", "Time mode=0\nCurrent game number=3\n");
    chmod(conf.c_str(), 0200);
    EXPECT_FALSE(StoreNumber(conf, 4));
    chmod(conf.c_str(), 0600);
    EXPECT_EQ(ReadAll(conf), "Time mode=0\nCurrent game number=3\n");
}

TEST(ConfigFile, AReadOnlyFileIsLeftAsItIs) {
    TempFolder folder;
    const std::string conf = folder.Write("q.conf", "Current game number=3\n");
    chmod(conf.c_str(), 0444);
    EXPECT_FALSE(StoreNumber(conf, 4));
    EXPECT_EQ(ReadAll(conf), "Current game number=3\n");
}

TEST(ConfigFile, CarriageReturnLineEndsAreKept) {
    TempFolder folder;
    const std::string conf = folder.Write("q.conf", "Time mode=2\rCurrent game number=3\r");
    SaverSettings settings{};
    LoadSettingsFile(settings, conf, "/data");
    EXPECT_EQ(settings.timeMode, 2);
    EXPECT_EQ(settings.currentGameNumber, 3);
    ASSERT_TRUE(StoreNumber(conf, 5));
    EXPECT_EQ(ReadAll(conf), "Time mode=2\rCurrent game number=5\r");
}

// A FIFO used to hold the program in open() before any window came up, beyond SIGTERM's reach.
TEST(ConfigFile, ASettingsFileThatIsNoRegularFileIsRefusedAtOnce) {
    TempFolder folder;
    const std::string fifo = (folder.path / "q.conf").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string exit = ExitOfChild([&] {
        SaverSettings settings{};
        LoadSettingsFile(settings, fifo, "/data");
        const bool defaults = settings.timeMode == 1;
        return defaults && !StoreNumber(fifo, 4) ? 0 : 1;
    });
    EXPECT_EQ(exit, "0");
    struct stat status {};
    ASSERT_EQ(lstat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

TEST(ConfigFile, ATildeStandsForTheHomeFolderOnlyAtTheStart) {
    struct TildeCase {
        const char* path;
        const char* home;
        std::string expected;
    };
    const TildeCase cases[] = {{"~/games/a.pgn", "/home/ann", "/home/ann/games/a.pgn"},
                               {"~", "/home/ann", "/home/ann"},
                               {"~bob/a.pgn", "/home/ann", "~bob/a.pgn"},
                               {"/data/~/a.pgn", "/home/ann", "/data/~/a.pgn"},
                               {"~/a.pgn", "", "~/a.pgn"},
                               {"~/a.pgn", nullptr, "~/a.pgn"}};
    for (const TildeCase& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExpandHome(c.path, c.home), c.expected);
    }
}

TEST(ConfigFile, ThePgnMessageNamesTheFileToEdit) {
    const std::string text = PgnMissingTextFor("/home/ann/.config/quorvane/quorvane.conf");
    EXPECT_NE(text.find("PGN file not found."), std::string::npos);
    EXPECT_NE(text.find("\"/home/ann/.config/quorvane/quorvane.conf\""), std::string::npos);
    EXPECT_NE(text.find("Path to PGN file="), std::string::npos);
}

}  // namespace
