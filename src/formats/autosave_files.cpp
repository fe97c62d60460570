// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/autosave_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "formats/data_file.h"
#include "formats/painting_v1.h"
#include "formats/raw_layers_file.h"

namespace sc {
namespace {

constexpr std::size_t kLongestOriginal = 4096;
constexpr const char* kLockEnding = ".lock";

bool endsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

// The path file's text; empty when it is missing, unreadable or too long to
// be a path.
std::string readOriginal(const std::string& path) {
    DataFile file;
    if (!file.open(path, DataFile::kRead)) return {};
    const std::uint64_t size = file.remaining();
    std::string text(size <= kLongestOriginal ? static_cast<std::size_t>(size) : 0, '\0');
    if (!text.empty() && !file.read(text.data(), text.size())) text.clear();
    file.close();
    if (text.find('\0') != std::string::npos) text.clear();
    return text;
}

std::int64_t modifiedTime(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::int64_t>(st.st_mtime) : 0;
}

bool writeOriginal(const AutosaveFiles& files, const std::string& original) {
    DataFile path;
    if (!path.open(files.original(), DataFile::kWrite)) return false;
    return path.write(original.data(), original.size()) && path.close();
}

}  // namespace

AutosaveLock& AutosaveLock::operator=(AutosaveLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

bool AutosaveLock::take(const AutosaveFiles& files, bool create) {
    release();
    const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | (create ? O_CREAT : 0);
    const int fd = ::open(files.lock().c_str(), flags, 0600);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void AutosaveLock::release() {
    if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
    fd_ = -1;
}

bool claimAutosaveName(const std::string& folder, AutosaveFiles& files, AutosaveLock& lock) {
    lock.release();
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    files.folder = folder;
    // The start time keeps a later program that is given the same process
    // id away from an earlier one's leftovers.
    files.name = std::to_string(static_cast<long>(::getpid())) + "-" +
                 std::to_string(static_cast<long long>(std::time(nullptr)));
    return lock.take(files, true);
}

std::vector<OrphanAutosave> findOrphanAutosaves(const std::string& folder) {
    std::vector<OrphanAutosave> found;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return found;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string file = entry->d_name;
        if (file[0] != '.' && endsWith(file, kLockEnding)) {
            names.push_back(file.substr(0, file.size() - std::strlen(kLockEnding)));
        }
    }
    ::closedir(dir);
    for (const std::string& name : names) {
        OrphanAutosave orphan;
        orphan.files = {folder, name};
        // A lock someone holds belongs to a running program.
        if (!orphan.lock.take(orphan.files, false)) continue;
        if (!exists(orphan.files.painting())) {
            removeAutosaveName(orphan.files);
            continue;
        }
        orphan.original = readOriginal(orphan.files.original());
        orphan.modified = modifiedTime(orphan.files.painting());
        found.push_back(std::move(orphan));
    }
    std::sort(found.begin(), found.end(),
              [](const OrphanAutosave& a, const OrphanAutosave& b) { return a.modified > b.modified; });
    return found;
}

bool writeAutosave(const AutosaveFiles& files, const PaintCell* cells, std::uint32_t width, std::uint32_t height,
                   const std::string& original) {
    if (!writeOriginal(files, original)) return false;
    return writeRawPaintingCells(cells, width, height, files.painting());
}

bool writeLayeredAutosave(const AutosaveFiles& files, const std::vector<std::byte>& head,
                          const std::vector<RawLayerEntry>& table, std::uint32_t width, std::uint32_t height,
                          const std::byte* data, const std::string& original) {
    if (!writeOriginal(files, original)) return false;
    return writeRawLayersFile(files.painting(), head, table, width, height, data);
}

bool removeAutosave(const AutosaveFiles& files) {
    const bool painting = removeFile(files.painting());
    const bool original = removeFile(files.original());
    return painting && original;
}

void removeAutosaveName(const AutosaveFiles& files) {
    removeAutosave(files);
    // The temporary files of a write its program did not finish: "." and the
    // target's name, then the safe write's own ending.
    if (DIR* dir = ::opendir(files.folder.c_str())) {
        const std::string painting = "." + files.name + ".pai.";
        const std::string original = "." + files.name + ".path.";
        std::vector<std::string> leftovers;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string file = entry->d_name;
            if (file.rfind(painting, 0) == 0 || file.rfind(original, 0) == 0) leftovers.push_back(file);
        }
        ::closedir(dir);
        for (const std::string& file : leftovers) removeFile(files.folder + file);
    }
    removeFile(files.lock());
}

bool adoptAutosave(const AutosaveFiles& from, const AutosaveFiles& to) {
    if (std::rename(from.painting().c_str(), to.painting().c_str()) != 0) return false;
    if (exists(from.original())) return std::rename(from.original().c_str(), to.original().c_str()) == 0;
    return removeFile(to.original());
}

}  // namespace sc
