#include "x11/posix_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

bool ReadFromDescriptor(void* handle, char* into, int32_t wanted, int32_t& got) {
    auto& file = *static_cast<PosixFile*>(handle);
    for (;;) {
        const ssize_t count = read(file.descriptor, into, static_cast<size_t>(wanted));
        if (count >= 0) {
            got = static_cast<int32_t>(count);
            return true;
        }
        if (errno != EINTR) break;
    }
    got = 0;
    file.error = errno;
    return false;
}

}  // namespace

PosixFile OpenPosixFile(const std::string& path, StreamFiles streams) {
    PosixFile file{-1, 0, 0};
    // Non-blocking, so that a FIFO without a writer cannot hold the open; a regular file reads
    // the same either way.
    const int blocking = streams == StreamFiles::Refused ? O_NONBLOCK : 0;
    file.descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | blocking);
    if (file.descriptor < 0) {
        file.error = errno;
        return file;
    }
    struct stat status {};
    if (fstat(file.descriptor, &status) != 0) {
        file.error = errno;
        ClosePosixFile(file);
        return file;
    }
    if (S_ISREG(status.st_mode)) {
        file.size = status.st_size > 0 ? static_cast<uint64_t>(status.st_size) : 0;
    } else if (streams == StreamFiles::Read && !S_ISDIR(status.st_mode)) {
        file.size = kMaxPgnFileBytes;  // a stream's size is not known before it ends
    } else {
        file.error = S_ISDIR(status.st_mode) ? EISDIR : kNotRegularFile;
        ClosePosixFile(file);
    }
    return file;
}

void ClosePosixFile(PosixFile& file) {
    if (file.descriptor >= 0) close(file.descriptor);
    file.descriptor = -1;
}

PgnByteSource PosixByteSource(PosixFile& file) {
    return PgnByteSource{&file, ReadFromDescriptor};
}

PgnFileResult ReadPgnFilePosix(const std::string& path, CharString& text) {
    int ignored = 0;
    return ReadPgnFilePosix(path, text, StreamFiles::Refused, ignored);
}

PgnFileResult ReadPgnFilePosix(const std::string& path, CharString& text, StreamFiles streams,
                               int& systemError) {
    PosixFile file = OpenPosixFile(path, streams);
    systemError = file.error;
    if (file.descriptor < 0) return PgnFileResult::NotOpened;
    const PgnFileResult result = ReadPgnText(PosixByteSource(file), file.size, text);
    systemError = file.error;
    ClosePosixFile(file);
    return result;
}
