// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/bmp_writer.h"

#include <cstdint>

#include "engine/surface.h"
#include "formats/data_file.h"
#include "formats/little_endian.h"

namespace sc {

bool writeBmp(const Surface& surface, const std::string& path) {
    if (!surface.valid() || surface.bytesPerPixel() != 3) return false;
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(surface.stride()) * surface.height();
    if (pixelBytes + 54 > 0xFFFFFFFFu) return false;

    std::uint8_t fileHeader[14] = {'B', 'M'};
    putU32(fileHeader + 2, static_cast<std::uint32_t>(pixelBytes + 54));
    putU32(fileHeader + 10, 54);
    std::uint8_t infoHeader[40] = {};
    putU32(infoHeader + 0, 40);
    putU32(infoHeader + 4, surface.width());
    putU32(infoHeader + 8, surface.height());
    putU16(infoHeader + 12, 1);
    putU16(infoHeader + 14, 24);

    DataFile file;
    if (!file.open(path, DataFile::kWrite)) return false;
    file.write(fileHeader, sizeof fileHeader);
    file.write(infoHeader, sizeof infoHeader);
    file.write(surface.bits(), static_cast<std::size_t>(pixelBytes));
    return file.close();
}

}  // namespace sc
