#include "x11/data_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(DataFolder, FoundBesideAProgramInTheInstallLayout) {
    struct BesideCase {
        const char* name;
        const char* program;
        const char* moduleFolder;
        std::string expected;
    };
    const BesideCase cases[] = {
        {"the package", "/usr/libexec/xscreensaver/quorvane", "libexec/xscreensaver",
         "/usr/share/quorvane"},
        {"a home prefix", "/home/ann/.local/libexec/xscreensaver/quorvane", "libexec/xscreensaver",
         "/home/ann/.local/share/quorvane"},
        {"the root as prefix", "/libexec/xscreensaver/quorvane", "libexec/xscreensaver",
         "/share/quorvane"},
        {"another module folder", "/opt/q/lib/xscreensaver/quorvane", "lib/xscreensaver",
         "/opt/q/share/quorvane"},
        {"a build tree", "/src/quorvane/build/native/quorvane", "libexec/xscreensaver", ""},
        {"a folder that only ends like it", "/opt/mylibexec/xscreensaver/quorvane",
         "libexec/xscreensaver", ""},
        {"the module folder above the program's", "/usr/libexec/xscreensaver/bin/quorvane",
         "libexec/xscreensaver", ""},
        {"an absolute module folder", "/usr/libexec/xscreensaver/quorvane", "/usr/libexec", ""},
        {"no folder in the path", "quorvane", "libexec/xscreensaver", ""},
        {"no path at all", "", "libexec/xscreensaver", ""},
    };
    for (const BesideCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DataFolderBeside(c.program, c.moduleFolder, "share/quorvane"), c.expected);
    }
    EXPECT_EQ(DataFolderBeside("/usr/libexec/xscreensaver/quorvane", "libexec/xscreensaver",
                               "/usr/share/quorvane"),
              "")
        << "an absolute data folder is no place beside the program";
}

}  // namespace
