#pragma once
// The native program's command line, in XScreenSaver's conventions for a display module.

#include <cstdint>
#include <string>
#include <vector>

#include "x11/setting_switches.h"

enum class DrawTarget : int32_t { OwnWindow, Root, GivenWindow, FullScreen };

struct RunOptions {
    DrawTarget target;
    uint64_t windowId;                      // GivenWindow only
    std::string configPath;                 // empty: the default settings file
    std::string displayName;                // empty: $DISPLAY
    std::vector<SettingOverride> settings;  // the settings' switches, in their order
    bool showHelp;
    bool printSettings;
    std::string error;  // non-empty when the command line is refused
};

// Reads the words after the program's name: -root, -window, -window-id ID (decimal or 0x hex),
// -fullscreen, -display NAME, --config FILE, the settings' switches (x11/setting_switches.h),
// --print-settings, -h/--help. With -root or none of the four targets, a window id in
// xscreensaverWindow (XSCREENSAVER_WINDOW, may be null) is taken: XScreenSaver's window stands in
// for the root. Else -root is the root window, and nothing the program's own window.
// XScreenSaver's other common switches (-install, -visual V, -fps, -pair, ...) are accepted and
// ignored, so that a line copied from another module runs.
RunOptions ParseRunOptions(const std::vector<std::string>& words, const char* xscreensaverWindow);

// A window id: decimal or 0x hexadecimal, above 0 and below 2^32; false otherwise.
bool ParseWindowId(const std::string& text, uint64_t& id);

// The display to open: the -display name, or null for $DISPLAY.
const char* DisplayNameOrNull(const RunOptions& options);

// The text -h prints, with every setting's switch.
std::string RunOptionsHelp();
