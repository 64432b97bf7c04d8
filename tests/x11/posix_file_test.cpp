#include "x11/posix_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/x11/child_run.h"
#include "tests/x11/temp_folder.h"

namespace {

std::string TextOf(const CharString& text) {
    return std::string(text.chars(), static_cast<size_t>(text.length()));
}

struct RefusedCase {
    const char* name;
    std::string path;
    int error;
};

// The saver refuses at once whatever is no regular file: a FIFO without a writer used to hold
// the open before any window came up.
TEST(PosixFile, TheSaverRefusesAtOnceWhatIsNoRegularFile) {
    TempFolder folder;
    const std::string fifo = (folder.path / "games.pgn").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const RefusedCase cases[] = {
        {"missing", (folder.path / "none.pgn").string(), ENOENT},
        {"folder", folder.path.string(), EISDIR},
        {"FIFO without a writer", fifo, kNotRegularFile},
        {"device", "/dev/zero", kNotRegularFile},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string exit = ExitOfChild([&] {
            CharString text("before");
            int error = 0;
            const PgnFileResult result =
                ReadPgnFilePosix(c.path, text, StreamFiles::Refused, error);
            return result == PgnFileResult::NotOpened && error == c.error && text.equals("before")
                       ? 0
                       : 1;
        });
        EXPECT_EQ(exit, "0");
    }
}

// quorvane-pgn still reads a pipe, as from <(zcat games.pgn.gz); the saver does not.
TEST(PosixFile, ThePgnToolReadsAPipe) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    ASSERT_EQ(write(ends[1], "1. e4 e5", 8), 8);
    close(ends[1]);
    const std::string path = "/proc/self/fd/" + std::to_string(ends[0]);
    CharString text;
    int error = 0;
    EXPECT_EQ(ReadPgnFilePosix(path, text, StreamFiles::Refused, error), PgnFileResult::NotOpened);
    EXPECT_EQ(ReadPgnFilePosix(path, text, StreamFiles::Read, error), PgnFileResult::Read);
    EXPECT_EQ(TextOf(text), "1. e4 e5");
    close(ends[0]);
}

}  // namespace
