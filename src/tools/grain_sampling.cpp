// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/grain_sampling.h"

#include <algorithm>

#include "tools/tool_state.h"

namespace sc {
namespace {
const Surface& emptyImage() {
    static const Surface empty;
    return empty;
}
}  // namespace

const Surface& styleImage(const ToolState& tools, std::uint8_t index) {
    const auto& images = tools.styleImages;
    return index < images.size() ? images[index] : emptyImage();
}

const Surface& textureImage(const ToolState& tools, std::uint8_t index) {
    const auto& images = tools.textureImages;
    return index < images.size() ? images[index] : emptyImage();
}

GrainRowSampler::GrainRowSampler(const GrainSampler& sampler, std::int64_t cx0, std::uint32_t count)
    : sampler_(sampler), count_(count) {
    const std::uint32_t width = sampler.image().valid() ? sampler.image().width() : 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t u = sampler.column(cx0 + static_cast<std::int64_t>(i));
        if (runCount_ > 0 && extend(runs_[runCount_ - 1], u, u < width)) continue;
        runs_[runCount_++] = Run{i, 1, u, u < width ? 1 : 0};
    }
}

bool GrainRowSampler::extend(Run& run, std::uint32_t column, bool inside) {
    if (!inside || run.step == 0) {
        if (inside || run.step != 0) return false;
        ++run.count;
        return true;
    }
    const std::int64_t along = static_cast<std::int64_t>(column) - run.column;
    if (run.count == 1 && (along == 1 || along == -1)) run.step = static_cast<std::int32_t>(along);
    else if (along != static_cast<std::int64_t>(run.step) * run.count) return false;
    ++run.count;
    return true;
}

const std::uint8_t* GrainRowSampler::row(std::int64_t cy, std::uint32_t first, std::uint32_t end) {
    const Surface& image = sampler_.image();
    const std::uint32_t v = sampler_.row(cy);
    std::uint8_t* out = samples_.data();
    if (!image.valid() || v >= image.height()) {
        std::fill(out + first, out + end, std::uint8_t{0});
        return out;
    }
    const std::uint8_t* pixels = image.pixelAddress(0, v);
    const std::uint32_t step = image.bytesPerPixel();
    for (std::uint32_t r = 0; r < runCount_; ++r) {
        const Run& run = runs_[r];
        // The part of the run inside [first, end).
        const std::uint32_t from = std::max(run.first, first);
        const std::uint32_t to = std::min(run.first + run.count, end);
        if (from >= to) continue;
        std::uint8_t* o = out + from;
        if (run.step == 0) {
            std::fill(o, o + (to - from), std::uint8_t{0});
            continue;
        }
        const std::int64_t column = run.column + run.step * static_cast<std::int64_t>(from - run.first);
        const std::uint8_t* red = pixels + column * step + 2;
        if (run.step > 0) {
            for (std::uint32_t j = 0; j < to - from; ++j) o[j] = red[j * step];
        } else {
            for (std::uint32_t j = 0; j < to - from; ++j) o[j] = *(red - static_cast<std::ptrdiff_t>(j) * step);
        }
    }
    return out;
}

}  // namespace sc
