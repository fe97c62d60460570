// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/file_association.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/run_paths.h"
#include "formats/data_file.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/windows.h"

namespace sc {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Writes the text unless the file holds it already. `written` tells whether
// it had to be written.
bool writeIfDifferent(const fs::path& path, const std::string& text, bool& written) {
    written = false;
    std::error_code ec;
    if (fs::exists(path, ec) && fileText(path) == text) return true;
    fs::create_directories(path.parent_path(), ec);
    DataFile file;
    if (!file.open(path.string(), DataFile::kWrite)) return false;
    if (!file.write(text.data(), text.size())) {
        file.discard();
        return false;
    }
    written = file.close();
    return written;
}

// A desktop-entry argument in double quotes, with its special characters escaped.
std::string quotedArgument(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

bool fail(const char* text) {
    platform::messageBox(platform::kNoWindow, "Error", text);
    return false;
}

}  // namespace

bool associationInstalled(const std::string& sharedFolder) {
    if (sharedFolder.empty()) return false;
    const fs::path share = fs::path(sharedFolder).parent_path().parent_path();
    std::error_code ec;
    return fs::is_regular_file(share / kInstalledDesktopEntry, ec) &&
           fs::is_regular_file(share / kInstalledMimePackage, ec);
}

std::string mimeTypeXml(const std::string& name, const std::string& extension) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           std::string(kPaintingMimeType) +
           "\">\n"
           "    <comment>" +
           name +
           " File</comment>\n"
           "    <glob pattern=\"*" +
           extension +
           "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string desktopEntry(const std::string& name, const std::string& programPath, const std::string& workingDirectory) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           name +
           "\n"
           "Comment=" +
           name +
           " File\n"
           "Exec=" +
           quotedArgument(programPath) +
           " %f\n"
           "Path=" +
           workingDirectory +
           "\n"
           "Icon=applications-graphics\n"
           "MimeType=" +
           std::string(kPaintingMimeType) +
           ";\n"
           "Categories=Graphics;2DGraphics;RasterGraphics;\n"
           "Terminal=false\n";
}

bool registerFileType(const std::string& name, const std::string& programPath, const std::string& extension,
                      const std::string& workingDirectory) {
    const std::string data = userDataDirectory();
    if (data.empty()) return fail("Couldn't set filetype key!");
    const fs::path base(data);

    bool written = false;
    if (!writeIfDifferent(base / "mime" / "packages" / "smudgecraft.xml", mimeTypeXml(name, extension), written)) {
        return fail("Couldn't set filetype key!");
    }
    // The desktop reads the type only from the database built from the packages.
    if (written) platform::startDetached("update-mime-database", {(base / "mime").string()});

    if (!writeIfDifferent(base / "applications" / "smudgecraft.desktop",
                          desktopEntry(name, programPath, workingDirectory), written)) {
        return fail("Couldn't set apppath open path key!");
    }
    if (written) platform::startDetached("update-desktop-database", {(base / "applications").string()});
    return true;
}

}  // namespace sc
