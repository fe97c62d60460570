// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/surface.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "engine/numeric.h"

namespace sc {

Surface::Surface(Surface&& other) noexcept { *this = std::move(other); }

Surface& Surface::operator=(Surface&& other) noexcept {
    if (this != &other) {
        valid_ = std::exchange(other.valid_, false);
        bytesPerPixel_ = std::exchange(other.bytesPerPixel_, 0);
        hasAlpha_ = std::exchange(other.hasAlpha_, 0);
        bits_ = std::move(other.bits_);
        stride_ = std::exchange(other.stride_, 0);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

bool Surface::create(std::uint32_t width, std::uint32_t height, bool withAlpha) {
    release();
    const std::uint64_t bpp = withAlpha ? 4 : 3;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bpp + 3) & ~std::uint64_t{3};
    // A bitmap's stride and size must fit the platform's 32-bit fields.
    if (width == 0 || height == 0 || stride > 0x7FFFFFFFu) return false;
    const std::uint64_t bytes = stride * height;
    if (bytes / height != stride || bytes > (std::uint64_t{1} << 40)) return false;
    // Zeroed, so the row padding, which no pixel write reaches, stays 0.
    bits_.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(bytes)]());
    if (!bits_) return false;
    bytesPerPixel_ = static_cast<std::uint8_t>(bpp);
    hasAlpha_ = withAlpha ? 1 : 0;
    stride_ = static_cast<std::int32_t>(stride);
    width_ = width;
    height_ = height;
    valid_ = true;
    return true;
}

void Surface::release() {
    bits_.reset();
    valid_ = false;
    bytesPerPixel_ = 0;
    hasAlpha_ = 0;
    stride_ = 0;
    width_ = 0;
    height_ = 0;
}

void Surface::clearWhite() {
    if (!valid_) return;
    // Pixels only: the row padding and alpha bytes are left as they are.
    if (bytesPerPixel_ == 3) {
        for (std::uint32_t y = 0; y < height_; ++y) std::memset(pixelAddress(0, y), 255, std::size_t{3} * width_);
        return;
    }
    for (std::uint32_t y = 0; y < height_; ++y) {
        std::uint8_t* p = pixelAddress(0, y);
        for (std::uint32_t x = 0; x < width_; ++x, p += 4) p[0] = p[1] = p[2] = 255;
    }
}

void Surface::setPixel(std::uint32_t x, std::uint32_t y, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    if (!valid_ || x >= width_ || y >= height_) return;
    std::uint8_t* p = pixelAddress(x, y);
    p[0] = blue;
    p[1] = green;
    p[2] = red;
}

std::uint32_t Surface::getPixel(std::int64_t x, std::int64_t y) const {
    if (!valid_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const std::uint8_t* p = pixelAddress(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
    std::uint32_t c = packColour(p[2], p[1], p[0]);
    if (bytesPerPixel_ == 4) c |= static_cast<std::uint32_t>(p[3]) << 24;
    return c;
}

void Surface::blendRect(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint8_t red,
                        std::uint8_t green, std::uint8_t blue, std::uint8_t amount) {
    if (!valid_ || amount == 255) return;
    const double factor = amount * static_cast<double>(kInv255);
    auto blend = [factor](int c, int k) { return truncToByte((c - k) * factor + k); };
    for (std::int32_t x = x0; x < x1; ++x) {
        for (std::int32_t y = y0; y < y1; ++y) {
            // Pixels outside the surface read 0 and are not written.
            const std::uint32_t c = getPixel(x, y);
            setPixel(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), blend(redOf(c), red),
                     blend(greenOf(c), green), blend(blueOf(c), blue));
        }
    }
}

void Surface::blitToSurface(std::int32_t x, std::int32_t y, Surface& target) const {
    if (!valid_ || !target.valid_) return;
    const std::int64_t left = std::max<std::int64_t>(0, x);
    const std::int64_t top = std::max<std::int64_t>(0, y);
    const std::int64_t right = std::min<std::int64_t>(target.width_, static_cast<std::int64_t>(x) + width_);
    const std::int64_t bottom = std::min<std::int64_t>(target.height_, static_cast<std::int64_t>(y) + height_);
    for (std::int64_t ty = top; ty < bottom; ++ty) {
        const auto sy = static_cast<std::uint32_t>(ty - y);
        for (std::int64_t tx = left; tx < right; ++tx) {
            const auto sx = static_cast<std::uint32_t>(tx - x);
            const std::uint8_t* s = pixelAddress(sx, sy);
            std::uint8_t* d = target.pixelAddress(static_cast<std::uint32_t>(tx), static_cast<std::uint32_t>(ty));
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            if (bytesPerPixel_ == 4 && target.bytesPerPixel_ == 4) d[3] = s[3];
        }
    }
}

}  // namespace sc
