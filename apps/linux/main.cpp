// quorvane: the native Linux screen saver; an XScreenSaver display module or a window of its own.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "x11/run_options.h"
#include "x11/saver_loop.h"

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    const RunOptions options = ParseRunOptions(words, std::getenv("XSCREENSAVER_WINDOW"));
    if (!options.error.empty()) {
        std::fprintf(stderr, "quorvane: %s\n%s", options.error.c_str(), RunOptionsHelp());
        return 2;
    }
    if (options.showHelp) {
        std::fputs(RunOptionsHelp(), stdout);
        return 0;
    }
    return RunSaver(options);
}
