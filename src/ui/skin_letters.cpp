// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin_letters.h"

#include <algorithm>
#include <vector>

#include "app/assets.h"

namespace sc {
namespace {

// The characters of `text` as cells of the picture: printable ASCII as
// itself, every other character (a whole UTF-8 sequence) as '?'.
std::vector<int> cellsOf(const std::string& text) {
    std::vector<int> cells;
    cells.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= kLetterFirst && c < kLetterFirst + kLetterCount) {
            cells.push_back(c - kLetterFirst);
            continue;
        }
        cells.push_back('?' - kLetterFirst);
        // Skip the continuation bytes of a multi-byte character.
        if (c >= 0xc0) {
            while (i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xc0) == 0x80) ++i;
        }
    }
    return cells;
}

int widthOf(const SkinLetters& letters, const std::vector<int>& cells, std::size_t count) {
    int width = 0;
    for (std::size_t i = 0; i < count; ++i) width += letters.advance[static_cast<std::size_t>(cells[i])];
    return width;
}

std::uint8_t mix(std::uint8_t from, std::uint8_t to, int amount) {
    return static_cast<std::uint8_t>(from + (to - from) * amount / 255);
}

// Returns the advance.
int drawCell(const SkinLetters& letters, Surface& target, int x, int y, int cell, std::uint8_t red, std::uint8_t green,
             std::uint8_t blue) {
    const int advance = letters.advance[static_cast<std::size_t>(cell)];
    const int left = cell * kLetterCellWidth;
    for (int gy = 0; gy < kLetterHeight; ++gy) {
        for (int gx = 0; gx < kLetterCellWidth; ++gx) {
            const int ink = 255 - redOf(letters.picture.getPixel(left + gx, gy + 1));
            const int tx = x + gx;
            const int ty = y + gy;
            if (ink <= 0 || tx < 0 || ty < 0 || tx >= static_cast<int>(target.width()) ||
                ty >= static_cast<int>(target.height())) {
                continue;
            }
            const std::uint32_t under = target.getPixel(tx, ty);
            target.setPixel(tx, ty, mix(redOf(under), red, ink), mix(greenOf(under), green, ink),
                            mix(blueOf(under), blue, ink));
        }
    }
    return advance;
}

}  // namespace

void measureSkinLetters(SkinLetters& letters) {
    letters.advance.fill(0);
    const Surface& p = letters.picture;
    if (!p.valid() || p.width() < static_cast<std::uint32_t>(kLetterCount * kLetterCellWidth) ||
        p.height() < static_cast<std::uint32_t>(kLetterHeight + 1)) {
        return;
    }
    for (int cell = 0; cell < kLetterCount; ++cell) {
        int advance = 0;
        while (advance < kLetterCellWidth && redOf(p.getPixel(cell * kLetterCellWidth + advance, 0)) < 128) ++advance;
        letters.advance[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(advance);
    }
}

void loadSkinLetters(ShellState& s, SkinLetters& letters) {
    loadColourAsset(s, letters.picture, "letters");
    measureSkinLetters(letters);
}

int skinTextWidth(const SkinLetters& letters, const std::string& text) {
    const std::vector<int> cells = cellsOf(text);
    return widthOf(letters, cells, cells.size());
}

int drawSkinText(const SkinLetters& letters, Surface& target, int x, int y, int maxWidth, const std::string& text,
                 std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    if (!target.valid() || !letters.picture.valid() || maxWidth <= 0) return 0;
    const std::vector<int> cells = cellsOf(text);
    std::size_t shown = cells.size();
    bool cut = false;
    if (widthOf(letters, cells, shown) > maxWidth) {
        // As many characters as leave room for the dots.
        const int dots = 3 * letters.advance['.' - kLetterFirst];
        cut = true;
        while (shown > 0 && widthOf(letters, cells, shown) + dots > maxWidth) --shown;
    }
    int pen = x;
    for (std::size_t i = 0; i < shown; ++i) pen += drawCell(letters, target, pen, y, cells[i], red, green, blue);
    if (cut) {
        for (int i = 0; i < 3 && pen + letters.advance['.' - kLetterFirst] <= x + maxWidth; ++i) {
            pen += drawCell(letters, target, pen, y, '.' - kLetterFirst, red, green, blue);
        }
    }
    return pen - x;
}

}  // namespace sc
