// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/surface.h"
#include "formats/jgi_file.h"
#include "fuzz_input.h"
#include "fuzz_targets.h"

namespace sc::fuzz {
namespace {

void readWith(JgiResult (*reader)(Surface&, const std::string&), const std::string& path) {
    Surface surface;
    SC_FUZZ_CHECK(surface.create(3, 2, false));
    const JgiResult result = reader(surface, path);
    if (result != JgiResult::kOk) {
        // Any refusal leaves the surface exactly as it was.
        SC_FUZZ_CHECK(surface.valid() && surface.width() == 3 && surface.height() == 2 && !surface.hasAlpha());
        return;
    }
    if (!surface.valid()) return;  // a 0-sized picture
    SC_FUZZ_CHECK(surface.hasAlpha());
    // Every pixel is there to be read (the sanitizer checks the reads), and
    // the fourth byte of each is 0.
    for (std::uint32_t y = 0; y < surface.height(); ++y) {
        const std::uint8_t* row = surface.pixelAddress(0, y);
        for (std::uint32_t x = 0; x < surface.width(); ++x) SC_FUZZ_CHECK(row[x * 4 + 3] == 0);
    }
}

}  // namespace

void fuzzJgi(const std::uint8_t* data, std::size_t size) {
    const std::string& path = inputFile(data, size);
    readWith(&readColourJgi, path);
    readWith(&readGreyJgi, path);
}

}  // namespace sc::fuzz
