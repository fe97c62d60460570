// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The renderer's arithmetic on kLanes cells a step, written once against the
// lane helpers of render_lanes_avx2.h or render_lanes_avx512.h (whichever the
// including file put before it, inside its target region). The steps are those
// of renderCellPixel, in the same order and precision.
//
// A band runs its rows in order. Rows far enough from the top and bottom
// edges read their grains from the grain ring (render_vector.h), which holds
// the rows a lookup can reach: the normal's components are at most 1 (one
// rounding above it at worst), so a lookup lies within kGrainReach rows and
// columns of its cell. A ring row holds the band's columns and kGrainReach
// more on each side, those beyond the grid's sides already wrapped as the
// lookup wraps them. Rows near the top and bottom, whose lookups wrap to far
// rows, gather from the cells. Any lane whose lookup leaves what the ring or
// the wrap handles is rendered by renderCellPixel.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "engine/numeric.h"
#include "engine/render_cell.h"
#include "engine/render_vector.h"

namespace sc {
namespace {

inline constexpr std::uint32_t kGrainReach = 21;
inline constexpr std::uint32_t kRingRows = 64;  // a power of two above 2 * kGrainReach + 1
inline constexpr std::uint32_t kWindowRows = 2 * kGrainReach + 1;
// The row fetched ahead: a few rows beyond the last row the ring holds.
inline constexpr std::uint32_t kPrefetchRows = kGrainReach + 3;
// The pixel row fetched for writing ahead.
inline constexpr std::uint32_t kPixelRowsAhead = 2;

enum class Lookup {
    kCells,  // gathered from the cells, wrapped around the grid
    kRing,   // read from the grain ring
};

// What a row's blocks share.
struct RowSetup {
    const PaintCell* cells;
    const PaintCell* row;
    // The rows above and below; the row itself where there is none, its
    // difference then dropped.
    const PaintCell* above;
    const PaintCell* below;
    bool hasAbove, hasBelow;
    std::uint32_t width;
    // Wrapping: negative truncations t take (2^32 mod n) + n added, which
    // lands t in [0, 2n) for t in [-n, 2n); t + n below 3n checks that range.
    I widthV, columnShift, columnRange;
    I heightV, rowShift, rowRange;
    I rowStride3;
    // The ring: row r at (r mod kRingRows) << ringShift, its byte c holding
    // the grain of column firstColumn + c (wrapped); the kWindowRows rows from
    // firstRow on are held. In high quality its pair rows, at the same
    // indices in 16-bit words, hold the grains of (r, c) and (r + 1, c) (for
    // the rows but the last), so that one 32-bit read at (r, c) holds all
    // four grains of a lookup there.
    const std::uint8_t* ring;
    const std::uint16_t* pairs;
    unsigned ringShift;
    I firstRow, windowRows, pairRows, firstColumn, windowColumns;
    D lightX, lightY, lightZ, rowY;
    const PaintCell* prefetchRow;
};

// What the lookup of a block hands to the shading: the grains read (four per
// lane in high quality), the weights, the light term and the cells' words.
struct Looked {
    I g00, g01, g10, g11;
    F fx, fz, d;
    I colour, shine;
    unsigned easy;  // the lanes whose lookup the vector path made
};

SC_INLINE I times3(I v) { return iadd(v, shiftLeft<1>(v)); }
SC_INLINE I wrap(I t, I n, I shift) {
    const I u = addWhereNegative(t, shift);
    return minUnsigned(u, isub(u, n));
}
SC_INLINE Mask inWrapRange(I t, I n, I range) { return lanesBelow(iadd(t, n), range); }
SC_INLINE I ringRow(const RowSetup& s, I row) { return shiftLeft(iand(row, splatI(kRingRows - 1)), s.ringShift); }

// Steps 1 to 3 for cells x .. x + kLanes - 1, up to and including the grain
// reads. `edge`: the block lacks a neighbour (first or last row or column).
template <bool HighQuality, bool Lighting, Lookup Mode>
SC_INLINE Looked lookUp(const RowSetup& s, std::uint32_t x, bool edge) {
    Looked r{};
    const PaintCell* p = s.row + x;
    const CellLanes centre = loadCells(p);
    const F hc = centre.height;
    r.colour = centre.colour;
    if constexpr (Lighting) r.shine = byteOf<0>(centre.shine);

    // 1. The normal, rounded to float after each step. The first step,
    //    float(0.0 + (h - h')), is one float subtraction: the double difference
    //    of two floats rounded to float equals the float difference (53 >= 2 *
    //    24 + 2 bits), and adding +0 turns -0 into +0. A missing neighbour
    //    leaves its step out: the first step is then +0 (the initial 0.0), the
    //    second subtracts +0 (no change).
    const bool first = x == 0;
    const bool last = x + kLanes == s.width;
    const F zero = splatF(0.0f);
    const F left = withPrevious(hc, &p[first ? 0 : -1].height);
    const F right = withNext(hc, &p[last ? kLanes - 1 : kLanes].height);
    const D hcd = widen(hc);
    D nx1 = widen(add(sub(hc, left), zero));
    D dRight = sub(hcd, widen(right));
    D nz1 = widen(add(sub(hc, loadHeights(s.above + x)), zero));
    D dBelow = sub(hcd, widen(loadHeights(s.below + x)));
    if (edge) {
        if (first) nx1 = keepLanes(nx1, allButFirstLane());
        if (last) dRight = keepLanes(dRight, allButLastLane());
        if (!s.hasAbove) nz1 = keepLanes(nz1, noLanes());
        if (!s.hasBelow) dBelow = keepLanes(dBelow, noLanes());
    }
    const F nx = narrow(sub(nx1, dRight));
    const F nz = narrow(sub(nz1, dBelow));
    // normalise: the squared length is at least 1 (or NaN), never 0.
    const D nxd = widen(nx);
    const D nzd = widen(nz);
    const F length = sqrt(narrow(add(add(mul(nxd, nxd), splat(1.0)), mul(nzd, nzd))));
    const D normX = widen(div(nx, length));
    const D normZ = widen(div(nz, length));

    // 2. The light term, needed only where a cell shines.
    if constexpr (Lighting) {
        if (anyNonZero(r.shine)) {
            const D normY = widen(div(splatF(1.0f), length));
            r.d = notBelowZero(narrow(add(add(mul(normX, s.lightX), mul(normY, s.lightY)), mul(normZ, s.lightZ))));
        }
    }

    // 3. The grain at the displaced position.
    const D dispX = mul(splat(20.0), normX);
    const D dispZ = mul(splat(20.0), normZ);
    const D px = add(iota(static_cast<double>(x)), dispX);
    const D pz = add(s.rowY, dispZ);
    const I tx0 = truncate(px);
    const I tz0 = truncate(pz);
    if constexpr (HighQuality) {
        r.fx = narrow(fractionOfMagnitude(dispX));
        r.fz = narrow(fractionOfMagnitude(dispZ));
    }
    if constexpr (Mode == Lookup::kCells) {
        if constexpr (!HighQuality) {
            const Mask ok = both(inWrapRange(tx0, s.widthV, s.columnRange), inWrapRange(tz0, s.heightV, s.rowRange));
            r.easy = laneBits(ok);
            const I col = times3(wrap(tx0, s.widthV, s.columnShift));
            const I row = imul(wrap(tz0, s.heightV, s.rowShift), s.rowStride3);
            r.g00 = shiftRight<24>(gather<4>(s.cells, iadd(row, col), ok));
        } else {
            const I tx1 = truncate(add(px, splat(1.0)));
            const I tz1 = truncate(add(pz, splat(1.0)));
            const Mask ok =
                both(both(inWrapRange(tx0, s.widthV, s.columnRange), inWrapRange(tx1, s.widthV, s.columnRange)),
                     both(inWrapRange(tz0, s.heightV, s.rowRange), inWrapRange(tz1, s.heightV, s.rowRange)));
            r.easy = laneBits(ok);
            const I c0 = times3(wrap(tx0, s.widthV, s.columnShift));
            const I c1 = times3(wrap(tx1, s.widthV, s.columnShift));
            const I r0 = imul(wrap(tz0, s.heightV, s.rowShift), s.rowStride3);
            const I r1 = imul(wrap(tz1, s.heightV, s.rowShift), s.rowStride3);
            r.g00 = shiftRight<24>(gather<4>(s.cells, iadd(r0, c0), ok));
            r.g01 = shiftRight<24>(gather<4>(s.cells, iadd(r0, c1), ok));
            r.g10 = shiftRight<24>(gather<4>(s.cells, iadd(r1, c0), ok));
            r.g11 = shiftRight<24>(gather<4>(s.cells, iadd(r1, c1), ok));
        }
    } else {
        const I c0 = isub(tx0, s.firstColumn);
        if constexpr (!HighQuality) {
            const Mask ok = both(lanesBelow(isub(tz0, s.firstRow), s.windowRows), lanesBelow(c0, s.windowColumns));
            r.easy = laneBits(ok);
            r.g00 = byteOf<0>(gather<1>(s.ring, iadd(ringRow(s, tz0), c0), ok));
        } else {
            // One read holds all four grains: those of lanes whose second
            // row or column is not the next one (rounding can make it so)
            // are left to the one-cell path.
            const I tx1 = truncate(add(px, splat(1.0)));
            const I tz1 = truncate(add(pz, splat(1.0)));
            const I one = splatI(1);
            const Mask ok = both(both(lanesBelow(isub(tz0, s.firstRow), s.pairRows), lanesEqual(tz1, iadd(tz0, one))),
                                 both(lanesEqual(tx1, iadd(tx0, one)), lanesBelow(iadd(c0, one), s.windowColumns)));
            r.easy = laneBits(ok);
            const I four = gather<2>(s.pairs, iadd(ringRow(s, tz0), c0), ok);
            r.g00 = byteOf<0>(four);
            r.g10 = byteOf<1>(four);
            r.g01 = byteOf<2>(four);
            r.g11 = byteOf<3>(four);
        }
    }
    return r;
}

// trunc(base + f * (other - base)), the differences taken in double.
SC_INLINE I interpolate(D base, D other, D f) { return truncate(add(base, mul(f, sub(other, base)))); }
// v + k * (v * d - v), truncated.
SC_INLINE I shade(I v, D k, D d) {
    const D dv = widen(v);
    return truncate(add(dv, mul(k, sub(mul(dv, d), dv))));
}

// Steps 3 (the interpolation) to 6 for the cells of `r`, written to `out`.
template <bool HighQuality, bool Lighting, int BytesPerPixel>
SC_INLINE void shadeAndStore(const RenderContext& c, const Looked& r, std::uint32_t x, std::uint32_t y,
                             std::uint8_t* out) {
    I g;
    if constexpr (!HighQuality) {
        g = r.g00;
    } else {
        const D g00 = widen(r.g00);
        const D g01 = widen(r.g01);
        const D g10 = widen(r.g10);
        const D g11 = widen(r.g11);
        const D fx = widen(r.fx);
        const D fz = widen(r.fz);
        const I a = interpolate(g10, g11, fx);
        const I b = interpolate(g00, g01, fx);
        const I cc = interpolate(g00, g10, fz);
        const I e = interpolate(g01, g11, fz);
        // Each term is 0..255 on the easy lanes, so the sum is never negative.
        g = shiftRight<2>(iadd(iadd(a, b), iadd(cc, e)));
    }

    // 4. The cell's own colour plus the grain.
    I red = iadd(byteOf<0>(r.colour), g);
    I green = iadd(byteOf<1>(r.colour), g);
    I blue = iadd(byteOf<2>(r.colour), g);

    // 5. Shading. A lane with shine 0 has k = 0 and keeps v exactly
    //    (v + 0 * finite = v), as the unshaded cell does.
    if constexpr (Lighting) {
        if (anyNonZero(r.shine)) {
            const D d = widen(r.d);
            const D k = mul(widen(r.shine), splat(static_cast<double>(kInv255)));
            red = shade(red, k, d);
            green = shade(green, k, d);
            blue = shade(blue, k, d);
        }
    }

    // 6. Clamped to bytes and written.
    storePixels<BytesPerPixel>(out, blue, green, red);

    // Lanes outside the easy range take the cell-by-cell arithmetic.
    for (unsigned hard = ~r.easy & ((1u << kLanes) - 1); hard != 0; hard &= hard - 1) {
        const unsigned lane = static_cast<unsigned>(__builtin_ctz(hard));
        const RenderedPixel q = renderCellPixel(c, x + lane, y);
        std::uint8_t* o = out + lane * BytesPerPixel;
        o[0] = q.blue;
        o[1] = q.green;
        o[2] = q.red;
    }
}

// The lookup of the block at x, with the memory a later block needs fetched
// ahead: the row kPrefetchRows below (the grain lookups, or the grain ring,
// will read it, and the hardware cannot predict them) and, when not null, the
// block's pixels a few rows on, for writing.
template <bool HighQuality, bool Lighting, Lookup Mode, int BytesPerPixel>
SC_INLINE Looked lookAhead(const RowSetup& s, std::uint32_t x, std::uint32_t x0, bool edgeRow,
                           std::uint8_t* pixelsAhead) {
    const PaintCell* ahead = s.prefetchRow + x;
    for (std::uint32_t line = 0; line < kLanes * sizeof(PaintCell); line += 64)
        prefetch(reinterpret_cast<const char*>(ahead) + line);
    if (pixelsAhead != nullptr) prefetchForWriting(pixelsAhead + static_cast<std::size_t>(x - x0) * BytesPerPixel);
    return lookUp<HighQuality, Lighting, Mode>(s, x, edgeRow || x == 0 || x + kLanes == s.width);
}

// Renders cells [x0, x1) of row y into `pixels` (the pixel of x0);
// `pixelsAhead` (or null) is the same place a few rows on.
template <bool HighQuality, bool Lighting, Lookup Mode, int BytesPerPixel>
void renderRow(const RenderContext& c, const RowSetup& s, std::uint32_t y, std::uint32_t x0, std::uint32_t x1,
               std::uint8_t* pixels, std::uint8_t* pixelsAhead) {
    const bool edgeRow = !s.hasAbove || !s.hasBelow;
    // Blocks of kLanes; the last block is moved back to end at x1, rendering
    // a few cells twice with the same result rather than leaving a tail. The
    // next block's lookup is made before this block is shaded, so that the
    // processor has two blocks' independent work at hand.
    std::uint32_t x = x0;
    Looked current = lookAhead<HighQuality, Lighting, Mode, BytesPerPixel>(s, x, x0, edgeRow, pixelsAhead);
    for (;;) {
        const bool more = x + kLanes < x1;
        const std::uint32_t next = !more ? x : x + 2 * kLanes <= x1 ? x + kLanes : x1 - kLanes;
        Looked following{};
        if (more) following = lookAhead<HighQuality, Lighting, Mode, BytesPerPixel>(s, next, x0, edgeRow, pixelsAhead);
        shadeAndStore<HighQuality, Lighting, BytesPerPixel>(c, current, x, y,
                                                            pixels + static_cast<std::size_t>(x - x0) * BytesPerPixel);
        if (!more) break;
        current = following;
        x = next;
    }
}

// Where a ring row's columns come from: a column outside the grid as the
// lookup wraps it, the low 32 bits of the column, unsigned, modulo the width.
// The kGrainReach columns on each side of a band's columns are looked up once
// per band.
struct RingColumns {
    std::int64_t first;  // the ring row's first column
    std::uint32_t count;
    std::uint32_t insideFirst, insideEnd;  // the columns inside the grid, at least kLanes
    std::uint32_t before[kGrainReach], after[kGrainReach];
    std::uint32_t beforeCount, afterCount;
};

inline RingColumns ringColumns(std::uint32_t x0, std::uint32_t x1, std::uint32_t width) {
    RingColumns r{};
    r.first = static_cast<std::int64_t>(x0) - kGrainReach;
    r.count = x1 - x0 + 2 * kGrainReach;
    const std::int64_t end = r.first + r.count;
    r.insideFirst = static_cast<std::uint32_t>(std::max<std::int64_t>(r.first, 0));
    r.insideEnd = static_cast<std::uint32_t>(std::min<std::int64_t>(end, width));
    for (std::int64_t c = r.first; c < r.insideFirst; ++c)
        r.before[r.beforeCount++] = static_cast<std::uint32_t>(c) % width;
    for (std::int64_t c = r.insideEnd; c < end; ++c) r.after[r.afterCount++] = static_cast<std::uint32_t>(c) % width;
    return r;
}

// Copies the grains of a cell row into a ring row.
inline void fillRingRow(const PaintCell* row, const RingColumns& columns, std::uint8_t* out) {
    for (std::uint32_t i = 0; i < columns.beforeCount; ++i) out[i] = row[columns.before[i]].grain;
    std::uint8_t* afterOut = out + (columns.count - columns.afterCount);
    for (std::uint32_t i = 0; i < columns.afterCount; ++i) afterOut[i] = row[columns.after[i]].grain;
    const std::uint32_t inside = columns.insideEnd - columns.insideFirst;
    std::uint8_t* insideOut = out + columns.beforeCount;
    for (std::uint32_t i = 0;;) {
        storeGrains(row + columns.insideFirst + i, insideOut + i);
        if (i + kLanes >= inside) break;
        i = i + 2 * kLanes <= inside ? i + kLanes : inside - kLanes;
    }
}

// The pair row of byte rows a (row r) and b (row r + 1), at least kLanes
// columns.
inline void fillPairRow(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t columns, std::uint16_t* out) {
    for (std::uint32_t i = 0;;) {
        storeColumnPairs(a + i, b + i, out + i);
        if (i + kLanes >= columns) break;
        i = i + 2 * kLanes <= columns ? i + kLanes : columns - kLanes;
    }
}

template <bool HighQuality, bool Lighting, int BytesPerPixel>
void renderBandIn(const RenderContext& c, const RenderBand& band) {
    const std::uint32_t W = c.width;
    const std::uint32_t H = c.height;
    RowSetup s{};
    s.cells = c.cells;
    s.width = W;
    s.widthV = splatI(static_cast<std::int32_t>(W));
    s.columnShift = splatI(static_cast<std::int32_t>((std::uint64_t{1} << 32) % W + W));
    s.columnRange = splatI(static_cast<std::int32_t>(3 * W));
    s.heightV = splatI(static_cast<std::int32_t>(H));
    s.rowShift = splatI(static_cast<std::int32_t>((std::uint64_t{1} << 32) % H + H));
    s.rowRange = splatI(static_cast<std::int32_t>(3 * H));
    s.rowStride3 = splatI(static_cast<std::int32_t>(3 * W));
    s.lightX = splat(c.lightX);
    s.lightY = splat(c.lightY);
    s.lightZ = splat(c.lightZ);

    // The ring rows: the band's columns and kGrainReach more on each side.
    const RingColumns ringColumnsOfBand = ringColumns(band.x0, band.x1, W);
    const std::uint32_t columns = ringColumnsOfBand.count;
    const std::uint32_t interiorFirst = std::max(band.y0, kGrainReach);
    const std::uint32_t interiorLast = H > kGrainReach ? std::min(band.y1, H - kGrainReach) : 0;  // exclusive
    unsigned shift = 0;
    while ((1u << shift) < columns + 4) ++shift;  // a pair read at the last column stays inside
    const std::size_t ringBytes = static_cast<std::size_t>(kRingRows) << shift;
    std::uint8_t* memory = nullptr;
    if (interiorFirst < interiorLast) memory = grainRingMemory(HighQuality ? 3 * ringBytes : ringBytes);
    auto* pairs = reinterpret_cast<std::uint16_t*>(memory);
    std::uint8_t* ring = HighQuality && memory != nullptr ? memory + 2 * ringBytes : memory;
    s.ring = ring;
    s.pairs = pairs;
    s.ringShift = shift;
    s.windowRows = splatI(static_cast<std::int32_t>(kWindowRows));
    s.pairRows = splatI(static_cast<std::int32_t>(kWindowRows - 1));
    s.firstColumn = splatI(static_cast<std::int32_t>(ringColumnsOfBand.first));
    s.windowColumns = splatI(static_cast<std::int32_t>(columns));
    std::uint32_t filledTo = 0;  // ring rows [filledTo - kRingRows, filledTo) are held

    std::uint8_t* pixels = band.pixels;
    for (std::uint32_t y = band.y0; y < band.y1; ++y, pixels += band.rowStep) {
        s.row = c.cells + static_cast<std::size_t>(y) * W;
        s.hasAbove = y > 0;
        s.hasBelow = y + 1 < H;
        s.above = s.hasAbove ? s.row - W : s.row;
        s.below = s.hasBelow ? s.row + W : s.row;
        s.rowY = splat(static_cast<double>(y));
        s.prefetchRow = c.cells + static_cast<std::size_t>(std::min(y + kPrefetchRows, H - 1)) * W;
        std::uint8_t* ahead = y + kPixelRowsAhead < band.y1 ? pixels + kPixelRowsAhead * band.rowStep : nullptr;
        if (ring != nullptr && y >= interiorFirst && y < interiorLast) {
            // Rows y - kGrainReach .. y + kGrainReach must be held.
            const std::uint32_t need = y + kGrainReach + 1;
            const auto slot = [&](std::uint32_t r) { return static_cast<std::size_t>(r & (kRingRows - 1)) << shift; };
            const std::uint32_t from = std::max(filledTo, need - kWindowRows);
            const bool continuing = from == filledTo && filledTo > 0;
            for (std::uint32_t r = from; r < need; ++r) {
                fillRingRow(c.cells + static_cast<std::size_t>(r) * W, ringColumnsOfBand, ring + slot(r));
                if (HighQuality && (r > from || continuing))
                    fillPairRow(ring + slot(r - 1), ring + slot(r), columns, pairs + slot(r - 1));
            }
            filledTo = need;
            s.firstRow = splatI(static_cast<std::int32_t>(y - kGrainReach));
            renderRow<HighQuality, Lighting, Lookup::kRing, BytesPerPixel>(c, s, y, band.x0, band.x1, pixels, ahead);
        } else {
            renderRow<HighQuality, Lighting, Lookup::kCells, BytesPerPixel>(c, s, y, band.x0, band.x1, pixels, ahead);
        }
    }
}

// The band in the mode of the canvas and the surface.
inline void renderBandWithLanes(const RenderContext& c, const RenderBand& band) {
    const int mode = (c.highQuality ? 1 : 0) | (c.lighting ? 2 : 0) | (band.bytesPerPixel == 4 ? 4 : 0);
    switch (mode) {
        case 0: renderBandIn<false, false, 3>(c, band); break;
        case 1: renderBandIn<true, false, 3>(c, band); break;
        case 2: renderBandIn<false, true, 3>(c, band); break;
        case 3: renderBandIn<true, true, 3>(c, band); break;
        case 4: renderBandIn<false, false, 4>(c, band); break;
        case 5: renderBandIn<true, false, 4>(c, band); break;
        case 6: renderBandIn<false, true, 4>(c, band); break;
        default: renderBandIn<true, true, 4>(c, band); break;
    }
}

}  // namespace
}  // namespace sc
