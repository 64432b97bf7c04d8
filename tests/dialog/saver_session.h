#pragma once
// Runs the real Quorvane.scr in its configure mode, owned by a window of this program, and finds
// and drives the dialogs it shows. Every wait keeps this program's messages flowing: the saver's
// modal dialog disables and re-enables its owner window, which is a synchronous call into us.

#include <windows.h>

#include <functional>
#include <string>

// Handles this thread's messages until done() holds or timeoutMs has passed; done()'s last answer.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpFor(DWORD milliseconds);

// The top-level window whose handle goes on the saver's /c: command line; made once.
HWND OwnerWindow();

struct SaverSession {
    PROCESS_INFORMATION process{};
    HWND settings = nullptr;
};

// Starts "<system folder>\Quorvane.scr <arguments>"; false when the program cannot be started.
bool StartSaver(SaverSession& session, const std::wstring& arguments);

// Starts the saver with /c:<owner> and waits for its settings dialog; false when none appears.
bool OpenSettings(SaverSession& session);

// Waits for the saver to end and gives its exit code; -1 when it had to be killed.
int FinishSaver(SaverSession& session, DWORD timeoutMs);

// Kills a saver left running by a failed test.
void KillSaver(SaverSession& session);

// A visible dialog (class #32770) with this caption whose owner is owner; null after timeoutMs.
HWND WaitForDialog(const char* caption, HWND owner, DWORD timeoutMs);
bool WaitUntilGone(HWND window, DWORD timeoutMs);

// BM_CLICK, sent: returns when the dialog has handled the click.
void ClickButton(HWND dialog, int id);
// BM_CLICK, posted: for buttons that open a modal dialog, whose loop would block a sent click.
void PostClick(HWND dialog, int id);
// A key press delivered to the dialog's focused control, as the dialog's message loop sees it.
void PressKey(HWND dialog, WPARAM virtualKey);

// Selects a list entry the way a user's click does: the selection, then LBN_SELCHANGE.
void SelectListEntry(HWND dialog, int listId, int index);
// Adds an entry to a list box of another process.
int AddListEntry(HWND dialog, int listId, const std::wstring& text);

std::wstring ControlText(HWND dialog, int id);
bool IsTicked(HWND dialog, int id);
int ListSelection(HWND dialog, int listId);
std::wstring ListEntry(HWND dialog, int listId, int index);
