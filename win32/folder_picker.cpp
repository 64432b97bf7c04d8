#include "win32/folder_picker.h"

#include <shobjidl.h>

namespace {

// The folder to open at: start itself when it is a folder, else the folder holding it.
IShellItem* StartingFolder(const WideChar* start) {
    IShellItem* item = nullptr;
    if (start == nullptr || start[0] == 0 ||
        FAILED(SHCreateItemFromParsingName(start, nullptr, IID_IShellItem,
                                           reinterpret_cast<void**>(&item)))) {
        return nullptr;
    }
    const DWORD attributes = GetFileAttributesW(start);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return item;
    }
    IShellItem* parent = nullptr;
    if (FAILED(item->GetParent(&parent))) parent = nullptr;
    item->Release();
    return parent;
}

bool ShowPicker(IFileOpenDialog* picker, HWND owner, const wchar_t* title, const WideChar* start,
                WideChar (&folder)[kPathCapacity]) {
    DWORD options = 0;
    picker->GetOptions(&options);
    // Only folders with a path: a library or a device has none the saver could read.
    picker->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST |
                       FOS_NOCHANGEDIR);
    picker->SetTitle(title);
    if (IShellItem* opening = StartingFolder(start)) {
        picker->SetFolder(opening);
        opening->Release();
    }
    if (FAILED(picker->Show(owner))) return false;  // also when cancelled
    IShellItem* chosen = nullptr;
    if (FAILED(picker->GetResult(&chosen))) return false;
    PWSTR path = nullptr;
    bool taken = false;
    if (SUCCEEDED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        taken = CopyWideText(folder, path);
        CoTaskMemFree(path);
    }
    chosen->Release();
    return taken;
}

}  // namespace

bool PickFolder(HWND owner, const wchar_t* title, const WideChar* start,
                WideChar (&folder)[kPathCapacity]) {
    // The dialog is a COM object of the calling thread's apartment.
    const HRESULT apartment =
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    IFileOpenDialog* picker = nullptr;
    bool chosen = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IFileOpenDialog, reinterpret_cast<void**>(&picker)))) {
        chosen = ShowPicker(picker, owner, title, start, folder);
        picker->Release();
    }
    if (SUCCEEDED(apartment)) CoUninitialize();
    return chosen;
}
