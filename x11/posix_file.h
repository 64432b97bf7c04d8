#pragma once
// Files on POSIX systems for the shared reader (pgn/pgn_file_read.h): the native program's PGN and
// settings files and quorvane-pgn's game files. The saver reads regular files only, and its open
// never waits on a FIFO or a device.

#include <cstdint>
#include <string>

#include "pgn/pgn_file_read.h"
#include "text/char_string.h"

// What a reader makes of a path that is no regular file (a FIFO, a device, a folder).
enum class StreamFiles : int32_t { Refused, Read };

// systemError of a path refused for not being a regular file.
constexpr int kNotRegularFile = -1;

struct PosixFile {
    int descriptor;  // -1 when not open
    uint64_t size;   // a stream's: the most ever read, kMaxPgnFileBytes
    int error;       // errno of a failed open or read, or kNotRegularFile
};

// Opens path for reading. With StreamFiles::Refused anything but a regular file is closed again
// at once and refused, and the open itself never blocks.
PosixFile OpenPosixFile(const std::string& path, StreamFiles streams);
void ClosePosixFile(PosixFile& file);

// The open file as a byte source for the shared reader; a failed read leaves its errno in error.
PgnByteSource PosixByteSource(PosixFile& file);

// The file as the saver reads a PGN file (its first kMaxPgnFileBytes up to the first zero byte,
// with one allocation the size of the file); NotOpened for a path that is no regular file.
PgnFileResult ReadPgnFilePosix(const std::string& path, CharString& text);

// The same with quorvane-pgn's choice of streams, and the errno (or kNotRegularFile) of a failure.
PgnFileResult ReadPgnFilePosix(const std::string& path, CharString& text, StreamFiles streams,
                               int& systemError);
