// quorvane: the native Linux screen saver; an XScreenSaver display module or a window of its own.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/settings_text.h"
#include "x11/config_file.h"
#include "x11/data_folder.h"
#include "x11/run_options.h"
#include "x11/saver_loop.h"

namespace {

// The settings a run would use, as settings-file lines, after a comment naming the file read.
int PrintSettings(const RunOptions& options) {
    const std::string configPath = ChosenConfigPath(options.configPath);
    SaverSettings settings{};
    LoadSettingsFile(settings, configPath, DataFolder());
    ApplySettingOverrides(settings, options.settings);
    const CharString text = SettingsFileText(settings);
    std::printf("# settings file: %s\n", configPath.c_str());
    std::fwrite(text.chars(), 1, static_cast<size_t>(text.length()), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    const RunOptions options = ParseRunOptions(words, std::getenv("XSCREENSAVER_WINDOW"));
    if (!options.error.empty()) {
        std::fprintf(stderr, "quorvane: %s\nquorvane --help lists the options.\n",
                     options.error.c_str());
        return 2;
    }
    if (options.showHelp) {
        std::fputs(RunOptionsHelp().c_str(), stdout);
        return 0;
    }
    if (options.printSettings) return PrintSettings(options);
    return RunSaver(options);
}
