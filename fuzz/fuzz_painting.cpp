// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>

#include "app/layers.h"
#include "app/painting_io.h"
#include "engine/renderer.h"
#include "fuzz_input.h"
#include "fuzz_targets.h"
#include "shell/program.h"

namespace sc::fuzz {

void fuzzPainting(const std::uint8_t* data, std::size_t size) {
    ShellState& s = prepareShell().state;
    Canvas& document = s.painting.document;
    const std::uint32_t width = document.width;
    const std::uint32_t height = document.height;
    Canvas before;
    SC_FUZZ_CHECK(before.allocate(width, height));
    std::memcpy(before.cells(), document.cells(), document.cellCount() * sizeof(PaintCell));

    // The autosave's reader: painting files as File, Open reads them, and raw layers files.
    const bool loaded = loadAutosavedPainting(s.painting, s.tools, inputFile(data, size));
    if (!loaded) {
        // A refused file never costs the painting on screen.
        SC_FUZZ_CHECK(document.width == width && document.height == height);
        SC_FUZZ_CHECK(std::memcmp(before.cells(), document.cells(), document.cellCount() * sizeof(PaintCell)) == 0);
        return;
    }
    // Whatever the cells hold, they render.
    if (document.cellCount() <= 256u * 256u && document.hasCells()) renderAll(document);
    // Back to one small layer for the next input.
    replaceLayers(s.painting, {}, 0);
    SC_FUZZ_CHECK(document.allocate(4, 4));
}

}  // namespace sc::fuzz
