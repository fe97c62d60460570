// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/painting_v1.h"

#include <cstring>
#include <vector>

#include "engine/canvas.h"
#include "formats/data_file.h"
#include "formats/little_endian.h"

namespace sc {

void encodePaintingHeader(const PaintingHeader& header, std::uint8_t out[kPaintingHeaderSize]) {
    std::memset(out, 0, kPaintingHeaderSize);
    putU32(out + 0, header.magic);
    putU32(out + 4, header.version);
    putU32(out + 8, header.width);
    putU32(out + 12, header.height);
}

PaintingHeader decodePaintingHeader(const std::uint8_t in[kPaintingHeaderSize]) {
    PaintingHeader h;
    h.magic = getU32(in + 0);
    h.version = getU32(in + 4);
    h.width = getU32(in + 8);
    h.height = getU32(in + 12);
    return h;
}

bool writeRawPainting(const Canvas& canvas, const std::string& path) {
    if (canvas.cellCount() > 0 && !canvas.hasCells()) return false;
    return writeRawPaintingCells(canvas.cells(), canvas.width, canvas.height, path);
}

bool writeRawPaintingCells(const PaintCell* cells, std::uint32_t width, std::uint32_t height, const std::string& path) {
    // An empty painting (0 x 0, as a header-only file gives) is its header alone.
    const bool empty = width == 0 && height == 0;
    if (!empty && (!cells || width == 0 || height == 0)) return false;
    std::uint8_t header[kPaintingHeaderSize];
    encodePaintingHeader({kPaintingMagic, 1, width, height}, header);
    DataFile file;
    if (!file.open(path, DataFile::kWrite)) return false;
    file.write(header, sizeof header);
    // Cells go out row by row with their unused bytes zeroed, whatever memory held.
    std::vector<PaintCell> row(width);
    for (std::uint32_t y = 0; y < height; ++y) {
        const PaintCell* from = cells + static_cast<std::size_t>(y) * width;
        for (std::uint32_t x = 0; x < width; ++x) {
            PaintCell c = from[x];
            c.unused[0] = c.unused[1] = c.unused[2] = 0;
            row[x] = c;
        }
        if (!file.write(row.data(), row.size() * sizeof(PaintCell))) break;
    }
    return file.close();
}

bool readRawCells(DataFile& file, Canvas& canvas) {
    const std::uint64_t bytes = static_cast<std::uint64_t>(canvas.cellCount()) * sizeof(PaintCell);
    if (file.remaining() < bytes) return false;
    return file.read(canvas.cells(), static_cast<std::size_t>(bytes));
}

}  // namespace sc
