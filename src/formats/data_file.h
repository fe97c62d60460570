// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The binary file object of the program's own formats: open a path, move whole
// blocks of raw bytes, close.
//
// Writing never destroys what was there: a file opened for writing is written
// to a temporary file beside the target, and close() renames it over the
// target only when every write succeeded and the data reached the disk. A
// DataFile destroyed while still open for writing discards what it wrote.
// An existing file the user may not write is refused, as a plain write
// would refuse it; the new file keeps the old one's mode (and its owner,
// where the user may give it). Temporary files carry the target's name and
// the writer's process id, and a save removes those of its target left by
// writers that died (a killed save).
// Devices and pipes are written directly, as they cannot be replaced; one
// that is not ready (a pipe nobody reads) fails to open rather than block.
// Reading opens only regular files: a pipe, device or directory is refused
// at once, so a path naming one never blocks or ends in an endless read.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace sc {

class DataFile {
public:
    enum Mode : int { kRead = 0, kWrite = 1, kAppend = 2 };

    DataFile() = default;
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;
    ~DataFile();

    // Modes 0, 1, 2 behave as "rb", "wb", "ab" (with the limits above); any
    // other mode opens nothing.
    bool open(const std::string& path, int mode);
    // One block of count bytes; true when all of it arrived / was written.
    bool read(void* buffer, std::size_t count);
    bool write(const void* buffer, std::size_t count);
    // Text without its terminator; a line of at most capacity - 1 characters.
    bool writeText(const char* text);
    bool readLine(char* buffer, int capacity);
    // Closes; for a write, puts the new file in place. False when any write
    // failed or the file could not be put in place (the old file then stays).
    bool close();
    // Abandons a write: the temporary file is removed, the target untouched.
    void discard();

    bool isOpen() const { return stream_ != nullptr; }
    int mode() const { return mode_; }
    const std::string& path() const { return path_; }
    // Bytes from the current position to the end of a file open for reading.
    std::uint64_t remaining();

private:
    std::FILE* stream_ = nullptr;
    std::string path_;
    std::string tempPath_;
    std::string renameTarget_;  // the real file a write replaces
    int mode_ = kRead;
    bool writeFailed_ = false;
};

// Whether the path names a regular file (after links) that this process may
// read. Asks the file system only; nothing is opened.
bool isReadableRegularFile(const std::string& path);

// A write past the process's file-size limit (`ulimit -f`) raises SIGXFSZ,
// whose default action ends the process in the middle of the write. Called
// once at the start of each program: the signal is ignored from then on, so
// such a write fails with an error like a full disk, and the writer's usual
// failure path runs (temporary file removed, old file kept, failure told).
void failWritesPastSizeLimit();

}  // namespace sc
