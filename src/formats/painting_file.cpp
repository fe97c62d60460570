// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/painting_file.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

#include "engine/canvas.h"
#include "engine/layer.h"
#include "formats/channel_codec.h"
#include "formats/data_file.h"
#include "formats/painting_v1.h"

namespace sc {
namespace {

// Cells, heights and header fields are little-endian images of memory.
static_assert(std::endian::native == std::endian::little);

constexpr std::int32_t kPaintingShift = 1;
constexpr std::size_t kChannelOffsets[5] = {offsetof(PaintCell, red), offsetof(PaintCell, green),
                                            offsetof(PaintCell, blue), offsetof(PaintCell, grain),
                                            offsetof(PaintCell, shine)};
// Heights move through a bounded buffer, whatever the canvas size.
constexpr std::size_t kHeightChunk = 64 * 1024;

// The five byte channels of a canvas as planes for the codec. The codec walks
// the blocks down columns, which on the 12-byte cells themselves touches a
// new cache line for every row; it works on contiguous copies of the planes
// instead, made and spread back in one row-order pass. Without memory for
// the copies it works on the cells in place.
class ChannelPlanes {
public:
    ChannelPlanes(const PaintCell* cells, std::size_t count, std::uint32_t width) : cells_(count) {
        if (cells_ > 0 && cells_ <= SIZE_MAX / 5) copies_.reset(new (std::nothrow) std::uint8_t[cells_ * 5]);
        auto* base = const_cast<std::uint8_t*>(reinterpret_cast<const std::uint8_t*>(cells));
        for (int i = 0; i < 5; ++i) {
            if (copies_) {
                views_[i] = PlaneView{copies_.get() + cells_ * i, 1, width};
            } else {
                views_[i] = PlaneView{base ? base + kChannelOffsets[i] : nullptr, sizeof(PaintCell),
                                      static_cast<std::size_t>(width) * sizeof(PaintCell)};
            }
        }
    }
    void gather(const PaintCell* c) {
        if (!copies_) return;
        std::uint8_t* p = copies_.get();
        for (std::size_t i = 0; i < cells_; ++i) {
            p[i] = c[i].red;
            p[cells_ + i] = c[i].green;
            p[2 * cells_ + i] = c[i].blue;
            p[3 * cells_ + i] = c[i].grain;
            p[4 * cells_ + i] = c[i].shine;
        }
    }
    void scatter(PaintCell* c) const {
        if (!copies_) return;
        const std::uint8_t* p = copies_.get();
        for (std::size_t i = 0; i < cells_; ++i) {
            c[i].red = p[i];
            c[i].green = p[cells_ + i];
            c[i].blue = p[2 * cells_ + i];
            c[i].grain = p[3 * cells_ + i];
            c[i].shine = p[4 * cells_ + i];
        }
    }
    const PlaneView* views() const { return views_; }
    ConstPlaneView constView(int i) const { return {views_[i].data, views_[i].sampleStride, views_[i].rowStride}; }

private:
    std::size_t cells_;
    std::unique_ptr<std::uint8_t[]> copies_;
    PlaneView views_[5];
};

// Whether `count` items of `size` bytes fit into `available` bytes.
bool fits(std::uint64_t count, std::uint64_t size, std::uint64_t available) { return count <= available / size; }

PaintingLoadResult readCells(DataFile& file, std::uint32_t width, std::uint32_t height, PaintCell* out);

PaintingLoadResult readVersion2(DataFile& file, const PaintingHeader& header, Canvas& into) {
    const std::uint64_t cells = static_cast<std::uint64_t>(header.width) * header.height;
    const std::uint64_t available = file.remaining();
    const std::uint64_t channels = 5 * minimumCodedChannelBytes(header.width, header.height);
    // Refuse a size the file cannot hold before allocating anything for it.
    if (channels > available || !fits(cells, sizeof(float), available - channels)) return PaintingLoadResult::kDamaged;
    if (!into.allocate(header.width, header.height)) return PaintingLoadResult::kDamaged;
    return readCells(file, header.width, header.height, into.cells());
}

// The five coded channels and the heights of width x height cells.
PaintingLoadResult readCells(DataFile& file, std::uint32_t width, std::uint32_t height, PaintCell* out) {
    const std::uint64_t cells = static_cast<std::uint64_t>(width) * height;
    // The five channels are read first and then decoded in one pass.
    CodedChannel coded[5];
    const std::uint8_t* streams[5];
    std::size_t streamBytes[5];
    for (int i = 0; i < 5; ++i) {
        if (readCodedChannel(file, width, height, coded[i]) != CodecResult::kOk) {
            return PaintingLoadResult::kDamaged;
        }
        streams[i] = coded[i].bytes.get() + 4;
        streamBytes[i] = coded[i].size - 4;
    }
    ChannelPlanes planes(out, cells, width);
    if (decodeStreams(streams, streamBytes, planes.views(), 5, width, height, kPaintingShift) != CodecResult::kOk) {
        return PaintingLoadResult::kDamaged;
    }
    planes.scatter(out);

    std::unique_ptr<float[]> chunk(new (std::nothrow) float[kHeightChunk]);
    if (!chunk) return PaintingLoadResult::kDamaged;
    for (std::uint64_t done = 0; done < cells;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kHeightChunk, cells - done));
        if (!file.read(chunk.get(), n * sizeof(float))) return PaintingLoadResult::kDamaged;
        // Copied as bytes so every height, NaN payloads included, comes back bit for bit.
        for (std::size_t i = 0; i < n; ++i) std::memcpy(&out[done + i].height, &chunk[i], sizeof(float));
        done += n;
    }
    return PaintingLoadResult::kOk;
}

PaintingLoadResult readVersion1(DataFile& file, const PaintingHeader& header, Canvas& into) {
    const std::uint64_t cells = static_cast<std::uint64_t>(header.width) * header.height;
    if (!fits(cells, sizeof(PaintCell), file.remaining())) return PaintingLoadResult::kDamaged;
    if (!into.allocate(header.width, header.height)) return PaintingLoadResult::kDamaged;
    return readRawCells(file, into) ? PaintingLoadResult::kOk : PaintingLoadResult::kDamaged;
}

// The five coded channels and the heights of width x height cells.
bool writeCells(DataFile& file, const PaintCell* cells, std::uint32_t width, std::uint32_t height, float* chunk) {
    const std::uint64_t count = static_cast<std::uint64_t>(width) * height;
    // The five channels are coded in one pass, then written in order.
    ChannelPlanes copies(cells, count, width);
    copies.gather(cells);
    ConstPlaneView planes[5];
    for (int i = 0; i < 5; ++i) planes[i] = copies.constView(i);
    CodedChannel coded[5];
    bool ok = encodePlanes(planes, 5, width, height, kPaintingShift, coded);
    for (int i = 0; i < 5 && ok; ++i) ok = file.write(coded[i].bytes.get(), coded[i].size);
    for (std::uint64_t done = 0; ok && done < count;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kHeightChunk, count - done));
        for (std::size_t i = 0; i < n; ++i) std::memcpy(&chunk[i], &cells[done + i].height, sizeof(float));
        ok = file.write(chunk, n * sizeof(float));
        done += n;
    }
    return ok;
}

// Layer flags of a version 3 file.
constexpr std::uint32_t kLayerVisible = 1;
constexpr std::uint32_t kLayerOpaque = 2;

bool readU32(DataFile& file, std::uint32_t& v) { return file.read(&v, sizeof v); }

// The layer table and each layer's channels, read and checked in file order.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
PaintingLoadResult readVersion3(DataFile& file, const PaintingHeader& header, Canvas& into, std::vector<Layer>& out,
                                std::size_t& active) {
    std::uint32_t count = 0, chosen = 0;
    if (!readU32(file, count) || !readU32(file, chosen)) return PaintingLoadResult::kDamaged;
    if (count < 2 || count > kMaxFileLayers || chosen >= count) return PaintingLoadResult::kDamaged;
    std::vector<Layer> layers(count);
    for (Layer& layer : layers) {
        std::uint32_t flags = 0, nameBytes = 0;
        float opacity = 0.0f;
        if (!readU32(file, flags) || !file.read(&opacity, sizeof opacity) || !readU32(file, nameBytes)) {
            return PaintingLoadResult::kDamaged;
        }
        if ((flags & ~(kLayerVisible | kLayerOpaque)) != 0 || !(opacity >= 0.0f && opacity <= 1.0f) ||
            nameBytes > kMaxLayerNameBytes || nameBytes > file.remaining()) {
            return PaintingLoadResult::kDamaged;
        }
        layer.name.resize(nameBytes);
        if (nameBytes > 0 && !file.read(layer.name.data(), nameBytes)) return PaintingLoadResult::kDamaged;
        layer.visible = (flags & kLayerVisible) != 0;
        layer.opacity = opacity;
        // Opaque until its cells are read: the flag is kept in the coverage.
        if ((flags & kLayerOpaque) == 0) layer.coverage.reset(new (std::nothrow) float[1]);
    }
    const std::uint64_t cells = static_cast<std::uint64_t>(header.width) * header.height;
    for (Layer& layer : layers) {
        const bool opaque = !layer.coverage;
        const std::uint64_t available = file.remaining();
        const std::uint64_t channels = 5 * minimumCodedChannelBytes(header.width, header.height);
        const std::uint64_t floatPlanes = opaque ? 1 : 2;
        if (channels > available || !fits(cells, sizeof(float) * floatPlanes, available - channels)) {
            return PaintingLoadResult::kDamaged;
        }
        if (!allocateLayer(layer, header.width, header.height, opaque)) return PaintingLoadResult::kDamaged;
        const PaintingLoadResult result = readCells(file, header.width, header.height, layer.cells.get());
        if (result != PaintingLoadResult::kOk) return result;
        if (!opaque) {
            if (cells > 0 && !file.read(layer.coverage.get(), cells * sizeof(float))) {
                return PaintingLoadResult::kDamaged;
            }
            for (std::uint64_t i = 0; i < cells; ++i) {
                if (!(layer.coverage[i] >= 0.0f && layer.coverage[i] <= 1.0f)) return PaintingLoadResult::kDamaged;
            }
        }
    }
    if (!into.allocate(header.width, header.height)) return PaintingLoadResult::kDamaged;
    out = std::move(layers);
    active = chosen;
    return PaintingLoadResult::kOk;
}

}  // namespace

PaintingLoadResult readPaintingFile(DataFile& file, Canvas& into, std::uint32_t* version) {
    return readPaintingFile(file, into, version, nullptr, nullptr);
}

PaintingLoadResult readPaintingFile(DataFile& file, Canvas& into, std::uint32_t* version, std::vector<Layer>* layers,
                                    std::size_t* active) {
    if (!file.isOpen()) return PaintingLoadResult::kCannotOpen;
    std::uint8_t raw[kPaintingHeaderSize] = {};
    const auto got = static_cast<std::size_t>(std::min<std::uint64_t>(kPaintingHeaderSize, file.remaining()));
    if (!file.read(raw, got)) return PaintingLoadResult::kDamaged;
    const PaintingHeader header = decodePaintingHeader(raw);
    if (got < 4 || header.magic != kPaintingMagic) return PaintingLoadResult::kBadMagic;
    if (got < 8) return PaintingLoadResult::kDamaged;
    if (version) *version = header.version;
    if (header.version == 3 && layers == nullptr) return PaintingLoadResult::kVersion3;
    if (header.version != 1 && header.version != 2 && header.version != 3) return PaintingLoadResult::kLaterVersion;
    if (got < kPaintingHeaderSize) return PaintingLoadResult::kDamaged;
    // A painting is empty (0 x 0) or has cells; a width without height (or
    // the reverse) cannot be shown and was never written.
    if ((header.width == 0) != (header.height == 0)) return PaintingLoadResult::kDamaged;
    if (header.version == 3) {
        std::size_t chosen = 0;
        const PaintingLoadResult result = readVersion3(file, header, into, *layers, chosen);
        if (active) *active = chosen;
        return result;
    }
    if (layers) layers->clear();
    return header.version == 1 ? readVersion1(file, header, into) : readVersion2(file, header, into);
}

PaintingLoadResult readPaintingFile(const std::string& path, Canvas& into, std::uint32_t* version) {
    DataFile file;
    if (!file.open(path, DataFile::kRead)) return PaintingLoadResult::kCannotOpen;
    const PaintingLoadResult result = readPaintingFile(file, into, version);
    file.close();
    return result;
}

bool writePaintingFile(const std::string& path, const Canvas& canvas) {
    if (canvas.cellCount() > 0 && !canvas.hasCells()) return false;
    std::unique_ptr<float[]> chunk(new (std::nothrow) float[kHeightChunk]);
    if (!chunk) return false;
    DataFile file;
    if (!file.open(path, DataFile::kWrite)) return false;

    std::uint8_t header[kPaintingHeaderSize];
    encodePaintingHeader({kPaintingMagic, 2, canvas.width, canvas.height}, header);
    bool ok = file.write(header, sizeof header);
    ok = ok && writeCells(file, canvas.cells(), canvas.width, canvas.height, chunk.get());
    if (!ok) {
        file.discard();
        return false;
    }
    return file.close();
}

bool writeLayeredPaintingFile(const std::string& path, std::uint32_t width, std::uint32_t height,
                              const std::vector<Layer>& layers, std::size_t active) {
    if (layers.size() < 2 || layers.size() > kMaxFileLayers || active >= layers.size()) return false;
    const std::uint64_t cells = static_cast<std::uint64_t>(width) * height;
    for (const Layer& layer : layers) {
        if (layer.width != width || layer.height != height || (cells > 0 && !layer.cells)) return false;
    }
    std::unique_ptr<float[]> chunk(new (std::nothrow) float[kHeightChunk]);
    if (!chunk) return false;
    DataFile file;
    if (!file.open(path, DataFile::kWrite)) return false;

    std::uint8_t header[kPaintingHeaderSize];
    encodePaintingHeader({kPaintingMagic, 3, width, height}, header);
    bool ok = file.write(header, sizeof header);
    const std::uint32_t table[2] = {static_cast<std::uint32_t>(layers.size()), static_cast<std::uint32_t>(active)};
    ok = ok && file.write(table, sizeof table);
    for (const Layer& layer : layers) {
        const std::uint32_t flags = (layer.visible ? kLayerVisible : 0) | (layer.opaque() ? kLayerOpaque : 0);
        const std::string name = layer.name.substr(0, kMaxLayerNameBytes);
        const auto nameBytes = static_cast<std::uint32_t>(name.size());
        ok = ok && file.write(&flags, sizeof flags) && file.write(&layer.opacity, sizeof layer.opacity) &&
             file.write(&nameBytes, sizeof nameBytes) && (nameBytes == 0 || file.write(name.data(), nameBytes));
    }
    for (const Layer& layer : layers) {
        ok = ok && writeCells(file, layer.cells.get(), width, height, chunk.get());
        if (ok && !layer.opaque() && cells > 0) ok = file.write(layer.coverage.get(), cells * sizeof(float));
    }
    if (!ok) {
        file.discard();
        return false;
    }
    return file.close();
}

}  // namespace sc
