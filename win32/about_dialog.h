#pragma once
// The About box: the product's picture, name and version, the credit and the legal notice line.

#include <windows.h>

// What the box shows: the texts the entry point read from the string table at start, and the
// module whose string table holds the credit line. The texts outlive the box.
struct AboutContext {
    HINSTANCE instance;
    const char* windowTitle;
    const char* versionText;
    const char* noticeText;
};

// Template 133, modal and owned by owner (the settings dialog's "About" button opens it).
INT_PTR ShowAboutDialog(const AboutContext& context, HWND owner);
