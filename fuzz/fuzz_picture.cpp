// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/import_image.h"
#include "engine/surface.h"
#include "fuzz_input.h"
#include "fuzz_targets.h"
#include "shell/program.h"

namespace sc::fuzz {

void fuzzPicture(const std::uint8_t* data, std::size_t size) {
    ShellState& s = prepareShell().state;
    Surface surface;
    SC_FUZZ_CHECK(surface.create(2, 2, false));
    if (!loadImageFile(s, surface, inputFile(data, size))) {
        SC_FUZZ_CHECK(surface.valid() && surface.width() == 2 && surface.height() == 2);
        return;
    }
    // A picture comes as 3-byte pixels of its own size, every row readable
    // and its padding zero.
    SC_FUZZ_CHECK(surface.valid() && !surface.hasAlpha());
    unsigned checksum = 0;
    for (std::uint32_t y = 0; y < surface.height(); ++y) {
        const std::uint8_t* row = surface.pixelAddress(0, y);
        for (std::uint32_t x = 0; x < surface.width() * 3; ++x) checksum += row[x];
        for (std::uint32_t x = surface.width() * 3; x < static_cast<std::uint32_t>(surface.stride()); ++x) {
            SC_FUZZ_CHECK(row[x] == 0);
        }
    }
    volatile unsigned sink = checksum;
    (void)sink;
}

void fuzzBmpPicture(const std::uint8_t* data, std::size_t size) { fuzzPicture(data, size); }
void fuzzPngPicture(const std::uint8_t* data, std::size_t size) { fuzzPicture(data, size); }
void fuzzJpegPicture(const std::uint8_t* data, std::size_t size) { fuzzPicture(data, size); }
void fuzzTiffPicture(const std::uint8_t* data, std::size_t size) { fuzzPicture(data, size); }

}  // namespace sc::fuzz
