// SPDX-License-Identifier: GPL-3.0-or-later
// smudgecraft-batch: the program's engine, tools, filters, formats and undo
// without a display, driven by scripts or by a few convenience commands.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/version_text.h"
#include "batch_command.h"
#include "batch_session.h"
#include "formats/data_file.h"
#include "script_runner.h"
#include "thumbnail.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  smudgecraft-batch run SCRIPT          run a script file (\"-\" reads standard input)\n"
    "  smudgecraft-batch render IN OUT.bmp [--high-quality on|off] [--lighting on|off]\n"
    "  smudgecraft-batch import PICTURE OUT.pai\n"
    "  smudgecraft-batch filter NAME IN.pai OUT.pai\n"
    "  smudgecraft-batch info IN.pai         prints one line: \"version V, W x H\"\n"
    "  smudgecraft-batch thumbnail IN.pai OUT.png SIZE   the painting lit, scaled to fit SIZE x SIZE\n"
    "  smudgecraft-batch --help              this text\n"
    "  smudgecraft-batch --version           the version and licence\n"
    "Smudgecraft is free software under the GNU General Public License, version 3 or later.\n";

// --help goes on with the script's commands; smudgecraft-batch(1) says
// what each does.
const char kScriptCommands[] =
    "\nscript commands (one a line; see smudgecraft-batch(1)):\n"
    "  assets DIR   new W H   open FILE   import PICTURE   save FILE   save-raw FILE   export FILE [QUALITY]\n"
    "  settings K=V ...   dynamics K=V ...   offsets SX SY TX TY   zoom Z   pressure P\n"
    "  begin   move DX DY   end   apply X Y   apply-line X0 Y0 X1 Y1\n"
    "  press X Y   pointer-move DX DY   the desktop canvas window's own press and pointer move\n"
    "  snapshot   undo   step-back   step-forward   filter NAME   resample W H\n"
    "  quality HQ LIGHT   render   render-rect X0 Y0 X1 Y1\n";

int usageError() {
    std::fputs(kUsage, stderr);
    return 2;
}

// Script words may not hold blanks; a path with one cannot be passed through
// a script line, so the convenience commands refuse it as bad usage.
bool fitsOneWord(const std::string& word) {
    return !word.empty() && word.find_first_of(" \t\r\n") == std::string::npos && word[0] != '#';
}

bool parseOnOff(const std::string& word, bool& out) {
    if (word == "on") out = true;
    else if (word == "off") out = false;
    else return false;
    return true;
}

// A session of its own for each run (its canvases are too large for the stack).
std::unique_ptr<sc::batch::Session> newSession() {
    auto session = std::make_unique<sc::batch::Session>();
    sc::batch::startSession(*session);
    return session;
}

int runConvenience(sc::batch::Session& session, const std::vector<std::string>& lines) {
    return static_cast<int>(sc::batch::runLines(session, lines));
}

int commandRender(int argc, char** argv) {
    if (argc < 4) return usageError();
    bool highQuality = true;
    bool lighting = true;
    for (int i = 4; i < argc; i += 2) {
        if (i + 1 >= argc) return usageError();
        const std::string option = argv[i];
        bool* target = option == "--high-quality" ? &highQuality : option == "--lighting" ? &lighting : nullptr;
        if (!target || !parseOnOff(argv[i + 1], *target)) return usageError();
    }
    const std::string in = argv[2], out = argv[3];
    if (!fitsOneWord(in) || !fitsOneWord(out)) return usageError();
    return runConvenience(
        *newSession(),
        {"open " + in, std::string("quality ") + (highQuality ? "1" : "0") + " " + (lighting ? "1" : "0"), "render",
         "export " + out});
}

int commandImport(int argc, char** argv) {
    if (argc != 4 || !fitsOneWord(argv[2]) || !fitsOneWord(argv[3])) return usageError();
    return runConvenience(*newSession(), {std::string("import ") + argv[2], std::string("save ") + argv[3]});
}

int commandFilter(int argc, char** argv) {
    if (argc != 5 || !fitsOneWord(argv[3]) || !fitsOneWord(argv[4])) return usageError();
    const sc::batch::BatchCommand* filter = sc::batch::findBatchCommand("filter");
    if (!filter) return usageError();
    try {
        if (filter->check) filter->check({argv[2]});
    } catch (const sc::batch::ScriptError&) {
        return usageError();
    }
    return runConvenience(*newSession(), {std::string("open ") + argv[3], "render", std::string("filter ") + argv[2],
                                          std::string("save ") + argv[4]});
}

int commandInfo(int argc, char** argv) {
    if (argc != 3 || !fitsOneWord(argv[2])) return usageError();
    const auto session = newSession();
    const int status = runConvenience(*session, {std::string("open ") + argv[2]});
    if (status != 0) return status;
    const sc::Canvas& doc = session->painting.document;
    std::printf("version %u, %u x %u\n", session->lastOpenedVersion, doc.width, doc.height);
    return 0;
}

int commandThumbnail(int argc, char** argv) {
    if (argc != 5 || !*argv[2] || !*argv[3]) return usageError();
    std::int64_t side = 0;
    try {
        side = sc::batch::parseIntegerInRange(argv[4], 1, sc::batch::kMaxThumbnailSide);
    } catch (const sc::batch::ScriptError&) {
        return usageError();
    }
    return sc::batch::makeThumbnail(argv[2], argv[3], static_cast<std::uint32_t>(side));
}

int commandRun(int argc, char** argv) {
    if (argc != 3) return usageError();
    const std::string path = argv[2];
    const auto session = newSession();
    if (path == "-") return static_cast<int>(sc::batch::runScript(*session, std::cin));
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "smudgecraft-batch: cannot read script '%s'\n", path.c_str());
        return 1;
    }
    return static_cast<int>(sc::batch::runScript(*session, in));
}

}  // namespace

int main(int argc, char** argv) {
    // A file outgrowing `ulimit -f` is a failed write (exit 1 with the
    // command's message), not the end of the process.
    sc::failWritesPastSizeLimit();
    if (argc < 2) return usageError();
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        std::fputs(kUsage, stdout);
        std::fputs(kScriptCommands, stdout);
        return 0;
    }
    if (command == "--version" && argc == 2) {
        std::fputs(sc::versionText("smudgecraft-batch").c_str(), stdout);
        return 0;
    }
    if (command == "run") return commandRun(argc, argv);
    if (command == "render") return commandRender(argc, argv);
    if (command == "import") return commandImport(argc, argv);
    if (command == "filter") return commandFilter(argc, argv);
    if (command == "info") return commandInfo(argc, argv);
    if (command == "thumbnail") return commandThumbnail(argc, argv);
    return usageError();
}
