#include "formats/painting_file.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

#include "engine/canvas.h"
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
    explicit ChannelPlanes(const Canvas& canvas) : cells_(canvas.cellCount()) {
        if (cells_ > 0 && cells_ <= SIZE_MAX / 5) copies_.reset(new (std::nothrow) std::uint8_t[cells_ * 5]);
        auto* base = const_cast<std::uint8_t*>(reinterpret_cast<const std::uint8_t*>(canvas.cells()));
        for (int i = 0; i < 5; ++i) {
            if (copies_) {
                views_[i] = PlaneView{copies_.get() + cells_ * i, 1, canvas.width};
            } else {
                views_[i] = PlaneView{base ? base + kChannelOffsets[i] : nullptr, sizeof(PaintCell),
                                      static_cast<std::size_t>(canvas.width) * sizeof(PaintCell)};
            }
        }
    }
    void gather(const Canvas& canvas) {
        if (!copies_) return;
        const PaintCell* c = canvas.cells();
        std::uint8_t* p = copies_.get();
        for (std::size_t i = 0; i < cells_; ++i) {
            p[i] = c[i].red;
            p[cells_ + i] = c[i].green;
            p[2 * cells_ + i] = c[i].blue;
            p[3 * cells_ + i] = c[i].grain;
            p[4 * cells_ + i] = c[i].shine;
        }
    }
    void scatter(Canvas& canvas) const {
        if (!copies_) return;
        PaintCell* c = canvas.cells();
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
bool fits(std::uint64_t count, std::uint64_t size, std::uint64_t available) {
    return count <= available / size;
}

PaintingLoadResult readVersion2(DataFile& file, const PaintingHeader& header, Canvas& into) {
    const std::uint64_t cells = static_cast<std::uint64_t>(header.width) * header.height;
    const std::uint64_t available = file.remaining();
    const std::uint64_t channels = 5 * minimumCodedChannelBytes(header.width, header.height);
    // Refuse a size the file cannot hold before allocating anything for it.
    if (channels > available || !fits(cells, sizeof(float), available - channels)) return PaintingLoadResult::kDamaged;
    if (!into.allocate(header.width, header.height)) return PaintingLoadResult::kDamaged;

    // The five channels are read first and then decoded in one pass.
    CodedChannel coded[5];
    const std::uint8_t* streams[5];
    std::size_t streamBytes[5];
    for (int i = 0; i < 5; ++i) {
        if (readCodedChannel(file, header.width, header.height, coded[i]) != CodecResult::kOk) {
            return PaintingLoadResult::kDamaged;
        }
        streams[i] = coded[i].bytes.get() + 4;
        streamBytes[i] = coded[i].size - 4;
    }
    ChannelPlanes planes(into);
    if (decodeStreams(streams, streamBytes, planes.views(), 5, header.width, header.height, kPaintingShift) !=
        CodecResult::kOk) {
        return PaintingLoadResult::kDamaged;
    }
    planes.scatter(into);

    std::unique_ptr<float[]> chunk(new (std::nothrow) float[kHeightChunk]);
    if (!chunk) return PaintingLoadResult::kDamaged;
    PaintCell* out = into.cells();
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

}  // namespace

PaintingLoadResult readPaintingFile(DataFile& file, Canvas& into, std::uint32_t* version) {
    if (!file.isOpen()) return PaintingLoadResult::kCannotOpen;
    std::uint8_t raw[kPaintingHeaderSize] = {};
    const auto got = static_cast<std::size_t>(std::min<std::uint64_t>(kPaintingHeaderSize, file.remaining()));
    if (!file.read(raw, got)) return PaintingLoadResult::kDamaged;
    const PaintingHeader header = decodePaintingHeader(raw);
    if (got < 4 || header.magic != kPaintingMagic) return PaintingLoadResult::kBadMagic;
    if (got < 8) return PaintingLoadResult::kDamaged;
    if (version) *version = header.version;
    if (header.version == 3) return PaintingLoadResult::kVersion3;
    if (header.version != 1 && header.version != 2) return PaintingLoadResult::kLaterVersion;
    if (got < kPaintingHeaderSize) return PaintingLoadResult::kDamaged;
    // A painting is empty (0 x 0) or has cells; a width without height (or
    // the reverse) cannot be shown and was never written.
    if ((header.width == 0) != (header.height == 0)) return PaintingLoadResult::kDamaged;
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

    // The five channels are coded in one pass, then written in order.
    ChannelPlanes copies(canvas);
    copies.gather(canvas);
    ConstPlaneView planes[5];
    for (int i = 0; i < 5; ++i) planes[i] = copies.constView(i);
    CodedChannel coded[5];
    ok = ok && encodePlanes(planes, 5, canvas.width, canvas.height, kPaintingShift, coded);
    for (int i = 0; i < 5 && ok; ++i) ok = file.write(coded[i].bytes.get(), coded[i].size);

    const PaintCell* cells = canvas.cells();
    const std::uint64_t count = canvas.cellCount();
    for (std::uint64_t done = 0; ok && done < count;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kHeightChunk, count - done));
        for (std::size_t i = 0; i < n; ++i) std::memcpy(&chunk[i], &cells[done + i].height, sizeof(float));
        ok = file.write(chunk.get(), n * sizeof(float));
        done += n;
    }
    if (!ok) {
        file.discard();
        return false;
    }
    return file.close();
}

}  // namespace sc
