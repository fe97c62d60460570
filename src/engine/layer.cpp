// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/layer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/layer_take.h"
#include "engine/vector_path.h"

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

namespace {

// 1 / (255 - b) and 1 / b for every byte b (0 where undefined), so that the
// coverage a cell needs costs no division.
struct Reciprocals {
    float up[256];
    float down[256];
    Reciprocals() {
        for (int b = 0; b < 256; ++b) {
            up[b] = b < 255 ? 1.0f / (255.0f - float(b)) : 0.0f;
            down[b] = b > 0 ? 1.0f / float(b) : 0.0f;
        }
    }
};

const Reciprocals& reciprocals() {
    static const Reciprocals table;
    return table;
}

}  // namespace

void takeIntoLayer(const PaintCell& below, const PaintCell& seen, float opacity, PaintCell& cell, float* coverage) {
    cell.height = seen.height - below.height;
    if (opacity <= 0.0f) return;  // nothing of the layer shows: only its relief can change
    const std::uint8_t b[5] = {below.red, below.green, below.blue, below.grain, below.shine};
    const std::uint8_t s[5] = {seen.red, seen.green, seen.blue, seen.grain, seen.shine};
    float amount = coverage ? *coverage * opacity : opacity;
    if (coverage) {
        // The least amount that shows `seen` with a cell's channels in 0..255.
        const Reciprocals& r = reciprocals();
        float need = 0.0f;
        for (int k = 0; k < 5; ++k) {
            if (s[k] > b[k]) need = std::max(need, float(s[k] - b[k]) * r.up[b[k]]);
            if (s[k] < b[k]) need = std::max(need, float(b[k] - s[k]) * r.down[b[k]]);
        }
        amount = std::min(opacity, std::max(amount, need));
        if (amount <= 0.0f) return;
        *coverage = std::min(1.0f, amount / opacity);
    }
    std::uint8_t* out[5] = {&cell.red, &cell.green, &cell.blue, &cell.grain, &cell.shine};
    if (amount == 1.0f) {
        for (int k = 0; k < 5; ++k) *out[k] = s[k];
        return;
    }
    const float inverse = 1.0f / amount;
    for (int k = 0; k < 5; ++k) *out[k] = roundToByte(float(b[k]) + float(int(s[k]) - int(b[k])) * inverse);
}

void takeCellsByCell(const TakenCells& run, float opacity, bool visible) {
    for (std::size_t i = 0; i < run.count; ++i) {
        float* coverage = run.coverage != nullptr ? &run.coverage[i] : nullptr;
        if (run.changedOnly && run.before != nullptr) {
            // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison)
            if (std::memcmp(&run.work[i], &run.before[i], sizeof(PaintCell)) == 0) continue;
        } else if (run.changedOnly) {
            CellMix was = mixOf(run.below[i]);
            coverWith(was, run.cells[i], (coverage != nullptr ? *coverage : 1.0f) * opacity);
            const PaintCell unchanged = cellOf(was);
            // Bit for bit on purpose: a height of -0 is not the 0 it equals.
            // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison)
            if (std::memcmp(&run.work[i], &unchanged, sizeof(PaintCell)) == 0) continue;
        }
        takeIntoLayer(run.below[i], run.work[i], opacity, run.cells[i], coverage);
        CellMix mix = mixOf(run.below[i]);
        coverWith(mix, run.cells[i], (coverage != nullptr ? *coverage : 1.0f) * opacity);
        run.work[i] = cellOf(mix);
        const PaintCell& shown = visible ? run.work[i] : run.below[i];
        run.document[i] = run.above != nullptr ? underCover(shown, run.above[i]) : shown;
    }
}

void takeCells(const TakenCells& run, float opacity, bool visible) {
#if SC_VECTOR_TARGETS
    if (opacity > 0.0f && vectorPath() == VectorPath::kAvx512) {
        takeCellsAvx512(run, opacity, visible);
        return;
    }
    if (opacity > 0.0f && vectorPath() == VectorPath::kAvx2) {
        takeCellsAvx2(run, opacity, visible);
        return;
    }
#endif
    takeCellsByCell(run, opacity, visible);
}

}  // namespace sc
