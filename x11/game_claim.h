#pragma once
// Games handed out through the settings file, for processes that share it: XScreenSaver runs one
// process per monitor, and with a game of its own on each monitor every process claims each game
// it shows, so that no two show the same one and the number stored is always the next unseen.

#include <cstdint>
#include <string>

// Under an exclusive lock on a file beside the settings file: the stored "Current game number"
// (0 when it is not below gameCount) is taken, and the one after it stored. The lock file is made
// without following a link; when it cannot be made the claim goes on unlocked.
int32_t ClaimGameNumber(const std::string& configPath, int32_t gameCount);
