// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/raw_layers_file.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "engine/canvas.h"
#include "engine/layer.h"
#include "formats/data_file.h"
#include "formats/little_endian.h"
#include "formats/painting_v1.h"

namespace sc {
namespace {

// Cells, coverage and floats of the table are little-endian images of memory.
static_assert(std::endian::native == std::endian::little);

constexpr std::uint32_t kVisible = 1;
constexpr std::uint32_t kOpaque = 2;
// Cells go out through a bounded buffer, whatever the painting's size.
constexpr std::size_t kCellChunk = 64 * 1024;

void appendU32(std::vector<std::byte>& out, std::uint32_t v) {
    std::uint8_t b[4];
    putU32(b, v);
    for (const std::uint8_t x : b) out.push_back(static_cast<std::byte>(x));
}

bool readU32(DataFile& file, std::uint32_t& v) {
    std::uint8_t b[4];
    if (!file.read(b, sizeof b)) return false;
    v = getU32(b);
    return true;
}

// The cells with their unused bytes zeroed, whatever memory held.
bool writeCells(DataFile& file, const std::byte* data, std::uint64_t count) {
    std::vector<PaintCell> chunk(static_cast<std::size_t>(std::min<std::uint64_t>(count, kCellChunk)));
    for (std::uint64_t done = 0; done < count;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kCellChunk, count - done));
        std::memcpy(chunk.data(), data + done * sizeof(PaintCell), n * sizeof(PaintCell));
        for (std::size_t i = 0; i < n; ++i) chunk[i].unused[0] = chunk[i].unused[1] = chunk[i].unused[2] = 0;
        if (!file.write(chunk.data(), n * sizeof(PaintCell))) return false;
        done += n;
    }
    return true;
}

}  // namespace

std::uint64_t rawLayerBytes(std::uint64_t cells, bool opaque) {
    return cells * (sizeof(PaintCell) + (opaque ? 0 : sizeof(float)));
}

std::vector<std::byte> rawLayersHead(std::uint32_t width, std::uint32_t height, const std::vector<RawLayerEntry>& table,
                                     std::size_t active) {
    std::uint8_t header[kPaintingHeaderSize];
    encodePaintingHeader({kRawLayersMagic, kRawLayersVersion, width, height}, header);
    std::vector<std::byte> head(reinterpret_cast<const std::byte*>(header),
                                reinterpret_cast<const std::byte*>(header) + sizeof header);
    appendU32(head, static_cast<std::uint32_t>(table.size()));
    appendU32(head, static_cast<std::uint32_t>(active));
    for (const RawLayerEntry& entry : table) {
        appendU32(head, (entry.visible ? kVisible : 0) | (entry.opaque ? kOpaque : 0));
        appendU32(head, std::bit_cast<std::uint32_t>(entry.opacity));
        const std::size_t nameBytes = std::min<std::size_t>(entry.name.size(), kMaxRawLayerNameBytes);
        appendU32(head, static_cast<std::uint32_t>(nameBytes));
        const auto* name = reinterpret_cast<const std::byte*>(entry.name.data());
        head.insert(head.end(), name, name + nameBytes);
    }
    return head;
}

bool writeRawLayersFile(const std::string& path, const std::vector<std::byte>& head,
                        const std::vector<RawLayerEntry>& table, std::uint32_t width, std::uint32_t height,
                        const std::byte* data) {
    const std::uint64_t cells = static_cast<std::uint64_t>(width) * height;
    if (table.empty() || (cells > 0 && data == nullptr)) return false;
    DataFile file;
    if (!file.open(path, DataFile::kWrite)) return false;
    bool ok = file.write(head.data(), head.size());
    for (const RawLayerEntry& entry : table) {
        ok = ok && writeCells(file, data, cells);
        data += cells * sizeof(PaintCell);
        if (!entry.opaque) {
            ok = ok && (cells == 0 || file.write(data, cells * sizeof(float)));
            data += cells * sizeof(float);
        }
    }
    if (!ok) {
        file.discard();
        return false;
    }
    return file.close();
}

bool isRawLayersFile(const std::string& path) {
    DataFile file;
    std::uint32_t magic = 0;
    return file.open(path, DataFile::kRead) && readU32(file, magic) && magic == kRawLayersMagic;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity)
PaintingLoadResult readRawLayersFile(DataFile& file, Canvas& into, std::vector<Layer>& out, std::size_t& active) {
    if (!file.isOpen()) return PaintingLoadResult::kCannotOpen;
    std::uint8_t raw[kPaintingHeaderSize];
    if (file.remaining() < kPaintingHeaderSize || !file.read(raw, sizeof raw)) return PaintingLoadResult::kDamaged;
    const PaintingHeader header = decodePaintingHeader(raw);
    if (header.magic != kRawLayersMagic) return PaintingLoadResult::kBadMagic;
    if (header.version != kRawLayersVersion) return PaintingLoadResult::kLaterVersion;
    if ((header.width == 0) != (header.height == 0)) return PaintingLoadResult::kDamaged;
    std::uint32_t count = 0, chosen = 0;
    if (!readU32(file, count) || !readU32(file, chosen)) return PaintingLoadResult::kDamaged;
    if (count < 1 || count > kMaxFileLayers || chosen >= count) return PaintingLoadResult::kDamaged;
    std::vector<RawLayerEntry> table(count);
    for (RawLayerEntry& entry : table) {
        std::uint32_t flags = 0, opacity = 0, nameBytes = 0;
        if (!readU32(file, flags) || !readU32(file, opacity) || !readU32(file, nameBytes)) {
            return PaintingLoadResult::kDamaged;
        }
        entry.opacity = std::bit_cast<float>(opacity);
        if ((flags & ~(kVisible | kOpaque)) != 0 || !(entry.opacity >= 0.0f && entry.opacity <= 1.0f) ||
            nameBytes > kMaxRawLayerNameBytes || nameBytes > file.remaining()) {
            return PaintingLoadResult::kDamaged;
        }
        entry.name.resize(nameBytes);
        if (nameBytes > 0 && !file.read(entry.name.data(), nameBytes)) return PaintingLoadResult::kDamaged;
        entry.visible = (flags & kVisible) != 0;
        entry.opaque = (flags & kOpaque) != 0;
    }
    // The file holds exactly its layers' data: a size it cannot hold is
    // refused before anything is allocated for it.
    const std::uint64_t cells = static_cast<std::uint64_t>(header.width) * header.height;
    const std::uint64_t available = file.remaining();
    std::uint64_t expected = 0;
    for (const RawLayerEntry& entry : table) {
        const std::uint64_t each = rawLayerBytes(1, entry.opaque);
        if (cells > (available - std::min(available, expected)) / each) return PaintingLoadResult::kDamaged;
        expected += cells * each;
    }
    if (expected != available) return PaintingLoadResult::kDamaged;
    std::vector<Layer> layers(count);
    for (std::size_t l = 0; l < count; ++l) {
        Layer& layer = layers[l];
        const RawLayerEntry& entry = table[l];
        if (!allocateLayer(layer, header.width, header.height, entry.opaque)) return PaintingLoadResult::kDamaged;
        layer.name = entry.name;
        layer.visible = entry.visible;
        layer.opacity = entry.opacity;
        if (cells == 0) continue;
        if (!file.read(layer.cells.get(), cells * sizeof(PaintCell))) return PaintingLoadResult::kDamaged;
        if (entry.opaque) continue;
        if (!file.read(layer.coverage.get(), cells * sizeof(float))) return PaintingLoadResult::kDamaged;
        for (std::uint64_t i = 0; i < cells; ++i) {
            if (!(layer.coverage[i] >= 0.0f && layer.coverage[i] <= 1.0f)) return PaintingLoadResult::kDamaged;
        }
    }
    Canvas fresh;
    if (!fresh.allocate(header.width, header.height)) return PaintingLoadResult::kDamaged;
    into.swapCells(fresh);
    out = std::move(layers);
    active = chosen;
    return PaintingLoadResult::kOk;
}

}  // namespace sc
