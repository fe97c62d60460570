// SPDX-License-Identifier: GPL-3.0-or-later
// The stretch of a surface rectangle onto a window rectangle, computed on the
// program's own pixels so every desktop shows the same picture: enlarging
// repeats pixels, shrinking ANDs the colours of all source pixels that land
// on one window pixel. Only the asked-for part of the window is made, so a
// caller can draw a window of any size in small pieces.
#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "engine/surface.h"
#include "platform/platform_shared.h"

namespace sc::platform::detail {
namespace {

constexpr std::uint32_t kOpaque = 0xff000000u;
constexpr std::uint32_t kWhiteRgb = 0x00ffffffu;

// The source indexes [first, last) that window index i of a d-long run shows
// of an s-long source run: one index when enlarging (or equal), every index
// that maps onto i when shrinking.
void sourceSpan(std::int64_t i, std::int64_t s, std::int64_t d, std::int64_t& first, std::int64_t& last) {
    if (d >= s) {
        first = i * s / d;
        last = first + 1;
    } else {
        first = (i * s + d - 1) / d;
        last = ((i + 1) * s + d - 1) / d;
    }
}

// The source span of window index v (in [begin, begin + d)) within [0, size);
// false when it holds no source pixel.
bool clippedSpan(int v, int begin, int d, int sourceBegin, int s, int size, int& first, int& last) {
    std::int64_t f = 0, l = 0;
    sourceSpan(v - begin, s, d, f, l);
    f = std::max<std::int64_t>(f + sourceBegin, 0);
    l = std::min<std::int64_t>(l + sourceBegin, size);
    if (f >= l) return false;
    first = static_cast<int>(f);
    last = static_cast<int>(l);
    return true;
}

// 0x00RRGGBB of the pixel at p (blue, green, red in memory). `wide`: the
// byte after the pixel may be read too (one load instead of three).
std::uint32_t rgbAt(const std::uint8_t* p, bool wide) {
    if (!wide) return (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
    std::uint32_t v = 0;
    std::memcpy(&v, p, sizeof v);
    return v & kWhiteRgb;  // little-endian: blue in the low byte
}

// out[i] = a[i] & b[i] over n bytes.
void andBytes(std::uint8_t* __restrict out, const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) out[i] = a[i] & b[i];
}

// out[i] &= a[i] over n bytes.
void andBytesInto(std::uint8_t* __restrict out, const std::uint8_t* __restrict a, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) out[i] &= a[i];
}

// Working memory, kept between calls: its size follows the part's width and
// the surface's, never the window's.
struct Scratch {
    std::vector<int> first;  // per column of the part: its source columns, or first == last
    std::vector<int> last;
    std::vector<std::size_t> runA;  // per column: where its colour is read (see below)
    std::vector<std::size_t> runB;
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint32_t> colours;
};

Scratch& scratch() {
    static Scratch s;
    return s;
}

// The source columns the part's columns show.
struct Columns {
    int low = 0;  // the source columns [low, low + span) are read
    int span = 0;
    int longest = 0;  // the longest run of source columns on one window column
    bool all = true;  // every column shows some source
};

Columns planColumns(const Rect& from, const Rect& to, const Rect& part, int srcW, Scratch& s) {
    const int width = part.width();
    s.first.assign(static_cast<std::size_t>(width), 0);
    s.last.assign(static_cast<std::size_t>(width), 0);
    Columns c;
    int low = srcW, high = 0;
    for (int k = 0; k < width; ++k) {
        const int x = part.left + k;
        int f = 0, l = 0;
        if (x < to.left || x >= to.right || !clippedSpan(x, to.left, to.width(), from.left, from.width(), srcW, f, l)) {
            c.all = false;
            continue;
        }
        s.first[k] = f;
        s.last[k] = l;
        low = std::min(low, f);
        high = std::max(high, l);
        c.longest = std::max(c.longest, l - f);
    }
    c.low = c.longest > 0 ? low : 0;
    c.span = c.longest > 0 ? high - low : 0;
    return c;
}

// The bytes of source columns [low, low + span) of rows [rowFirst, rowLast),
// ANDed bytewise (the same as ANDing their colours) into `out`.
void andRows(const Surface& surface, int low, std::size_t n, int rowFirst, int rowLast, std::uint8_t* out) {
    const auto rowAt = [&](int r) {
        return surface.pixelAddress(static_cast<std::uint32_t>(low), static_cast<std::uint32_t>(r));
    };
    // Rows lower in the picture lie first in memory: reading them upwards
    // keeps the reads ascending, which the processor fetches ahead far better.
    if (rowLast - rowFirst == 1) {
        std::memcpy(out, rowAt(rowFirst), n);
        return;
    }
    andBytes(out, rowAt(rowLast - 1), rowAt(rowLast - 2), n);
    for (int r = rowLast - 3; r >= rowFirst; --r) andBytesInto(out, rowAt(r), n);
}

// Each window column showing one source column: a row is a lookup into the
// colours of the row's source pixels (the last colour is white, for columns
// that show none).
class LookupRows {
public:
    LookupRows(const Surface& surface, const Columns& columns, Scratch& s) : surface_(surface), c_(columns), s_(s) {
        s.colours.resize(static_cast<std::size_t>(c_.span) + 1);
        s.colours[static_cast<std::size_t>(c_.span)] = kWhiteRgb;
        s.runA.resize(s.first.size());
        for (std::size_t k = 0; k < s.first.size(); ++k)
            s.runA[k] = s.first[k] < s.last[k] ? static_cast<std::size_t>(s.first[k] - c_.low) : c_.span;
    }

    void make(int rowFirst, int rowLast, std::uint32_t* row) {
        const int bpp = surface_.bytesPerPixel();
        const std::size_t n = static_cast<std::size_t>(c_.span) * bpp;
        const std::uint8_t* bytes =
            surface_.pixelAddress(static_cast<std::uint32_t>(c_.low), static_cast<std::uint32_t>(rowFirst));
        const std::uint8_t* end = surface_.bits() + static_cast<std::size_t>(surface_.height()) * surface_.stride();
        // A 3-byte pixel is read with one 4-byte load where a byte follows it.
        bool lastWide = bpp == 4 || bytes + n < end;
        if (rowLast - rowFirst > 1) {
            s_.bytes.resize(n + 1);
            andRows(surface_, c_.low, n, rowFirst, rowLast, s_.bytes.data());
            bytes = s_.bytes.data();
            lastWide = true;
        }
        std::uint32_t* colours = s_.colours.data();
        const int wide = lastWide ? c_.span : c_.span - 1;
        for (int c = 0; c < wide; ++c) colours[c] = rgbAt(bytes + static_cast<std::size_t>(c) * bpp, true);
        for (int c = std::max(wide, 0); c < c_.span; ++c)
            colours[c] = rgbAt(bytes + static_cast<std::size_t>(c) * bpp, false);
        const std::size_t* index = s_.runA.data();
        for (std::size_t k = 0; k < s_.runA.size(); ++k) row[k] = kOpaque | colours[index[k]];
    }

private:
    const Surface& surface_;
    Columns c_;
    Scratch& s_;
};

// Window columns showing runs of source columns. The row's source bytes are
// kept in levels: at level j, pixel c holds the AND of pixels [c, c + 2^j).
// A run's AND is then the AND of two overlapping runs of a power-of-two
// length, two reads whatever its length. After the levels lie four bytes of
// white, read by columns that show no source pixel.
class RunRows {
public:
    RunRows(const Surface& surface, const Columns& columns, bool white, Scratch& s)
        : surface_(surface), c_(columns), white_(white), s_(s) {
        const int bpp = surface.bytesPerPixel();
        n_ = static_cast<std::size_t>(c_.span) * bpp;
        rowBytes_ = n_ + sizeof(std::uint32_t);
        levels_ = std::bit_width(static_cast<unsigned>(std::max(c_.longest, 1)));
        const std::size_t sentinel = rowBytes_ * static_cast<std::size_t>(levels_);
        s.bytes.resize(sentinel + sizeof(std::uint32_t));
        std::fill_n(s.bytes.begin() + static_cast<std::ptrdiff_t>(sentinel), sizeof(std::uint32_t), 0xff);
        s.runA.resize(s.first.size());
        s.runB.resize(s.first.size());
        for (std::size_t k = 0; k < s.first.size(); ++k) {
            const int f = s.first[k] - c_.low;
            const int l = s.last[k] - c_.low;
            if (l <= f) {
                s.runA[k] = s.runB[k] = sentinel;
                continue;
            }
            const int j = std::bit_width(static_cast<unsigned>(l - f)) - 1;
            s.runA[k] = rowBytes_ * j + static_cast<std::size_t>(f) * bpp;
            s.runB[k] = rowBytes_ * j + static_cast<std::size_t>(l - (1 << j)) * bpp;
        }
    }

    void make(int rowFirst, int rowLast, std::uint32_t* row) {
        std::uint8_t* base = s_.bytes.data();
        const std::size_t bpp = surface_.bytesPerPixel();
        andRows(surface_, c_.low, n_, rowFirst, rowLast, base);
        for (int j = 1; j < levels_; ++j) {
            const std::size_t shift = (std::size_t{1} << (j - 1)) * bpp;
            if (shift >= n_) break;
            const std::uint8_t* below = base + (j - 1) * rowBytes_;
            andBytes(base + j * rowBytes_, below, below + shift, n_ - shift);
        }
        const std::size_t* a = s_.runA.data();
        const std::size_t* b = s_.runB.data();
        const std::size_t width = s_.runA.size();
        for (std::size_t k = 0; k < width; ++k) {
            if (!white_ && s_.first[k] == s_.last[k]) continue;
            row[k] = kOpaque | (rgbAt(base + a[k], true) & rgbAt(base + b[k], true));
        }
    }

private:
    const Surface& surface_;
    Columns c_;
    bool white_;
    Scratch& s_;
    std::size_t n_ = 0;
    std::size_t rowBytes_ = 0;
    int levels_ = 1;
};

template <typename Rows>
void makeRows(Rows& rows, const Surface& surface, const Rect& from, const Rect& to, const Rect& part, bool sameRowsCopy,
              bool white, std::uint32_t* out, std::size_t stride) {
    const std::size_t width = static_cast<std::size_t>(part.width());
    const int srcH = static_cast<int>(surface.height());
    const std::uint32_t* previous = nullptr;  // the last row made, and its source rows
    int previousFirst = 0, previousLast = 0;
    for (int y = part.top; y < part.bottom; ++y) {
        std::uint32_t* row = out + static_cast<std::size_t>(y - part.top) * stride;
        int rowFirst = 0, rowLast = 0;
        if (y < to.top || y >= to.bottom ||
            !clippedSpan(y, to.top, to.height(), from.top, from.height(), srcH, rowFirst, rowLast)) {
            if (white) std::fill_n(row, width, kOpaque | kWhiteRgb);
            previous = nullptr;
            continue;
        }
        if (sameRowsCopy && previous && rowFirst == previousFirst && rowLast == previousLast) {
            std::memcpy(row, previous, width * sizeof(std::uint32_t));
        } else {
            rows.make(rowFirst, rowLast, row);
        }
        previous = row;
        previousFirst = rowFirst;
        previousLast = rowLast;
    }
}

}  // namespace

void stretchPixels(const Surface& surface, const Rect& from, const Rect& to, const Rect& part, std::uint32_t* out,
                   std::size_t stride, Uncovered uncovered) {
    if (part.empty()) return;
    const bool white = uncovered == Uncovered::White;
    Scratch& s = scratch();
    Columns columns;
    columns.all = false;
    if (surface.valid() && !from.empty() && !to.empty()) {
        columns = planColumns(from, to, part, static_cast<int>(surface.width()), s);
    }
    if (columns.span == 0) {
        if (white)
            for (int y = part.top; y < part.bottom; ++y)
                std::fill_n(out + static_cast<std::size_t>(y - part.top) * stride, part.width(), kOpaque | kWhiteRgb);
        return;
    }
    // Rows that show the same source rows are the same, unless some of
    // their pixels are to be left as they were.
    const bool sameRowsCopy = columns.all || white;
    if (columns.longest == 1 && sameRowsCopy) {
        LookupRows rows(surface, columns, s);
        makeRows(rows, surface, from, to, part, sameRowsCopy, white, out, stride);
    } else {
        RunRows rows(surface, columns, white, s);
        makeRows(rows, surface, from, to, part, sameRowsCopy, white, out, stride);
    }
}

}  // namespace sc::platform::detail
