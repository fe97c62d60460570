// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_fit.h"

#include <algorithm>
#include <cmath>

#include "engine/surface.h"

namespace sc {
namespace {

// The source pixels one output pixel covers along one axis, with the share
// of each: output i covers [i * n / m, (i + 1) * n / m) of the n sources.
struct Span {
    std::uint32_t first = 0;
    std::vector<float> weights;  // sum to 1
};

std::vector<Span> spans(std::uint32_t sources, std::uint32_t outputs) {
    std::vector<Span> out(outputs);
    const double step = static_cast<double>(sources) / outputs;
    for (std::uint32_t i = 0; i < outputs; ++i) {
        const double begin = i * step, end = (i + 1) * step;
        Span& span = out[i];
        span.first = static_cast<std::uint32_t>(begin);
        const auto last = std::min(sources - 1, static_cast<std::uint32_t>(std::ceil(end)) - 1);
        for (std::uint32_t s = span.first; s <= last; ++s) {
            const double covered = std::min<double>(s + 1, end) - std::max<double>(s, begin);
            span.weights.push_back(static_cast<float>(covered / step));
        }
    }
    return out;
}

// One source row averaged across: output pixel j of `row` from the spans.
void averageAcross(const Surface& s, std::uint32_t y, const std::vector<Span>& across, std::vector<float>& row) {
    const std::uint8_t* pixels = s.pixelAddress(0, y);
    const std::uint32_t step = s.bytesPerPixel();
    for (std::size_t j = 0; j < across.size(); ++j) {
        float r = 0, g = 0, b = 0;
        const std::uint8_t* p = pixels + static_cast<std::size_t>(across[j].first) * step;
        for (const float w : across[j].weights) {
            b += w * p[0];
            g += w * p[1];
            r += w * p[2];
            p += step;
        }
        row[j * 3] = r;
        row[j * 3 + 1] = g;
        row[j * 3 + 2] = b;
    }
}

}  // namespace

void fittedSize(std::uint32_t width, std::uint32_t height, std::uint32_t side, std::uint32_t& fitWidth,
                std::uint32_t& fitHeight) {
    const std::uint64_t longer = std::max(width, height);
    if (longer <= side) {
        fitWidth = width;
        fitHeight = height;
        return;
    }
    fitWidth =
        static_cast<std::uint32_t>(std::max<std::uint64_t>(1, (std::uint64_t{width} * side + longer / 2) / longer));
    fitHeight =
        static_cast<std::uint32_t>(std::max<std::uint64_t>(1, (std::uint64_t{height} * side + longer / 2) / longer));
}

RgbPicture fitPicture(const Surface& surface, std::uint32_t side) {
    RgbPicture out;
    if (!surface.valid() || surface.width() == 0 || surface.height() == 0 || side == 0) return out;
    fittedSize(surface.width(), surface.height(), side, out.width, out.height);
    out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
    const std::vector<Span> across = spans(surface.width(), out.width);
    const std::vector<Span> down = spans(surface.height(), out.height);
    std::vector<float> row(static_cast<std::size_t>(out.width) * 3);
    std::vector<float> sum(row.size());
    for (std::uint32_t i = 0; i < out.height; ++i) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        std::uint32_t y = down[i].first;
        for (const float w : down[i].weights) {
            averageAcross(surface, y++, across, row);
            for (std::size_t k = 0; k < row.size(); ++k) sum[k] += w * row[k];
        }
        std::uint8_t* dest = out.rgb.data() + static_cast<std::size_t>(i) * out.width * 3;
        for (std::size_t k = 0; k < sum.size(); ++k) {
            dest[k] = static_cast<std::uint8_t>(std::clamp(std::lround(sum[k]), 0L, 255L));
        }
    }
    return out;
}

}  // namespace sc
