#include "win32/dialog_template.h"

namespace {

void PutWord(DialogTemplate& dialog, int32_t value) {
    dialog.words.push_back(static_cast<WORD>(value & 0xFFFF));
}

// DWORDs go low half first, as the platform stores them.
void PutDword(DialogTemplate& dialog, DWORD value) {
    dialog.words.push_back(static_cast<WORD>(value & 0xFFFF));
    dialog.words.push_back(static_cast<WORD>(value >> 16));
}

void PutText(DialogTemplate& dialog, const wchar_t* text) {
    for (; text != nullptr && *text != 0; ++text)
        dialog.words.push_back(static_cast<WORD>(*text));
    dialog.words.push_back(0);
}

// Every item starts on a DWORD boundary.
void AlignToDword(DialogTemplate& dialog) {
    if (dialog.words.size() % 2 != 0) dialog.words.push_back(0);
}

}  // namespace

DialogTemplate BeginDialogTemplate(const wchar_t* title, int32_t width, int32_t height) {
    DialogTemplate dialog{{}, 0};
    PutWord(dialog, 1);       // version of the extended template
    PutWord(dialog, 0xFFFF);  // its signature
    PutDword(dialog, 0);      // help id
    PutDword(dialog, 0);      // extended style
    PutDword(dialog, DS_SHELLFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    dialog.itemCountAt = dialog.words.size();
    PutWord(dialog, 0);
    PutWord(dialog, 0);  // x and y: DS_CENTER places it
    PutWord(dialog, 0);
    PutWord(dialog, width);
    PutWord(dialog, height);
    PutWord(dialog, 0);  // no menu
    PutWord(dialog, 0);  // the standard dialog class
    PutText(dialog, title);
    PutWord(dialog, 8);  // points
    PutWord(dialog, FW_NORMAL);
    PutWord(dialog, DEFAULT_CHARSET << 8);  // not italic (low byte), the default character set
    PutText(dialog, L"MS Shell Dlg");
    return dialog;
}

void AddDialogItem(DialogTemplate& dialog, const DialogItem& item) {
    AlignToDword(dialog);
    PutDword(dialog, 0);  // help id
    PutDword(dialog, 0);  // extended style
    PutDword(dialog, item.style | WS_CHILD | WS_VISIBLE);
    PutWord(dialog, item.x);
    PutWord(dialog, item.y);
    PutWord(dialog, item.width);
    PutWord(dialog, item.height);
    PutDword(dialog, static_cast<DWORD>(item.id));
    PutText(dialog, item.windowClass);
    PutText(dialog, item.text);
    PutWord(dialog, 0);  // no creation data
    ++dialog.words[dialog.itemCountAt];
}

const DLGTEMPLATE* TemplateOf(const DialogTemplate& dialog) {
    return reinterpret_cast<const DLGTEMPLATE*>(dialog.words.data());
}
