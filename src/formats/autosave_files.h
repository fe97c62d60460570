// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The autosave folder ("autosave/" in the user's data folder). Each running
// program has its own name there, "<process id>-<start time>", and three
// files under it:
//   NAME.pai   the painting, lossless: a version 1 file (raw cells) for a
//              painting of one plain layer, a raw layers file
//              (formats/raw_layers_file.h) for a painting of layers
//   NAME.path  the path of the file the painting belongs to; empty for a
//              painting never saved
//   NAME.lock  locked (flock) by its program for as long as it runs
// A lock nobody holds means its program ended without cleaning up (killed,
// crashed, the machine went down): its painting may be recovered. Programs
// never share a name, and a program's files are written only while it holds
// their lock, so no two programs ever write the same autosave.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sc {

struct PaintCell;
struct RawLayerEntry;

inline constexpr const char* kAutosaveFolder = "autosave/";

struct AutosaveFiles {
    std::string folder;  // ending in '/'
    std::string name;
    std::string painting() const { return folder + name + ".pai"; }
    std::string original() const { return folder + name + ".path"; }
    std::string lock() const { return folder + name + ".lock"; }
};

// The lock that shows a program is using its name; released when destroyed.
class AutosaveLock {
public:
    AutosaveLock() = default;
    AutosaveLock(const AutosaveLock&) = delete;
    AutosaveLock& operator=(const AutosaveLock&) = delete;
    AutosaveLock(AutosaveLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    AutosaveLock& operator=(AutosaveLock&& other) noexcept;
    ~AutosaveLock() { release(); }

    // Takes the lock of `files` without waiting, making the lock file when
    // `create`; false when another program holds it or there is no such file.
    bool take(const AutosaveFiles& files, bool create);
    void release();
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// This run's files: a new name in the folder (made, private to the user,
// when missing) and its lock taken. False, with `lock` not held, when the
// folder cannot be made or the lock file cannot be written.
bool claimAutosaveName(const std::string& folder, AutosaveFiles& files, AutosaveLock& lock);

// An autosave whose program is gone, its lock held by the caller.
struct OrphanAutosave {
    AutosaveFiles files;
    AutosaveLock lock;
    std::string original;       // the path it belongs to; empty when never saved
    std::int64_t modified = 0;  // seconds since 1970 of its painting file
};

// The autosaves in the folder whose programs are gone, newest first. Their
// locks are taken, so no other program offers them at the same time. Names
// whose painting file is missing (a program that died before its first
// autosave) are cleaned away.
std::vector<OrphanAutosave> findOrphanAutosaves(const std::string& folder);

// Writes the painting (width x height cells) and the path it belongs to.
// Each file replaces its old version only once completely written, so a
// write that fails or is cut short leaves the previous autosave as it was.
[[nodiscard]] bool writeAutosave(const AutosaveFiles& files, const PaintCell* cells, std::uint32_t width,
                                 std::uint32_t height, const std::string& original);
// The same for a painting of layers: `head` and `data` as
// writeRawLayersFile takes them.
[[nodiscard]] bool writeLayeredAutosave(const AutosaveFiles& files, const std::vector<std::byte>& head,
                                        const std::vector<RawLayerEntry>& table, std::uint32_t width,
                                        std::uint32_t height, const std::byte* data, const std::string& original);

// Removes the painting and path files (the lock file stays while held).
// False when a file is still there afterwards.
bool removeAutosave(const AutosaveFiles& files);
// Removes every file of the name: the two above, the lock file and the
// temporary files of a write cut short (call with the lock held).
void removeAutosaveName(const AutosaveFiles& files);

// Renames the painting and path files of `from` to those of `to`, so a
// recovered painting stays protected until this run's first autosave.
[[nodiscard]] bool adoptAutosave(const AutosaveFiles& from, const AutosaveFiles& to);

}  // namespace sc
