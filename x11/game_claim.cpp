#include "x11/game_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "display/settings_text.h"
#include "x11/config_file.h"
#include "x11/file_text.h"

namespace {

int32_t StoredGameNumber(const std::string& configPath) {
    SaverSettings settings{};
    CharString text;
    if (ReadFileText(configPath, text, ZeroByte::Kept) == FileTextResult::Read) {
        ApplySettingsText(settings, text);
    }
    return settings.currentGameNumber;
}

}  // namespace

int32_t ClaimGameNumber(const std::string& configPath, int32_t gameCount) {
    const std::string lockPath = configPath + ".lock";
    const int lock = open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lock >= 0) flock(lock, LOCK_EX);
    const int32_t stored = StoredGameNumber(configPath);
    const int32_t taken = stored >= 0 && stored < gameCount ? stored : 0;
    StoreGameNumber(configPath, taken + 1);
    if (lock >= 0) close(lock);  // closing releases the lock
    return taken;
}
