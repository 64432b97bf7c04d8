#include "x11/run_options.h"

namespace {

// Switches of XScreenSaver's modules that take a value, and those that do not; both ignored.
constexpr const char* kIgnoredWithValue[] = {"-visual", "-delay"};
constexpr const char* kIgnoredAlone[] = {"-install", "-noinstall", "-fps",
                                         "-no-fps",  "-pair",      "-mono"};

bool IsOneOf(const std::string& word, const auto& table) {
    for (const char* entry : table) {
        if (word == entry) return true;
    }
    return false;
}

// XScreenSaver's switches may be written with one dash or two.
std::string OneDash(const std::string& word) {
    return word.size() > 2 && word[0] == '-' && word[1] == '-' ? word.substr(1) : word;
}

}  // namespace

bool ParseWindowId(const std::string& text, uint64_t& id) {
    size_t at = 0;
    uint64_t base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        at = 2;
    }
    if (at == text.size()) return false;
    uint64_t value = 0;
    for (; at < text.size(); ++at) {
        const char ch = text[at];
        uint64_t digit = 99;
        if (ch >= '0' && ch <= '9') digit = static_cast<uint64_t>(ch - '0');
        if (ch >= 'a' && ch <= 'f') digit = static_cast<uint64_t>(ch - 'a' + 10);
        if (ch >= 'A' && ch <= 'F') digit = static_cast<uint64_t>(ch - 'A' + 10);
        if (digit >= base) return false;
        value = value * base + digit;
        if (value > 0xFFFFFFFFu) return false;
    }
    if (value == 0) return false;
    id = value;
    return true;
}

RunOptions ParseRunOptions(const std::vector<std::string>& words, const char* xscreensaverWindow) {
    RunOptions options{DrawTarget::OwnWindow, 0, {}, {}, {}, false, false, {}};
    bool targetGiven = false;
    for (size_t i = 0; i < words.size() && options.error.empty(); ++i) {
        const std::string word = OneDash(words[i]);
        const bool hasValue = i + 1 < words.size();
        if (word == "-root") {
            options.target = DrawTarget::Root;
            targetGiven = true;
        } else if (word == "-window") {
            options.target = DrawTarget::OwnWindow;
            targetGiven = true;
        } else if (word == "-fullscreen") {
            options.target = DrawTarget::FullScreen;
            targetGiven = true;
        } else if (word == "-window-id") {
            if (!hasValue || !ParseWindowId(words[i + 1], options.windowId)) {
                options.error = "-window-id needs a window number";
            }
            options.target = DrawTarget::GivenWindow;
            targetGiven = true;
            ++i;
        } else if (word == "-config") {
            if (!hasValue || words[i + 1].empty()) options.error = "--config needs a file";
            if (hasValue) options.configPath = words[++i];
        } else if (word == "-display") {
            if (!hasValue || words[i + 1].empty()) options.error = "-display needs a display name";
            if (hasValue) options.displayName = words[++i];
        } else if (ReadSettingSwitch(words, i, options.settings, options.error)) {
            // a setting's switch, read
        } else if (word == "-print-settings") {
            options.printSettings = true;
        } else if (word == "-h" || word == "-help") {
            options.showHelp = true;
        } else if (IsOneOf(word, kIgnoredWithValue)) {
            ++i;
        } else if (!IsOneOf(word, kIgnoredAlone)) {
            options.error = "unknown option " + words[i];
        }
    }
    // XScreenSaver runs its modules with -root and names its own window, which covers the real
    // root, in the variable: that window is the root to draw on.
    const bool rootOrNothing = !targetGiven || options.target == DrawTarget::Root;
    if (rootOrNothing && xscreensaverWindow != nullptr && xscreensaverWindow[0] != 0 &&
        options.error.empty()) {
        if (ParseWindowId(xscreensaverWindow, options.windowId)) {
            options.target = DrawTarget::GivenWindow;
        } else {
            options.error = "XSCREENSAVER_WINDOW holds no window number";
        }
    }
    return options;
}

const char* DisplayNameOrNull(const RunOptions& options) {
    return options.displayName.empty() ? nullptr : options.displayName.c_str();
}

std::string RunOptionsHelp() {
    return "Usage: quorvane [-root | -window | -window-id ID | --fullscreen] [-display NAME]\n"
           "                [--config FILE] [SETTINGS...] [--print-settings]\n"
           "Plays the games of a PGN file on a chess board, as a screen saver.\n"
           "  -root                       draw on the root window\n"
           "  -window-id ID               draw into the window ID (or $XSCREENSAVER_WINDOW's)\n"
           "  -window                     a window of its own (the default); Esc or q closes it\n"
           "  --fullscreen                a full-screen window over every monitor, for an idle\n"
           "                              daemon (swayidle, hypridle) where XScreenSaver cannot\n"
           "                              run; any key, a mouse button or a jump of the mouse\n"
           "                              ends it\n"
           "  -display NAME               the X display to use (default $DISPLAY)\n"
           "  --config FILE               the settings file (default\n"
           "                              $XDG_CONFIG_HOME/quorvane/quorvane.conf)\n"
           "  --print-settings            print the settings the run would use, and end\n"
           "SETTINGS, each for this run only (the settings file keeps its own, and the game\n"
           "to continue with is still written back to it):\n" +
           SettingSwitchesHelp();
}
