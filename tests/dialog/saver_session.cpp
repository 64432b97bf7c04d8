#include "saver_session.h"

#include <vector>

namespace {

constexpr wchar_t kOwnerClass[] = L"QuorvaneDialogTestOwner";

struct DialogSearch {
    const char* caption;
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<DialogSearch*>(data);
    char className[32] = {0};
    char title[128] = {0};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (lstrcmpA(className, "#32770") == 0 && lstrcmpA(title, search->caption) == 0 &&
        IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->owner) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring SaverPath() {
    wchar_t folder[MAX_PATH] = {0};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\Quorvane.scr";
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done()) return true;
        if (GetTickCount64() >= deadline) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void PumpFor(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

HWND OwnerWindow() {
    static HWND owner = nullptr;
    if (owner != nullptr) return owner;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassW(&windowClass);
    // Small and in the corner, like the desktop settings' window that owns the dialog on Windows.
    owner = CreateWindowExW(0, kOwnerClass, L"Quorvane dialog test owner", WS_POPUP | WS_VISIBLE, 0,
                            0, 40, 40, nullptr, nullptr, windowClass.hInstance, nullptr);
    PumpFor(100);
    return owner;
}

bool StartSaver(SaverSession& session, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + SaverPath() + L"\" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &session.process) != 0;
}

bool OpenSettings(SaverSession& session) {
    const HWND owner = OwnerWindow();
    const auto number = static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(owner));
    if (!StartSaver(session, L"/c:" + std::to_wstring(number))) return false;
    session.settings = WaitForDialog("Settings", owner, 20000);
    // The first paint has happened once the dialog answers a sent message after showing.
    if (session.settings != nullptr) PumpFor(300);
    return session.settings != nullptr;
}

int FinishSaver(SaverSession& session, DWORD timeoutMs) {
    if (session.process.hProcess == nullptr) return -1;
    const HANDLE process = session.process.hProcess;
    const bool ended = PumpUntil(
        [process] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeoutMs);
    DWORD code = static_cast<DWORD>(-1);
    if (ended) {
        GetExitCodeProcess(process, &code);
    } else {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(session.process.hThread);
    CloseHandle(process);
    session.process = PROCESS_INFORMATION{};
    session.settings = nullptr;
    return ended ? static_cast<int>(code) : -1;
}

void KillSaver(SaverSession& session) {
    if (session.process.hProcess == nullptr) return;
    TerminateProcess(session.process.hProcess, 99);
    FinishSaver(session, 5000);
}

HWND WaitForDialog(const char* caption, HWND owner, DWORD timeoutMs) {
    DialogSearch search{caption, owner, nullptr};
    PumpUntil(
        [&search] {
            EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    return PumpUntil([window] { return !IsWindow(window); }, timeoutMs);
}

void ClickButton(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PostClick(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PressKey(HWND dialog, WPARAM virtualKey) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    HWND target = dialog;
    const DWORD threadId = GetWindowThreadProcessId(dialog, nullptr);
    if (GetGUIThreadInfo(threadId, &thread) && thread.hwndFocus != nullptr) {
        target = thread.hwndFocus;
    }
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001));
}

void SelectListEntry(HWND dialog, int listId, int index) {
    HWND list = GetDlgItem(dialog, listId);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

int AddListEntry(HWND dialog, int listId, const std::wstring& text) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, listId), LB_ADDSTRING, 0,
                                         reinterpret_cast<LPARAM>(text.c_str())));
}

std::wstring ControlText(HWND dialog, int id) {
    // Sent rather than GetWindowText, which does not ask a window of another process.
    HWND control = GetDlgItem(dialog, id);
    const auto length = static_cast<int>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(length) + 1,
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

bool IsTicked(HWND dialog, int id) {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int ListSelection(HWND dialog, int listId) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, listId), LB_GETCURSEL, 0, 0));
}

std::wstring ListEntry(HWND dialog, int listId, int index) {
    HWND list = GetDlgItem(dialog, listId);
    const auto length =
        static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0));
    if (length < 0) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}
