// The dialog tests' program, run under Wine beside the installed saver. Without arguments it runs
// the tests; "--pose settings|about <file>" instead opens that dialog for a screenshot, writes its
// screen rectangle ("left top width height") to file and keeps it open until file is deleted;
// "--record-url <file> <address>" writes the address to file, standing in for a browser.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "dialog_fixture.h"
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

int Pose(bool about, const std::wstring& rectangleFile) {
    SeededSettings seed;
    seed.randomSkin = 0;
    seed.skinName = L"Quorvane.bmp";
    SeedUserSettings(seed);
    SaverSession session;
    if (!OpenSettings(session)) return 2;
    HWND shown = session.settings;
    if (about) {
        PostClick(session.settings, IDC_ABOUT_BUTTON);
        shown = WaitForDialog("About", session.settings, 10000);
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
    if (about) {
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
        return Pose(std::wstring(argv[2]) == L"about", argv[3]);
    }
    if (argc == 4 && std::wstring(argv[1]) == L"--record-url") return RecordUrl(argv[2], argv[3]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
