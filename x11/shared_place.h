#pragma once
// The place in the saver's order kept in the settings file, handed out to processes that share
// it: XScreenSaver runs one process per monitor, and with a game of its own on each monitor every
// process claims each game it shows, so that no two show the same one and the place stored is
// always the next unseen.

#include <string>

#include "display/game_chooser.h"
#include "display/settings.h"

// Takes an exclusive lock on a file beside the settings file (made without following a link)
// and reads the stored place. The lock is held until UnlockStoredPlace; -1 when it could not be
// taken (the place is read all the same).
int LockStoredPlace(const std::string& configPath, ResumePoint& stored);

// Stores the place next holds as the one to continue from and lets the lock go.
void UnlockStoredPlace(const std::string& configPath, const SaverSettings& next, int lock);
