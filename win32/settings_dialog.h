#pragma once
// The settings dialog: edits its own copy of the settings with a live skin preview and stores it
// on OK. Opened modally with template 136 for the configure run mode.

#include <windows.h>

#include "display/settings.h"
#include "win32/about_dialog.h"

// What the dialog is given by whoever opens it: the module holding its templates, the saver's
// settings the preview is drawn with, and what the About box shows. All outlive the dialog.
struct SettingsDialogContext {
    HINSTANCE instance;
    const SaverSettings* saverSettings;
    AboutContext about;
};

// Template 136, modal and owned by owner; 1 after OK (the settings are stored), 2 after Cancel.
INT_PTR ShowSettingsDialog(const SettingsDialogContext& context, HWND owner);

// Puts the record's values into the controls; a skin already selected in the list stays selected.
void RefreshSettingsControls(HWND dialog, SaverSettings settings);

// Repaints a colour button with a solid image of the colour whose number is the button's text.
void PaintColorSwatch(HWND dialog, int buttonId);

// The file-open step of "Select": true and settings.pgnPath set when the user chose a file.
bool ChoosePgnFile(SaverSettings& settings, HWND dialog);

// The folder step of "Folder...": true and settings.pgnPath set to the folder the user chose,
// every *.pgn file of which plays.
bool ChoosePgnFolder(SaverSettings& settings, HWND dialog);
