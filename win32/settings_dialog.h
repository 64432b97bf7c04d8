#pragma once
// The settings dialog: edits its own copy of the settings with a live skin preview and stores it
// on OK. Opened modally with template 136 for the configure run mode.

#include <windows.h>

#include "display/settings.h"

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Puts the record's values into the controls; a skin already selected in the list stays selected.
void RefreshSettingsControls(HWND dialog, SaverSettings settings);

// Repaints a colour button with a solid image of the colour whose number is the button's text.
void PaintColorSwatch(HWND dialog, int buttonId);

// The file-open step of "Select": true and settings.pgnPath set when the user chose a file.
bool ChoosePgnFile(SaverSettings& settings, HWND dialog);
