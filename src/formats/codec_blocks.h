// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel codec's inner parts: the bit stream, the depth table and the
// coding of one 4 x 4 block. Only channel_codec.cpp uses them.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "formats/channel_codec.h"

namespace sc::codec {

inline constexpr int kMaxValidDepth = 8;
// The encoder never needs more than 4 + 8 + 16 x 7 bits for a block.
inline constexpr std::uint64_t kWorstBlockBytes = 16;

inline std::uint64_t padded(std::uint32_t side) { return (static_cast<std::uint64_t>(side) + 3) & ~std::uint64_t{3}; }

// One row of the depth table: the bound M' must be below for each depth
// 0..6 (0 = that depth is never chosen), the depth above the last bound and
// the limit below which the spread is softened (0 = never).
struct DepthRow {
    int bounds[7];
    int last;
    int softenLimit;
    int stepShift;  // log2 of the step
};

inline const DepthRow* depthRowFor(std::uint8_t step) {
    static constexpr DepthRow kStep2{{2, 0, 4, 8, 16, 32, 64}, 7, 0, 1};
    static constexpr DepthRow kStep4{{4, 0, 8, 16, 32, 64, 128}, 7, 4, 2};
    static constexpr DepthRow kStep8{{2, 8, 16, 32, 64, 128, 0}, 6, 5, 3};
    static constexpr DepthRow kStep16{{4, 16, 32, 64, 128, 0, 0}, 5, 4, 4};
    static constexpr DepthRow kStep32{{8, 16, 32, 64, 128, 0, 0}, 5, 0, 5};
    switch (step) {
        case 2: return &kStep2;
        case 4: return &kStep4;
        case 8: return &kStep8;
        case 16: return &kStep16;
        case 32: return &kStep32;
        default: return nullptr;  // every block is coded flat
    }
}

inline int chooseDepth(const DepthRow* row, int largest, int average) {
    if (!row) return 0;
    int m = largest;
    if (row->softenLimit > 0 && largest - average < row->softenLimit) m = largest - (largest - average) / 2;
    for (int n = 0; n < 7; ++n) {
        if (row->bounds[n] > 0 && m < row->bounds[n]) return n;
    }
    return row->last;
}

// Bits go in most significant first; whole 32-bit words are flushed.
class BitWriter {
public:
    explicit BitWriter(std::uint8_t* out) : out_(out) {}
    // 1 <= bits <= 32.
    void put(std::uint32_t value, int bits) {
        acc_ = (acc_ << bits) | (value & (0xFFFFFFFFu >> (32 - bits)));
        pending_ += bits;
        if (pending_ >= 32) {
            pending_ -= 32;
            const auto word = static_cast<std::uint32_t>(acc_ >> pending_);
            out_[0] = static_cast<std::uint8_t>(word >> 24);
            out_[1] = static_cast<std::uint8_t>(word >> 16);
            out_[2] = static_cast<std::uint8_t>(word >> 8);
            out_[3] = static_cast<std::uint8_t>(word);
            out_ += 4;
        }
    }
    // Completes a partly filled last byte with zero bits; returns the end.
    std::uint8_t* finish() {
        while (pending_ >= 8) {
            pending_ -= 8;
            *out_++ = static_cast<std::uint8_t>(acc_ >> pending_);
        }
        if (pending_ > 0) *out_++ = static_cast<std::uint8_t>(acc_ << (8 - pending_));
        pending_ = 0;
        return out_;
    }

private:
    std::uint8_t* out_;
    std::uint64_t acc_ = 0;
    int pending_ = 0;
};

class BitReader {
public:
    BitReader() = default;
    BitReader(const std::uint8_t* data, std::size_t bytes) : data_(data), bytes_(bytes), totalBits_(bytes * 8ull) {}
    bool has(std::uint64_t bits) const { return totalBits_ - position_ >= bits; }
    // The next 64 bits from the position, the first one in the top bit; bytes
    // past the end read as zero. At least 57 of them are the stream's.
    std::uint64_t peek() const {
        const std::size_t byte = static_cast<std::size_t>(position_ >> 3);
        std::uint64_t v = 0;
        if (byte + 8 <= bytes_) {
            std::memcpy(&v, data_ + byte, 8);
            v = __builtin_bswap64(v);
        } else {
            for (std::size_t i = 0; i < 8; ++i) v = (v << 8) | (byte + i < bytes_ ? data_[byte + i] : 0u);
        }
        return v << (position_ & 7);
    }
    void skip(std::uint64_t bits) { position_ += bits; }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t bytes_ = 0;
    std::uint64_t totalBits_ = 0;
    std::uint64_t position_ = 0;
};

// The 16 samples of the block at (x0, y0), rows top to bottom; positions
// outside the plane repeat the nearest edge sample.
inline void gatherBlock(const ConstPlaneView& plane, std::uint32_t width, std::uint32_t height, std::uint64_t x0,
                        std::uint64_t y0, int out[16]) {
    const std::size_t step = plane.sampleStride;
    if (x0 + 4 <= width && y0 + 4 <= height) {
        for (int r = 0; r < 4; ++r) {
            const std::uint8_t* row = plane.data + (y0 + r) * plane.rowStride + x0 * step;
            for (int c = 0; c < 4; ++c) out[r * 4 + c] = row[c * step];
        }
        return;
    }
    for (int r = 0; r < 4; ++r) {
        const std::uint64_t y = std::min<std::uint64_t>(y0 + r, height - 1);
        const std::uint8_t* row = plane.data + y * plane.rowStride;
        for (int c = 0; c < 4; ++c) out[r * 4 + c] = row[std::min<std::uint64_t>(x0 + c, width - 1) * step];
    }
}

// Writes the samples of a decoded block that lie inside the plane.
inline void storeBlock(const PlaneView& plane, std::uint32_t width, std::uint32_t height, std::uint64_t x0,
                       std::uint64_t y0, const std::uint8_t values[16]) {
    const std::size_t step = plane.sampleStride;
    const std::uint64_t rows = std::min<std::uint64_t>(4, height - y0);
    const std::uint64_t cols = std::min<std::uint64_t>(4, width - x0);
    for (std::uint64_t r = 0; r < rows; ++r) {
        std::uint8_t* row = plane.data + (y0 + r) * plane.rowStride + x0 * step;
        for (std::uint64_t c = 0; c < cols; ++c) row[c * step] = values[r * 4 + c];
    }
}

inline void encodeBlock(const int samples[16], const DepthRow* row, BitWriter& bits) {
    int sum = 0;
    for (int i = 0; i < 16; ++i) sum += samples[i];
    const int mean = sum / 16;
    int largest = 0, deviations = 0;
    for (int i = 0; i < 16; ++i) {
        const int d = samples[i] > mean ? samples[i] - mean : mean - samples[i];
        largest = std::max(largest, d);
        deviations += d;
    }
    const int depth = chooseDepth(row, largest, deviations / 16);
    if (depth == 0) {
        bits.put(static_cast<std::uint32_t>(mean), 12);  // depth 0 in the top 4 bits
        return;
    }
    const int lo = std::max(0, mean - largest);
    bits.put((static_cast<std::uint32_t>(depth) << 8) | static_cast<std::uint32_t>(lo), 12);
    // Samples never lie below lo, so the division by the step is a shift.
    const int top = (1 << depth) - 1;
    for (int group = 0; group < 16; group += 4) {
        std::uint32_t packed = 0;
        for (int i = 0; i < 4; ++i) {
            const auto q = static_cast<std::uint32_t>(std::min((samples[group + i] - lo) >> row->stepShift, top));
            packed = (packed << depth) | q;
        }
        bits.put(packed, 4 * depth);
    }
}

// False when the stream ends inside the block or its depth is above 8.
inline bool decodeBlock(BitReader& bits, int step, std::uint8_t values[16]) {
    if (!bits.has(12)) return false;
    const std::uint64_t head = bits.peek();
    const int depth = static_cast<int>(head >> 60);
    const int base = static_cast<int>((head >> 52) & 0xFF);
    bits.skip(12);
    if (depth > kMaxValidDepth) return false;
    if (depth == 0) {
        std::memset(values, base, 16);
        return true;
    }
    if (!bits.has(16ull * static_cast<std::uint64_t>(depth))) return false;
    const int offset = base + step / 2 - 1;
    // One peek holds eight offsets of up to 7 bits, or four of 8.
    const int perPeek = depth <= 7 ? 8 : 4;
    for (int group = 0; group < 16; group += perPeek) {
        const std::uint64_t word = bits.peek();
        for (int i = 0; i < perPeek; ++i) {
            const auto q = static_cast<int>((word << (i * depth)) >> (64 - depth));
            values[group + i] = static_cast<std::uint8_t>(std::clamp(q * step + offset, 0, 255));
        }
        bits.skip(static_cast<std::uint64_t>(perPeek * depth));
    }
    return true;
}

}  // namespace sc::codec
