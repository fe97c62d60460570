// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/run_paths.h"

#include <cstdlib>
#include <filesystem>

namespace sc {
namespace {

namespace fs = std::filesystem;

// The folder as a path ending in '/', without "." and ".." steps.
std::string folder(const fs::path& path) {
    std::error_code ec;
    fs::path clean = fs::weakly_canonical(path, ec);
    if (ec) clean = path.lexically_normal();
    std::string s = clean.string();
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}

bool isFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// Makes the folder if it is missing, private to the user.
bool makeFolder(const fs::path& path) {
    std::error_code ec;
    if (fs::create_directory(path, ec)) fs::permissions(path, fs::perms::owner_all, ec);
    return isFolder(path);
}

}  // namespace

RunPaths locateRunPaths(const std::string& programPath) {
    RunPaths paths;
    if (programPath.empty()) return paths;
    // The program's path is its real one, without links to follow.
    const fs::path prefix = fs::path(programPath).parent_path().parent_path();
    const fs::path share = prefix / "share" / "smudgecraft";
    const fs::path run = prefix / "run";
    if (isFolder(share / "WorkData")) {
        paths.layout = RunLayout::Installed;
        paths.shared = folder(share);
        const std::string data = userDataDirectory();
        if (!data.empty()) paths.user = folder(fs::path(data) / "smudgecraft");
        const std::string cache = userCacheDirectory();
        paths.cache = cache.empty() ? paths.user + "data/" : folder(fs::path(cache) / "smudgecraft");
    } else if (isFolder(run / "WorkData")) {
        paths.layout = RunLayout::BuildTree;
        paths.shared = folder(run);
        paths.user = paths.shared;
        paths.cache = paths.user + "data/";
    }
    return paths;
}

std::string userDataDirectory() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') return xdg;
    if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share";
    return {};
}

std::string userCacheDirectory() {
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg == '/') return xdg;
    if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.cache";
    return {};
}

namespace {

// Makes each missing folder on the way, so that the new ones are private.
bool makeFolders(const fs::path& path) {
    if (isFolder(path)) return true;
    fs::path partial;
    for (const fs::path& part : path) {
        partial /= part;
        if (!partial.has_relative_path() || isFolder(partial)) continue;
        if (!makeFolder(partial)) return false;
    }
    return isFolder(path);
}

}  // namespace

bool makeUserFolders(const RunPaths& paths) {
    if (!paths.cache.empty()) makeFolders(fs::path(paths.cache));
    return makeFolders(fs::path(paths.userFile("data")));
}

}  // namespace sc
