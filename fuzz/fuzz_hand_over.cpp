// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstring>

#include "app/hand_over.h"
#include "engine/canvas.h"
#include "formats/painting_file.h"
#include "fuzz_input.h"
#include "fuzz_targets.h"
#include "shell/frame_window.h"
#include "shell/program.h"

namespace sc::fuzz {

void fuzzHandOver(const std::uint8_t* data, std::size_t size) {
    Program& program = prepareShell();
    Canvas& document = program.state.painting.document;
    enterScratchDirectory();
    // A real painting the seeds name, so the opening path is reached too.
    static const bool planted = [] {
        Canvas small;
        return small.allocate(3, 2) && writePaintingFile("painting.pai", small);
    }();
    SC_FUZZ_CHECK(planted);
    std::FILE* f = std::fopen(handOverFilePath().c_str(), "wb");
    SC_FUZZ_CHECK(f != nullptr);
    SC_FUZZ_CHECK(std::fwrite(data, 1, size, f) == size);
    SC_FUZZ_CHECK(std::fclose(f) == 0);

    const std::string path = readHandOverFile();
    SC_FUZZ_CHECK(path.size() <= kHandOverPathMax);
    SC_FUZZ_CHECK(path.find('\n') == std::string::npos);
    SC_FUZZ_CHECK(std::strlen(path.c_str()) == path.size());
    // What the running instance does with it: open it only if it is a
    // painting, and keep the document otherwise.
    const std::uint32_t width = document.width;
    const std::uint32_t height = document.height;
    openHandedOverPainting(program, path);
    if (document.width != width || document.height != height) SC_FUZZ_CHECK(document.allocate(4, 4));
}

}  // namespace sc::fuzz
