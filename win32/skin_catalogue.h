#pragma once
// Finding and loading skins: bitmap files in the Skin folder below the installation folder.

#include <windows.h>

#include "display/settings.h"
#include "display/skin_choice.h"

// The saver's spelling of the folder; the dialog's "\skin\" names the same folder.
constexpr const char* kSaverSkinFolder = "\\Skin\\";

// A bitmap file loaded as a DIB section at its own size; null when the file is no bitmap.
HBITMAP LoadSkinFile(const WideChar* path);

// Installation folder + folder + name, loaded; null when the composed path does not fit the
// 260-character buffer, so that an over-long name counts as a failed load.
HBITMAP LoadSkinNamed(const SaverSettings& settings, const char* folder, const WideChar* name);

// The Skin folder's "*.bmp" files (folders so named left out) in the order the search returns
// them, at most capacity; returns how many.
int32_t ListSkinNames(const SaverSettings& settings, SkinName* names, int32_t capacity);

// Whether the folder of that scale below the Skin folder holds a file of that name.
bool HasLargeSkinFile(const SaverSettings& settings, const WideChar* name, int32_t scale);

// The named skin drawn at scale times the classic cell, from the folder of that scale below the
// Skin folder; null when there is none or it is not exactly that size.
HBITMAP LoadLargeSkin(const SaverSettings& settings, const WideChar* name, int32_t scale);

// Fills the settings dialog's list box with the folder's skin files, in the platform's order,
// through the wide-character path so that any folder name lists.
void ListSkinFiles(HWND list, const SaverSettings& settings);

// The text of the list's selection, kept in one buffer for the whole program: with no selection
// (or a text too long for the buffer) it still holds the text read before, empty at first.
const WideChar* ReadSelectedSkinName(HWND list);

// Loads the list's selected skin into the preview device context, deleting the bitmap selected
// there before; false when it does not load (the previous bitmap stays, but is no longer the
// selection's: the preview then shows the background).
bool LoadPreviewSkin(const SaverSettings& settings, HWND list, HDC previewDC);
