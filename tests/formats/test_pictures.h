// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Picture files made by the tests themselves: BMP files byte by byte (every
// header form the readers meet), and a quadrant pattern whose corners tell
// which way up a picture arrived.
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace sc::testing {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

using PixelFunction = std::function<Rgb(std::uint32_t x, std::uint32_t y)>;

// Top-left red, top-right green, bottom-left blue, bottom-right white.
inline PixelFunction quadrants(std::uint32_t width, std::uint32_t height) {
    return [=](std::uint32_t x, std::uint32_t y) -> Rgb {
        const bool right = x >= width / 2, bottom = y >= height / 2;
        if (!bottom) return right ? Rgb{0, 255, 0} : Rgb{255, 0, 0};
        return right ? Rgb{255, 255, 255} : Rgb{0, 0, 255};
    };
}

inline void putLe16(std::string& s, std::size_t at, std::uint16_t v) {
    s[at] = static_cast<char>(v);
    s[at + 1] = static_cast<char>(v >> 8);
}
inline void putLe32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

struct BmpForm {
    std::uint32_t headerSize = 40;  // 12, 40, 52, 56, 64 (OS/2), 108 or 124
    bool topDown = false;
    std::uint16_t bits = 24;  // 24, 32 (bit fields) or 8 (palette of the distinct colours)
};

// An uncompressed BMP of the picture.
inline std::string makeBmp(std::uint32_t width, std::uint32_t height, const PixelFunction& pixel, BmpForm form = {}) {
    std::vector<Rgb> palette;
    if (form.bits == 8) {
        for (std::uint32_t y = 0; y < height; ++y) {
            for (std::uint32_t x = 0; x < width; ++x) {
                const Rgb c = pixel(x, y);
                bool known = false;
                for (const Rgb& p : palette) known = known || p == c;
                if (!known) palette.push_back(c);
            }
        }
    }
    const bool core = form.headerSize == 12;
    const std::size_t paletteBytes = palette.size() * (core ? 3 : 4);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * form.bits + 31) / 32 * 4;
    const std::size_t offset = 14 + form.headerSize + paletteBytes;
    std::string f(offset + rowBytes * height, '\0');
    f[0] = 'B';
    f[1] = 'M';
    putLe32(f, 2, static_cast<std::uint32_t>(f.size()));
    putLe32(f, 10, static_cast<std::uint32_t>(offset));
    putLe32(f, 14, form.headerSize);
    if (core) {
        putLe16(f, 18, static_cast<std::uint16_t>(width));
        putLe16(f, 20, static_cast<std::uint16_t>(height));
        putLe16(f, 22, 1);
        putLe16(f, 24, form.bits);
    } else {
        putLe32(f, 18, width);
        putLe32(f, 22, form.topDown ? static_cast<std::uint32_t>(-static_cast<std::int32_t>(height)) : height);
        putLe16(f, 26, 1);
        putLe16(f, 28, form.bits);
        // Bit fields, with the masks in the header, from the 52-byte form on
        // (OS/2's 64-byte header numbers its compressions otherwise).
        const bool fields = form.bits == 32 && form.headerSize >= 52 && form.headerSize != 64;
        putLe32(f, 30, fields ? 3 : 0);
        putLe32(f, 46, static_cast<std::uint32_t>(palette.size()));
        if (fields) {
            putLe32(f, 54, 0x00FF0000);
            putLe32(f, 58, 0x0000FF00);
            putLe32(f, 62, 0x000000FF);
            if (form.headerSize >= 56) putLe32(f, 66, 0xFF000000);
        }
        if (form.headerSize >= 108) putLe32(f, 70, 0x73524742);  // 'sRGB'
    }
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::size_t at = 14 + form.headerSize + i * (core ? 3 : 4);
        f[at] = static_cast<char>(palette[i].b);
        f[at + 1] = static_cast<char>(palette[i].g);
        f[at + 2] = static_cast<char>(palette[i].r);
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint32_t fileRow = form.topDown ? y : height - 1 - y;
        char* row = f.data() + offset + fileRow * rowBytes;
        for (std::uint32_t x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            if (form.bits == 8) {
                for (std::size_t i = 0; i < palette.size(); ++i) {
                    if (palette[i] == c) row[x] = static_cast<char>(i);
                }
                continue;
            }
            char* p = row + x * (form.bits / 8);
            p[0] = static_cast<char>(c.b);
            p[1] = static_cast<char>(c.g);
            p[2] = static_cast<char>(c.r);
            if (form.bits == 32) p[3] = static_cast<char>(0xFF);
        }
    }
    return f;
}

}  // namespace sc::testing
