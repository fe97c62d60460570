// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/data_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sc {
namespace {

// Temporary files are named "." + the target's name + ".sc-save-" + the
// writer's process id + "_" + a counter, beside the target, so the rename
// stays within one file system and is atomic, and a later save of the same
// target can tell its own leftovers from anything else. A name too long for
// that keeps the start of the target's name and a hash of the whole.
constexpr std::size_t kLongestName = 255;
constexpr const char* kTemporaryMark = ".sc-save-";

std::string temporaryPrefixFor(const std::string& name) {
    if (name.size() + 40 <= kLongestName) return "." + name + kTemporaryMark;
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return "." + name.substr(0, 180) + "~" + hex + kTemporaryMark;
}

struct SplitPath {
    std::string directory;  // with its final slash, or empty for the current one
    std::string name;
};

SplitPath splitPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

std::string temporaryPathFor(const std::string& target) {
    // Writes may run on several threads at once (the autosave has its own).
    static std::atomic<unsigned> counter{0};
    const SplitPath p = splitPath(target);
    return p.directory + temporaryPrefixFor(p.name) + std::to_string(static_cast<long>(getpid())) + "_" +
           std::to_string(++counter);
}

// The process id in a temporary file's name after its prefix ("<pid>_<n>"
// and nothing more), or 0 when the rest is not of that form.
pid_t writerOf(const char* rest) {
    const char* p = rest;
    long long pid = 0;
    while (*p >= '0' && *p <= '9' && pid <= INT_MAX) pid = pid * 10 + (*p++ - '0');
    if (p == rest || *p++ != '_' || pid <= 0 || pid > INT_MAX) return 0;
    const char* digits = p;
    while (*p >= '0' && *p <= '9') ++p;
    return p != digits && *p == '\0' ? static_cast<pid_t>(pid) : 0;
}

// Removes the temporary files of earlier saves of `target` whose writers
// died before finishing (killed, or the machine went down). A file is only
// removed when no process of its id is running and no one holds the lock
// every writer keeps on its temporary file (where the file system has such
// locks), so a save in progress, here or in another process, and other
// targets' files are never touched.
void removeStaleTemporaries(const std::string& target) {
    const SplitPath p = splitPath(target);
    const std::string prefix = temporaryPrefixFor(p.name);
    DIR* dir = ::opendir(p.directory.empty() ? "." : p.directory.c_str());
    if (!dir) return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) continue;
        const pid_t writer = writerOf(entry->d_name + prefix.size());
        if (writer == 0 || writer == getpid() || ::kill(writer, 0) == 0 || errno != ESRCH) continue;
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) continue;
        struct stat st {};
        const bool unlocked = ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && unlocked) ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

// Whether the current user may write the existing file, as opening it for
// writing would decide (the superuser may write any file that is not on a
// read-only file system or marked immutable).
bool mayWrite(const std::string& path) { return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0; }

// Creates the temporary file for a new version of `target`, with the mode
// and, where permitted, the owner of the file it replaces (`old`, if any).
// The writer holds a lock on it until it is closed (a file system without
// locks leaves the process check alone to protect it).
int createTemporary(const std::string& temp, const struct stat* old) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old ? 0600 : 0666);
    if (fd < 0) return -1;
    (void)::flock(fd, LOCK_EX | LOCK_NB);
    if (old) {
        // Owner first: a change of owner may clear mode bits.
        if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
            // Not allowed to give the file away: keep at least its group when we may.
            if (::fchown(fd, static_cast<uid_t>(-1), old->st_gid) != 0) {
                // The file stays the writer's own, as a plain write would leave it.
            }
        }
        // A write would clear the set-id bits: they are not carried over.
        if (::fchmod(fd, old->st_mode & 0777) != 0) {
            ::close(fd);
            ::unlink(temp.c_str());
            return -1;
        }
    }
    return fd;
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

void failWritesPastSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

DataFile::~DataFile() {
    if (mode_ == kWrite && stream_) {
        discard();
    } else {
        close();
    }
}

// The open modes and the safe write's steps (lock, temporary name, owner
// and mode) read in order in one place.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
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
            // A file the user may not write is not replaced either.
            if (exists && !mayWrite(target)) return false;
            removeStaleTemporaries(target);
            temp = temporaryPathFor(target);
            const int fd = createTemporary(temp, exists ? &st : nullptr);
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
