// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/channel_codec.h"

#include <new>
#include <vector>

#include "formats/codec_blocks.h"
#include "formats/data_file.h"
#include "formats/little_endian.h"

namespace sc {

using codec::BitReader;
using codec::BitWriter;
using codec::padded;

std::uint8_t codecStep(std::int32_t shift) {
    if (shift <= 1) return 2;
    if (shift >= 8) return 0;
    return static_cast<std::uint8_t>(1u << shift);
}

std::uint64_t codedChannelCapacity(std::uint32_t width, std::uint32_t height) {
    return 2 * padded(width) * padded(height);
}

std::uint64_t minimumCodedChannelBytes(std::uint32_t width, std::uint32_t height) {
    const std::uint64_t blocks = (padded(width) / 4) * (padded(height) / 4);
    return 4 + (blocks * 12 + 7) / 8;
}

bool encodePlanes(const ConstPlaneView* planes, int count, std::uint32_t width, std::uint32_t height,
                  std::int32_t shift, CodedChannel* out) {
    for (int i = 0; i < count; ++i) out[i] = CodedChannel{};
    const std::uint64_t blockColumns = padded(width) / 4;
    const std::uint64_t blockRows = padded(height) / 4;
    const std::uint64_t worst = 4 + blockColumns * blockRows * codec::kWorstBlockBytes + 4;
    if (worst > SIZE_MAX) return false;
    std::vector<BitWriter> writers;
    writers.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        out[i].bytes.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(worst)]);
        if (!out[i].bytes) {
            for (int j = 0; j <= i; ++j) out[j] = CodedChannel{};
            return false;
        }
        writers.emplace_back(out[i].bytes.get() + 4);
    }

    const codec::DepthRow* row = codec::depthRowFor(codecStep(shift));
    int samples[16];
    // One plane at a time: the rows a column of blocks touches stay in the
    // cache for the next columns.
    for (int i = 0; i < count; ++i) {
        BitWriter bits = writers[static_cast<std::size_t>(i)];
        for (std::uint64_t bx = 0; bx < blockColumns; ++bx) {
            for (std::uint64_t by = 0; by < blockRows; ++by) {
                codec::gatherBlock(planes[i], width, height, bx * 4, by * 4, samples);
                codec::encodeBlock(samples, row, bits);
            }
        }
        writers[static_cast<std::size_t>(i)] = bits;
    }
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* end = writers[static_cast<std::size_t>(i)].finish();
        const auto streamBytes = static_cast<std::uint64_t>(end - (out[i].bytes.get() + 4));
        // The count field holds 32 bits; a plane whose stream does not fit cannot be stored.
        if (streamBytes > UINT32_MAX) {
            for (int j = 0; j < count; ++j) out[j] = CodedChannel{};
            return false;
        }
        putU32(out[i].bytes.get(), static_cast<std::uint32_t>(streamBytes));
        out[i].size = 4 + static_cast<std::size_t>(streamBytes);
    }
    return true;
}

bool encodePlane(ConstPlaneView plane, std::uint32_t width, std::uint32_t height, std::int32_t shift,
                 CodedChannel& out) {
    return encodePlanes(&plane, 1, width, height, shift, &out);
}

CodecResult decodeStreams(const std::uint8_t* const* streams, const std::size_t* streamBytes, const PlaneView* planes,
                          int count, std::uint32_t width, std::uint32_t height, std::int32_t shift) {
    const std::uint64_t blockColumns = padded(width) / 4;
    const std::uint64_t blockRows = padded(height) / 4;
    // A plane with no rows or no columns has no blocks: nothing to read, and
    // no need to walk billions of empty block columns.
    if (blockColumns == 0 || blockRows == 0) return CodecResult::kOk;
    const int step = codecStep(shift);
    std::vector<BitReader> readers;
    readers.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) readers.emplace_back(streams[i], streamBytes[i]);
    std::uint8_t values[16];
    for (int i = 0; i < count; ++i) {
        // A local reader stays in registers (byte stores could alias a vector element).
        BitReader bits = readers[static_cast<std::size_t>(i)];
        for (std::uint64_t bx = 0; bx < blockColumns; ++bx) {
            for (std::uint64_t by = 0; by < blockRows; ++by) {
                if (!codec::decodeBlock(bits, step, values)) return CodecResult::kDamaged;
                codec::storeBlock(planes[i], width, height, bx * 4, by * 4, values);
            }
        }
    }
    return CodecResult::kOk;
}

CodecResult decodeStream(const std::uint8_t* stream, std::size_t streamBytes, PlaneView plane, std::uint32_t width,
                         std::uint32_t height, std::int32_t shift) {
    return decodeStreams(&stream, &streamBytes, &plane, 1, width, height, shift);
}

CodecResult readCodedChannel(DataFile& file, std::uint32_t width, std::uint32_t height, CodedChannel& out) {
    out = CodedChannel{};
    if (!file.isOpen()) return CodecResult::kNoFile;
    std::uint8_t countBytes[4];
    if (!file.read(countBytes, sizeof countBytes)) return CodecResult::kDamaged;
    const std::uint32_t count = getU32(countBytes);
    if (count > codedChannelCapacity(width, height) || count > file.remaining()) return CodecResult::kDamaged;
    out.bytes.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(count) + 4]);
    if (!out.bytes) return CodecResult::kNoMemory;
    putU32(out.bytes.get(), count);
    if (!file.read(out.bytes.get() + 4, count)) {
        out = CodedChannel{};
        return CodecResult::kDamaged;
    }
    out.size = 4 + static_cast<std::size_t>(count);
    return CodecResult::kOk;
}

CodecResult encodeChannel(DataFile& file, ConstPlaneView plane, std::uint32_t width, std::uint32_t height,
                          std::int32_t shift) {
    if (!file.isOpen()) return CodecResult::kNoFile;
    CodedChannel coded;
    if (!encodePlane(plane, width, height, shift, coded)) return CodecResult::kNoMemory;
    return file.write(coded.bytes.get(), coded.size) ? CodecResult::kOk : CodecResult::kWriteFailed;
}

CodecResult decodeChannel(DataFile& file, PlaneView plane, std::uint32_t width, std::uint32_t height,
                          std::int32_t shift) {
    CodedChannel coded;
    const CodecResult read = readCodedChannel(file, width, height, coded);
    if (read != CodecResult::kOk) return read;
    return decodeStream(coded.bytes.get() + 4, coded.size - 4, plane, width, height, shift);
}

CodecResult encodeChannel(DataFile& file, const std::uint8_t* samples, std::uint32_t width, std::uint32_t height,
                          std::int32_t shift) {
    return encodeChannel(file, ConstPlaneView{samples, 1, width}, width, height, shift);
}

CodecResult decodeChannel(DataFile& file, std::uint8_t* samples, std::uint32_t width, std::uint32_t height,
                          std::int32_t shift) {
    return decodeChannel(file, PlaneView{samples, 1, width}, width, height, shift);
}

}  // namespace sc
