#include "formats/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace sc {
namespace {

// A unique temporary name beside the target, so the rename stays within one
// file system and is atomic.
std::string temporaryPathFor(const std::string& path) {
    static unsigned counter = 0;
    return path + ".tmp" + std::to_string(static_cast<long>(getpid())) + "_" + std::to_string(++counter);
}

// Opens without waiting: a pipe without a writer (or, for writing, without a
// reader) and some devices would otherwise block the open itself. The
// descriptor goes back to blocking use once it is open.
int openWithoutWaiting(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    const int status = ::fcntl(fd, F_GETFL);
    if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::FILE* streamOf(int fd, const char* mode) {
    if (fd < 0) return nullptr;
    std::FILE* f = fdopen(fd, mode);
    if (!f) ::close(fd);
    return f;
}

bool isRegularFile(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

bool isReadableRegularFile(const std::string& path) {
    if (path.empty()) return false;
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

DataFile::~DataFile() {
    if (mode_ == kWrite && stream_) {
        discard();
    } else {
        close();
    }
}

bool DataFile::open(const std::string& path, int mode) {
    if (stream_) close();
    if (mode != kRead && mode != kWrite && mode != kAppend) return false;
    if (path.empty()) return false;
    std::FILE* f = nullptr;
    std::string temp;
    if (mode == kRead) {
        // Only a regular file is read. A pipe or a device named by a
        // hand-over or a command line could block a read forever or never
        // end; a directory reads nothing.
        int fd = openWithoutWaiting(path, O_RDONLY);
        if (fd >= 0 && !isRegularFile(fd)) {
            ::close(fd);
            fd = -1;
        }
        f = streamOf(fd, "rb");
    } else if (mode == kWrite) {
        struct stat st {};
        const bool exists = ::stat(path.c_str(), &st) == 0;
        if (exists && !S_ISREG(st.st_mode)) {
            // A device or pipe cannot be replaced by a renamed file: write to
            // it. A pipe nobody reads fails at once instead of blocking; a
            // path that became a regular file meanwhile is left alone.
            int fd = openWithoutWaiting(path, O_WRONLY);
            if (fd >= 0 && isRegularFile(fd)) {
                ::close(fd);
                fd = -1;
            }
            f = streamOf(fd, "wb");
        } else {
            // Write beside the real file, so that a link keeps pointing at it.
            std::string target = path;
            if (exists) {
                if (char* real = ::realpath(path.c_str(), nullptr)) {
                    target = real;
                    std::free(real);
                }
            }
            temp = temporaryPathFor(target);
            const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                f = fdopen(fd, "wb");
                if (!f) {
                    ::close(fd);
                    ::unlink(temp.c_str());
                }
            }
            if (f) renameTarget_ = target;
        }
    } else {
        f = std::fopen(path.c_str(), "ab");
    }
    if (!f) return false;
    stream_ = f;
    path_ = path;
    tempPath_ = temp;
    if (temp.empty()) renameTarget_.clear();
    mode_ = mode;
    writeFailed_ = false;
    return true;
}

bool DataFile::read(void* buffer, std::size_t count) {
    if (!stream_ || mode_ != kRead) return false;
    if (count == 0) return true;
    return std::fread(buffer, 1, count, stream_) == count;
}

bool DataFile::write(const void* buffer, std::size_t count) {
    if (!stream_ || mode_ == kRead) return false;
    if (count == 0) return true;
    const bool ok = std::fwrite(buffer, 1, count, stream_) == count;
    if (!ok) writeFailed_ = true;
    return ok;
}

bool DataFile::writeText(const char* text) {
    if (!stream_ || mode_ == kRead || !text) return false;
    const bool ok = std::fputs(text, stream_) >= 0;
    if (!ok) writeFailed_ = true;
    return ok;
}

bool DataFile::readLine(char* buffer, int capacity) {
    if (!stream_ || mode_ != kRead || !buffer || capacity <= 0) return false;
    return std::fgets(buffer, capacity, stream_) != nullptr;
}

std::uint64_t DataFile::remaining() {
    if (!stream_ || mode_ != kRead) return 0;
    const long here = std::ftell(stream_);
    struct stat st {};
    if (here < 0 || fstat(fileno(stream_), &st) != 0 || st.st_size < here) return 0;
    return static_cast<std::uint64_t>(st.st_size - here);
}

bool DataFile::close() {
    if (!stream_) return true;
    std::FILE* f = stream_;
    stream_ = nullptr;
    bool ok = !writeFailed_;
    if (mode_ == kWrite && !tempPath_.empty()) {
        // Everything must reach the disk before the new file replaces the old.
        ok = std::fflush(f) == 0 && ok;
        ok = ::fsync(fileno(f)) == 0 && ok;
        ok = std::fclose(f) == 0 && ok;
        if (ok) ok = std::rename(tempPath_.c_str(), renameTarget_.c_str()) == 0;
        if (!ok) ::unlink(tempPath_.c_str());
    } else if (mode_ == kWrite) {
        ok = std::fflush(f) == 0 && ok;
        ok = std::fclose(f) == 0 && ok;
    } else {
        ok = (std::fclose(f) == 0 || mode_ == kRead) && ok;
    }
    path_.clear();
    tempPath_.clear();
    renameTarget_.clear();
    return ok;
}

void DataFile::discard() {
    if (!stream_) return;
    std::fclose(stream_);
    stream_ = nullptr;
    if (mode_ == kWrite && !tempPath_.empty()) ::unlink(tempPath_.c_str());
    path_.clear();
    tempPath_.clear();
    renameTarget_.clear();
}

}  // namespace sc
