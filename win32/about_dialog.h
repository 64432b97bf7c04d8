#pragma once
// The About box: the product's picture, name and version, the credit and the legal notice line.

#include <windows.h>

// Template 133, opened by the settings dialog's "About" button and owned by it.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
