// SPDX-License-Identifier: GPL-3.0-or-later
#include <vector>

#include "formats/channel_codec.h"
#include "formats/data_file.h"
#include "fuzz_input.h"
#include "fuzz_targets.h"

namespace sc::fuzz {

void fuzzChannelCodec(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return;
    const std::uint32_t width = 1u + data[0] % 64u;
    const std::uint32_t height = 1u + data[1] % 64u;
    const std::int32_t shift = data[2] % 12;
    const std::string& path = inputFile(data + 3, size - 3);

    // A plane of its own size, so the sanitizer sees any write past it.
    std::vector<std::uint8_t> plane(static_cast<std::size_t>(width) * height);
    DataFile file;
    SC_FUZZ_CHECK(file.open(path, DataFile::kRead));
    const CodecResult contiguous = decodeChannel(file, plane.data(), width, height, shift);
    SC_FUZZ_CHECK(contiguous == CodecResult::kOk || contiguous == CodecResult::kDamaged);
    file.close();

    // The same stream decoded into one byte of 12-byte records, as the
    // painting reader decodes straight into cells.
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(width) * height * 12);
    SC_FUZZ_CHECK(file.open(path, DataFile::kRead));
    const PlaneView view{cells.data() + 5, 12, static_cast<std::size_t>(width) * 12};
    const CodecResult strided = decodeChannel(file, view, width, height, shift);
    SC_FUZZ_CHECK(strided == contiguous);
    for (std::size_t i = 0; i < plane.size() && strided == CodecResult::kOk; ++i) {
        SC_FUZZ_CHECK(cells[i * 12 + 5] == plane[i]);
    }
}

}  // namespace sc::fuzz
