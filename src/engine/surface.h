// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A bottom-up BGR(A) pixel buffer: the rendered canvas and every other picture.
//
// Pixel (x, y), y = 0 the top row, starts at byte (height - 1 - y) * stride +
// x * bytesPerPixel and holds blue, green, red (then alpha on 4-byte surfaces).
// Rows are padded to a multiple of 4 bytes; the padding stays 0, as only pixel
// writes touch the memory.
#include <cstdint>
#include <memory>

namespace sc {

class Surface {
public:
    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;
    ~Surface() = default;

    // Allocates a width x height buffer of zero bytes, row padding included;
    // on failure the surface stays invalid with every field zero.
    bool create(std::uint32_t width, std::uint32_t height, bool withAlpha);
    bool create32(std::uint32_t width, std::uint32_t height) { return create(width, height, true); }
    void release();

    // Every pixel white; row padding and alpha bytes keep their values.
    void clearWhite();
    // Out-of-range coordinates (compared unsigned) are ignored / read 0.
    void setPixel(std::uint32_t x, std::uint32_t y, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    std::uint32_t getPixel(std::int64_t x, std::int64_t y) const;
    // Blends [x0, x1) x [y0, y1) toward the colour; amount 0 paints it solid,
    // 255 leaves the pixels as they are.
    void blendRect(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint8_t red,
                   std::uint8_t green, std::uint8_t blue, std::uint8_t amount);
    // Copies this whole surface into target with its top-left at (x, y), clipped.
    void blitToSurface(std::int32_t x, std::int32_t y, Surface& target) const;

    bool valid() const { return valid_; }
    std::uint8_t bytesPerPixel() const { return bytesPerPixel_; }
    bool hasAlpha() const { return hasAlpha_ != 0; }
    std::int32_t stride() const { return stride_; }
    std::uint32_t width() const { return width_; }
    std::uint32_t height() const { return height_; }
    std::uint8_t* bits() { return bits_.get(); }
    const std::uint8_t* bits() const { return bits_.get(); }

    // Address of pixel (x, y); the caller has checked the bounds.
    std::uint8_t* pixelAddress(std::uint32_t x, std::uint32_t y) {
        return bits_.get() + static_cast<std::size_t>(height_ - 1 - y) * static_cast<std::size_t>(stride_) +
               static_cast<std::size_t>(x) * bytesPerPixel_;
    }
    const std::uint8_t* pixelAddress(std::uint32_t x, std::uint32_t y) const {
        return bits_.get() + static_cast<std::size_t>(height_ - 1 - y) * static_cast<std::size_t>(stride_) +
               static_cast<std::size_t>(x) * bytesPerPixel_;
    }

private:
    bool valid_ = false;
    std::uint8_t bytesPerPixel_ = 0;
    std::uint8_t hasAlpha_ = 0;
    std::unique_ptr<std::uint8_t[]> bits_;
    std::int32_t stride_ = 0;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
};

// Packs a colour as getPixel returns it: red in bits 0..7, green 8..15, blue 16..23.
inline constexpr std::uint32_t packColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16);
}
inline constexpr std::uint8_t redOf(std::uint32_t c) { return static_cast<std::uint8_t>(c); }
inline constexpr std::uint8_t greenOf(std::uint32_t c) { return static_cast<std::uint8_t>(c >> 8); }
inline constexpr std::uint8_t blueOf(std::uint32_t c) { return static_cast<std::uint8_t>(c >> 16); }

}  // namespace sc
