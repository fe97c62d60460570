// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel codec: one plane of 8-bit samples as a 32-bit byte count and a
// bit stream of 4 x 4 blocks, each a 4-bit depth, an 8-bit base and, unless
// the block is flat, sixteen offsets of that depth quantised by 2^shift.
//
// Blocks run down the columns of blocks: columns 0..3 from the top row of
// blocks to the bottom, then columns 4..7, and so on. Bits fill each byte
// from its most significant bit down.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace sc {

class DataFile;

enum class CodecResult {
    kOk,
    kNoFile,    // the file object is not open: nothing was done
    kDamaged,   // a count beyond the buffer, a depth above 8 or a stream cut short
    kNoMemory,  // the stream buffer could not be had
    kWriteFailed,
};

// A plane seen through strides, so planes can be read from and written into
// cells or surface rows in place. Sample (x, y) lies at
// data + y * rowStride + x * sampleStride.
struct PlaneView {
    std::uint8_t* data = nullptr;
    std::size_t sampleStride = 1;
    std::size_t rowStride = 0;
};

struct ConstPlaneView {
    const std::uint8_t* data = nullptr;
    std::size_t sampleStride = 1;
    std::size_t rowStride = 0;
};

// The quantisation step for a shift, as the 8-bit quantity the codec uses:
// 2 for shifts up to 1, 2^shift above, 0 from shift 8 on.
std::uint8_t codecStep(std::int32_t shift);

// The largest byte count a valid coded channel of this size may carry
// (2 x the padded width x the padded height).
std::uint64_t codedChannelCapacity(std::uint32_t width, std::uint32_t height);

// The fewest bytes a coded channel of this size occupies in a file: its
// count and 12 bits for every block.
std::uint64_t minimumCodedChannelBytes(std::uint32_t width, std::uint32_t height);

// One coded channel as it lies in a file: the 4-byte count, then the stream.
struct CodedChannel {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
};

// Codes a plane. False when memory ran out (out is then empty).
bool encodePlane(ConstPlaneView plane, std::uint32_t width, std::uint32_t height, std::int32_t shift,
                 CodedChannel& out);
// Codes `count` planes of one size, each into its own coded channel.
bool encodePlanes(const ConstPlaneView* planes, int count, std::uint32_t width, std::uint32_t height,
                  std::int32_t shift, CodedChannel* out);

// Decodes `streamBytes` bytes of stream (the part after the count) into the
// plane. A stream that ends before its last block, or a depth above 8, is
// damaged; nothing outside the stream or the plane is touched.
CodecResult decodeStream(const std::uint8_t* stream, std::size_t streamBytes, PlaneView plane, std::uint32_t width,
                         std::uint32_t height, std::int32_t shift);
// Decodes `count` streams of one size, each into its own plane.
CodecResult decodeStreams(const std::uint8_t* const* streams, const std::size_t* streamBytes, const PlaneView* planes,
                          int count, std::uint32_t width, std::uint32_t height, std::int32_t shift);

// Reads one coded channel's count and stream from the current position of an
// open file, refusing a count beyond the channel's capacity or the file.
CodecResult readCodedChannel(DataFile& file, std::uint32_t width, std::uint32_t height, CodedChannel& out);

// File forms: one coded channel written at, or read from, the current
// position of an open file.
CodecResult encodeChannel(DataFile& file, ConstPlaneView plane, std::uint32_t width, std::uint32_t height,
                          std::int32_t shift);
CodecResult decodeChannel(DataFile& file, PlaneView plane, std::uint32_t width, std::uint32_t height,
                          std::int32_t shift);

// Contiguous planes (row stride = width).
CodecResult encodeChannel(DataFile& file, const std::uint8_t* samples, std::uint32_t width, std::uint32_t height,
                          std::int32_t shift);
CodecResult decodeChannel(DataFile& file, std::uint8_t* samples, std::uint32_t width, std::uint32_t height,
                          std::int32_t shift);

}  // namespace sc
