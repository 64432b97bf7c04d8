#include "x11/shared_place.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "x11/config_file.h"

int LockStoredPlace(const std::string& configPath, ResumePoint& stored) {
    const std::string lockPath = configPath + ".lock";
    const int lock = open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lock >= 0 && flock(lock, LOCK_EX) != 0) {
        close(lock);
        return -1;
    }
    SaverSettings settings{};
    LoadSettingsFile(settings, configPath, std::string());
    stored = ResumePoint{PathBytes(settings.currentFile), settings.currentGameNumber,
                         static_cast<uint32_t>(settings.shuffleSeed), settings.shufflePosition};
    return lock;
}

void UnlockStoredPlace(const std::string& configPath, const SaverSettings& next, int lock) {
    StoreSaverPlace(configPath, next);
    if (lock >= 0) close(lock);  // closing lets the lock go
}
