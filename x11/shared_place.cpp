#include "x11/shared_place.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "display/settings_text.h"
#include "x11/config_file.h"
#include "x11/file_text.h"

int LockStoredPlace(const std::string& configPath, ResumePoint& stored) {
    const std::string lockPath = configPath + ".lock";
    const int lock = open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lock >= 0 && flock(lock, LOCK_EX) != 0) {
        close(lock);
        return -1;
    }
    SaverSettings settings{};
    SetDefaultSettings(settings);
    CharString text;
    if (ReadFileText(configPath, text, ZeroByte::Kept) == FileTextResult::Read) {
        ApplySettingsText(settings, text);
    }
    stored = ResumePoint{PathBytes(settings.currentFile), settings.currentGameNumber,
                         settings.shuffleSeed, settings.shufflePosition};
    return lock;
}

void UnlockStoredPlace(const std::string& configPath, const ResumePoint& next, int lock) {
    StoreGameNumber(configPath, next.gameNumber);
    if (lock >= 0) close(lock);  // closing lets the lock go
}
