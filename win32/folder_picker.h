#pragma once
// The platform's folder chooser: the file-open dialog in its folder-picking mode.

#include <windows.h>

#include "display/wide_text.h"

// Modal, owned by owner, opening at start (a folder, or the folder of a file; anything else is
// left to the dialog). True and folder set when the user chose a folder whose path fits it; false
// and folder untouched otherwise.
bool PickFolder(HWND owner, const wchar_t* title, const WideChar* start,
                WideChar (&folder)[kPathCapacity]);
