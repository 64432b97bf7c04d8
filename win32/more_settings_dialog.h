#pragma once
// "More settings": every setting of the table that the settings dialog has no control for, each
// with a control of its kind, in a dialog built at run time from the table.

#include <windows.h>

#include "display/settings.h"

// Modal, owned by owner (the settings dialog), editing settings, the settings dialog's own
// record: OK puts the controls' values into it (numbers held within their rows' ranges) and
// gives true; Cancel, Esc or the close box leave it as it was and give false. Nothing is stored.
bool ShowMoreSettingsDialog(HINSTANCE instance, HWND owner, SaverSettings& settings);
