// SPDX-License-Identifier: GPL-3.0-or-later
#include "filters/colour_filters.h"

#include <algorithm>
#include <cstdint>
#include <mutex>

#include "engine/canvas.h"
#include "engine/numeric.h"
#include "engine/worker_pool.h"
#include "filters/extended_precision.h"
#include "filters/filter_frame.h"
#include "filters/luminance.h"
#include "filters/split_pixel.h"
#include "filters/surface_row.h"

namespace sc {

namespace {

constexpr unsigned kColour = kColourFields;

std::uint8_t largestChannel(const PaintCell& c) { return std::max(c.red, std::max(c.green, c.blue)); }

// Solarize's target for every (largest, channel) pair: trunc(channel / largest
// * 255.0) with the quotient and product in extended precision, worked out the
// first time Solarize runs.
struct SolarizeTable {
    std::uint8_t target[256][256];  // [largest][channel], channel <= largest
};

const SolarizeTable& solarizeTable() {
    static const SolarizeTable table = [] {
        SolarizeTable t{};
        for (int m = 1; m < 256; ++m)
            for (int c = 0; c <= m; ++c) {
                const long double q = static_cast<long double>(c) / static_cast<long double>(m);
                t.target[m][c] = static_cast<std::uint8_t>(truncToInt(q * 255.0L));
            }
        return t;
    }();
    return table;
}

struct EnhanceRange {
    std::int32_t colourMin = 255;
    std::int32_t colourMax = 0;
    std::int32_t grainMin = 255;
    std::int32_t grainMax = 0;
};

EnhanceRange measureEnhanceRange(const Canvas& canvas) {
    EnhanceRange r;
    if (!canvas.hasCells()) return r;
    // The extremes do not depend on the order the cells are seen in: bands of
    // rows are measured on the pool's threads, each into its own range.
    std::mutex merge;
    const PaintCell* cells = canvas.cells();
    const std::uint32_t width = canvas.width;
    const auto measure = [&](std::uint32_t first, std::uint32_t end) {
        std::uint8_t colourMin = 255, colourMax = 0, grainMin = 255, grainMax = 0;
        const PaintCell* c = cells + static_cast<std::size_t>(first) * width;
        for (const PaintCell* last = cells + static_cast<std::size_t>(end) * width; c < last; ++c) {
            colourMin = std::min(colourMin, std::min(c->red, std::min(c->green, c->blue)));
            colourMax = std::max(colourMax, std::max(c->red, std::max(c->green, c->blue)));
            grainMin = std::min(grainMin, c->grain);
            grainMax = std::max(grainMax, c->grain);
        }
        const std::lock_guard<std::mutex> lock(merge);
        r.colourMin = std::min<std::int32_t>(r.colourMin, colourMin);
        r.colourMax = std::max<std::int32_t>(r.colourMax, colourMax);
        r.grainMin = std::min<std::int32_t>(r.grainMin, grainMin);
        r.grainMax = std::max<std::int32_t>(r.grainMax, grainMax);
    };
    forEachRowBand(canvas.height, width, kSharedFilterMinimum, kFilterBandRows, measure);
    return r;
}

// trunc((value - minimum) * scale) limited to 0..255, where scale is
// 255 / maximum rounded to single precision. A maximum of 0 would make the
// scale infinite (and 0 * infinity undefined); every value is then 0.
std::uint8_t stretch(std::int32_t value, std::int32_t minimum, std::int32_t maximum) {
    if (maximum == 0) return 0;
    const float scale = static_cast<float>(255.0 / maximum);
    const std::int32_t v = truncToInt(static_cast<double>(value - minimum) * static_cast<double>(scale));
    return static_cast<std::uint8_t>(clampInt(v, 0, 255));
}

}  // namespace

void invertColours(Canvas& canvas) {
    runFilterFrame<kColour>(canvas, fullBlend(), [](PaintCell& t, std::uint32_t, std::uint32_t) {
        t.red = static_cast<std::uint8_t>(255 - t.red);
        t.green = static_cast<std::uint8_t>(255 - t.green);
        t.blue = static_cast<std::uint8_t>(255 - t.blue);
    });
}

void desaturate(Canvas& canvas) {
    runFilterFrame<kColour>(canvas, fullBlend(), [](PaintCell& t, std::uint32_t, std::uint32_t) {
        const auto g = static_cast<std::uint8_t>(luminanceGrey(t.red, t.green, t.blue));
        t.red = t.green = t.blue = g;
    });
}

void solarize(Canvas& canvas) {
    const SolarizeTable& table = solarizeTable();
    runFilterFrame<kColour>(canvas, halfBlend(), [&table](PaintCell& t, std::uint32_t, std::uint32_t) {
        // Row 0 of the table is all zeros: black stays black.
        const auto& row = table.target[largestChannel(t)];
        t.red = row[t.red];
        t.green = row[t.green];
        t.blue = row[t.blue];
    });
}

void night(Canvas& canvas) {
    runFilterFrame<kColour>(canvas, fullBlend(), [](PaintCell& t, std::uint32_t, std::uint32_t) {
        const std::uint8_t m = largestChannel(t);
        if (m == 0 || t.grain == 0) {
            t.red = t.green = t.blue = 0;
            return;
        }
        // Extended precision matters: 5 / 7 * 21 gives 15 in double, 14 here.
        t.red = scaledQuotientExtended(t.red, m, t.grain);
        t.green = scaledQuotientExtended(t.green, m, t.grain);
        t.blue = scaledQuotientExtended(t.blue, m, t.grain);
    });
}

void aqua(Canvas& canvas) {
    runFilterFrame<kColour>(canvas, fullBlend(), [](PaintCell& t, std::uint32_t, std::uint32_t) {
        // a = g x k; red = trunc(grain x k x a x red), green from the new red,
        // blue = trunc(blue x k x a x blue) raised to 30; each below 256.
        const auto g = static_cast<std::uint32_t>(luminanceGrey(t.red, t.green, t.blue));
        t.red = static_cast<std::uint8_t>(aquaProductExtended(t.grain, g, t.red));
        t.green = static_cast<std::uint8_t>(aquaProductExtended(t.red, g, t.green));
        t.blue = static_cast<std::uint8_t>(std::max(aquaProductExtended(t.blue, g, t.blue), 30));
    });
}

void enhance(Canvas& canvas) {
    const EnhanceRange r = measureEnhanceRange(canvas);
    // Targets depend only on the value, so they are worked out once per value.
    std::uint8_t colourTarget[256];
    std::uint8_t grainTarget[256];
    for (std::int32_t v = 0; v < 256; ++v) {
        colourTarget[v] = stretch(v, r.colourMin, r.colourMax);
        const std::int32_t n = stretch(v, r.grainMin, r.grainMax);
        grainTarget[v] = truncToByte(v + (n - v) * static_cast<double>(0.25f));
    }
    runFilterFrame<kColour | kGrainField>(canvas, fullBlend(), [&](PaintCell& t, std::uint32_t, std::uint32_t) {
        t.red = colourTarget[t.red];
        t.green = colourTarget[t.green];
        t.blue = colourTarget[t.blue];
        t.grain = grainTarget[t.grain];
    });
}

void sicken(Canvas& canvas) {
    const Surface& surface = canvas.surface;
    runFilterFrameByRow<kColour | kGrainField | kHeightField>(canvas, fullBlend(), [&surface](std::uint32_t y) {
        return [picture = surfaceRow(surface, y)](PaintCell& t, std::uint32_t x) {
            const std::uint32_t p = picture.colour(x);
            const SplitPixel s = splitPixel(redOf(p), greenOf(p), blueOf(p));
            t.red = s.red;
            t.green = s.green;
            t.blue = s.blue;
            t.grain = 0;
            t.height = 0.0f;
        };
    });
}

void defenestrate(Canvas& canvas) {
    runFilterFrame<kColour | kGrainField | kHeightField>(canvas, fullBlend(),
                                                         [](PaintCell& t, std::uint32_t, std::uint32_t) {
                                                             const PaintCell c = t;
                                                             // A NaN or out-of-range height converts to 0x80000000,
                                                             // whose low byte is 0.
                                                             t.red = truncToByte(static_cast<double>(c.height));
                                                             t.green = c.grain;
                                                             t.blue = c.red;
                                                             t.grain = c.green;
                                                             t.height = static_cast<float>(c.blue);
                                                         });
}

}  // namespace sc
