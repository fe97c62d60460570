// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's files live. Inside each folder the names stay the
// program's own ("WorkData/", "data/palette.dat", "prefs.dat"); only the
// folders move:
// - the files that come with the program (the pictures under WorkData/, the
//   user guide, the starting preset lists) are read-only, beside the
//   installed program (<prefix>/share/smudgecraft/) or in a build tree's
//   run folder (build/run/);
// - the user's files (the data/ preset lists, "prefs.dat") are in the user's
//   data folder ($XDG_DATA_HOME/smudgecraft/), or in the run folder of a
//   build tree;
// - the picture cache (the *.jgi files, made again from the pictures when
//   missing) is in the user's cache folder ($XDG_CACHE_HOME/smudgecraft/)
//   once installed, in data/ beside the user's lists otherwise.
// Until the program locates them both are the current directory. Paths the
// user gives are never rewritten: the current directory stays the one the
// user started from.
#include <string>

namespace sc {

enum class RunLayout {
    CurrentDirectory,  // neither an installation nor a build tree was found
    BuildTree,         // <build>/bin/smudgecraft beside <build>/run/
    Installed,         // <prefix>/bin/smudgecraft beside <prefix>/share/smudgecraft/
};

struct RunPaths {
    RunLayout layout = RunLayout::CurrentDirectory;
    std::string shared;           // "" (the current directory) or a folder ending in '/'
    std::string user;             // likewise
    std::string cache = "data/";  // the picture cache's folder, ending in '/'

    // A file that comes with the program, and one of the user's, by its
    // relative name.
    std::string sharedFile(const std::string& name) const { return shared + name; }
    std::string userFile(const std::string& name) const { return user + name; }
};

// The folders for a program at programPath (an absolute path, as the
// desktop reports it): an installation when ../share/smudgecraft/WorkData
// exists beside its folder, a build tree when ../run/WorkData does.
RunPaths locateRunPaths(const std::string& programPath);

// The user's data directory: $XDG_DATA_HOME when it is absolute, else
// ~/.local/share; empty when neither variable says where it is.
std::string userDataDirectory();
// The user's cache directory likewise: $XDG_CACHE_HOME, else ~/.cache.
std::string userCacheDirectory();

// Makes the user's folder, its data/ folder and the cache folder where
// missing (new folders are private to the user). False when data/ is not
// there afterwards; a cache folder that cannot be made only leaves the
// cache unwritten.
bool makeUserFolders(const RunPaths& paths);

}  // namespace sc
