// The dialog tests' program, run under Wine beside the installed saver. Without arguments it runs
// the tests; "--pose dialog|about|more-settings <file>" instead opens the settings dialog, the
// About box or "More settings" for a screenshot, writes its screen rectangle ("left top width
// height") to file and keeps it open until file is deleted; "--record-url <file> <address>" writes
// the address to file, standing in for a browser.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "dialog_fixture.h"
#include "user_settings.h"
#include "win32/resource_ids.h"

namespace {

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteRectangle(HWND window, const std::wstring& path) {
    RECT frame{};
    GetWindowRect(window, &frame);
    FILE* out = _wfopen(path.c_str(), L"w");
    if (out == nullptr) return false;
    std::fprintf(out, "%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top);
    std::fclose(out);
    return true;
}

// The dialog a screenshot shows: the settings dialog, or one it opens by a button.
struct Pose {
    const wchar_t* name;
    int button;  // 0: the settings dialog itself
    const char* caption;
};

constexpr Pose kPoses[] = {{L"dialog", 0, "Settings"},
                           {L"about", IDC_ABOUT_BUTTON, "About"},
                           {L"more-settings", IDC_MORE_SETTINGS, "More settings"}};

void SeedPoseSettings() {
    SeededSettings seed;
    seed.randomSkin = 0;
    seed.skinName = L"Quorvane.bmp";
    SeedUserSettings(seed);
    // A choice of games, as a user who reached "More settings" might make.
    WriteUserNumber(L"Game order", 1);
    WriteUserNumber(L"Minimum rating", 2500);
    WriteUserNumber(L"Decisive games only", 1);
}

int ShowPose(const Pose& pose, const std::wstring& rectangleFile) {
    SeedPoseSettings();
    SaverSession session;
    if (!OpenSettings(session)) return 2;
    HWND shown = session.settings;
    if (pose.button != 0) {
        PostClick(session.settings, pose.button);
        shown = WaitForDialog(pose.caption, session.settings, 10000);
        if (shown == nullptr) {
            KillSaver(session);
            return 2;
        }
    }
    PumpFor(1500);
    if (!WriteRectangle(shown, rectangleFile)) {
        KillSaver(session);
        return 2;
    }
    PumpUntil([&] { return !FileExists(rectangleFile); }, 60000);
    if (shown != session.settings) {
        PressKey(shown, VK_ESCAPE);
        WaitUntilGone(shown, 5000);
    }
    ClickButton(session.settings, IDCANCEL);
    return FinishSaver(session, 10000) == 0 ? 0 : 2;
}

int RecordUrl(const wchar_t* path, const wchar_t* address) {
    FILE* out = _wfopen(path, L"wb");
    if (out == nullptr) return 2;
    std::fprintf(out, "%ls", address);
    std::fclose(out);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"--pose") {
        for (const Pose& pose : kPoses) {
            if (argv[2] == std::wstring(pose.name)) return ShowPose(pose, argv[3]);
        }
        return 2;
    }
    if (argc == 4 && std::wstring(argv[1]) == L"--record-url") return RecordUrl(argv[2], argv[3]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
