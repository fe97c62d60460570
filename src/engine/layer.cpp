// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/layer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace sc {

bool allocateLayer(Layer& layer, std::uint32_t width, std::uint32_t height, bool opaque) {
    const std::size_t count = static_cast<std::size_t>(width) * height;
    std::unique_ptr<PaintCell[]> cells(new (std::nothrow) PaintCell[count]);
    if (!cells) return false;
    std::unique_ptr<float[]> coverage;
    if (!opaque) {
        coverage.reset(new (std::nothrow) float[count]);
        if (!coverage) return false;
        std::fill_n(coverage.get(), count, 0.0f);
    }
    layer.cells = std::move(cells);
    layer.coverage = std::move(coverage);
    layer.width = width;
    layer.height = height;
    return true;
}

bool copyLayer(const Layer& from, Layer& to) {
    Layer made;
    if (!allocateLayer(made, from.width, from.height, from.opaque())) return false;
    const std::size_t count = from.cellCount();
    if (count > 0) {
        std::memcpy(made.cells.get(), from.cells.get(), count * sizeof(PaintCell));
        if (from.coverage) std::memcpy(made.coverage.get(), from.coverage.get(), count * sizeof(float));
    }
    made.name = from.name;
    made.visible = from.visible;
    made.opacity = from.opacity;
    to = std::move(made);
    return true;
}

void takeIntoLayer(const PaintCell& below, const PaintCell& seen, float opacity, PaintCell& cell, float* coverage) {
    cell.height = seen.height - below.height;
    const float b[5] = {float(below.red), float(below.green), float(below.blue), float(below.grain),
                        float(below.shine)};
    const float s[5] = {float(seen.red), float(seen.green), float(seen.blue), float(seen.grain), float(seen.shine)};
    if (opacity <= 0.0f) return;  // nothing of the layer shows: only its relief can change
    float amount = coverage ? *coverage * opacity : opacity;
    if (coverage) {
        // The least amount that shows `seen` with a cell's channels in 0..255.
        float need = 0.0f;
        for (int k = 0; k < 5; ++k) {
            if (s[k] > b[k]) need = std::max(need, (s[k] - b[k]) / (255.0f - b[k]));
            if (s[k] < b[k]) need = std::max(need, (b[k] - s[k]) / b[k]);
        }
        amount = std::min(opacity, std::max(amount, need));
        if (amount <= 0.0f) return;
        *coverage = std::min(1.0f, amount / opacity);
    }
    std::uint8_t* out[5] = {&cell.red, &cell.green, &cell.blue, &cell.grain, &cell.shine};
    for (int k = 0; k < 5; ++k) *out[k] = roundToByte(b[k] + (s[k] - b[k]) / amount);
}

}  // namespace sc
