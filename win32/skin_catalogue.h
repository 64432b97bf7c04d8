#pragma once
// Finding and loading skins: bitmap files in the Skin folder below the installation folder.

#include <windows.h>

#include "display/settings.h"

// At most this many skins take part in a random pick.
constexpr int32_t kMaxRandomSkins = 100;

// A bitmap file loaded as a DIB section at its own size; null when the file is no bitmap.
HBITMAP LoadSkinFile(const WideChar* path);

// Installation folder + folder + name, loaded; null when the composed path does not fit the
// 260-character buffer, so that an over-long name counts as a failed load.
HBITMAP LoadSkinNamed(const SaverSettings& settings, const char* folder, const WideChar* name);

// The skin of a saver run: the named one when randomSkin is 0 and it loads, else a random one.
HBITMAP LoadSaverSkin(const SaverSettings& settings);

// The same, giving the chosen file's name, so that its larger drawings can be found.
HBITMAP LoadSaverSkin(const SaverSettings& settings, WideChar (&chosen)[kPathCapacity]);

// One of the first 100 skins the folder search returns, chosen with rand(); when it does not
// load, the others in a further random order; null when none loads.
HBITMAP PickRandomSkin(const SaverSettings& settings);
HBITMAP PickRandomSkin(const SaverSettings& settings, WideChar (&chosen)[kPathCapacity]);

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
