#pragma once
// A dialog template made at run time, for a dialog whose controls come from a table rather than
// the resource script: the extended template's header and items, in dialog units, in the shell
// font the resource script's dialogs use, so that it scales with the font and the DPI as they do.

#include <windows.h>

#include <cstdint>
#include <vector>

struct DialogTemplate {
    std::vector<WORD> words;  // the template as the dialog functions read it
    size_t itemCountAt;       // where the header counts the items
};

struct DialogItem {
    const wchar_t* windowClass;  // a class name: "Button", "Edit", "msctls_updown32", ...
    const wchar_t* text;
    DWORD style;  // WS_CHILD and WS_VISIBLE are added
    int id;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// A centred modal dialog with a caption and a close box, "MS Shell Dlg" 8 points, no items yet.
DialogTemplate BeginDialogTemplate(const wchar_t* title, int32_t width, int32_t height);

// Adds an item after the others: the tab order is the order of the calls.
void AddDialogItem(DialogTemplate& dialog, const DialogItem& item);

// The template for DialogBoxIndirectParamW; valid while dialog is unchanged.
const DLGTEMPLATE* TemplateOf(const DialogTemplate& dialog);
