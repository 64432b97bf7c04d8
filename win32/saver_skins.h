#pragma once
// The Windows saver's side of the session: reading the PGN file and listing and loading the
// skins the session chooses, into the shell's skin surfaces.

#include "display/saver_session.h"

// The functions the session calls on the saver window's behalf; the skins load into the shell's
// state, by the settings the session holds.
SaverPlatform SaverWindowPlatform();

// Releases what the skin loads left: the classic drawing and any larger one.
void ReleaseLoadedSkins();
