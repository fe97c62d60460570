// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/layer_view.h"

#include <algorithm>
#include <cmath>

#include "app/layers.h"
#include "app/painting.h"
#include "engine/surface.h"

namespace sc {
namespace {

// The list's well shows around a picture narrower or lower than the frame;
// a checkerboard shows through where a layer holds no paint.
constexpr std::uint32_t kAround = packColour(219, 215, 208);
constexpr std::uint32_t kCheckLight = packColour(255, 255, 255);
constexpr std::uint32_t kCheckDark = packColour(204, 204, 204);

std::uint8_t over(std::uint8_t under, std::uint8_t paint, float cover) {
    return static_cast<std::uint8_t>(std::lround(under + (paint - under) * cover));
}

// The layer's cells sampled at the centres of the picture's pixels, the
// painting fitted into the frame with its proportions kept.
std::vector<std::uint32_t> thumbnailOf(const PaintCell* cells, const float* coverage, std::uint32_t width,
                                       std::uint32_t height) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(kLayerThumbWidth) * kLayerThumbHeight, kAround);
    if (!cells || width == 0 || height == 0) return out;
    const double scale =
        std::min(static_cast<double>(kLayerThumbWidth) / width, static_cast<double>(kLayerThumbHeight) / height);
    const int w = std::clamp(static_cast<int>(std::lround(width * scale)), 1, kLayerThumbWidth);
    const int h = std::clamp(static_cast<int>(std::lround(height * scale)), 1, kLayerThumbHeight);
    const int left = (kLayerThumbWidth - w) / 2;
    const int top = (kLayerThumbHeight - h) / 2;
    for (int j = 0; j < h; ++j) {
        const auto cy = std::min<std::uint32_t>(static_cast<std::uint32_t>((j + 0.5) * height / h), height - 1);
        for (int i = 0; i < w; ++i) {
            const auto cx = std::min<std::uint32_t>(static_cast<std::uint32_t>((i + 0.5) * width / w), width - 1);
            const std::size_t at = static_cast<std::size_t>(cy) * width + cx;
            const PaintCell& c = cells[at];
            const float cover = coverage ? std::clamp(coverage[at], 0.0f, 1.0f) : 1.0f;
            const std::uint32_t check = ((i / 4 + j / 4) % 2) ? kCheckDark : kCheckLight;
            out[static_cast<std::size_t>(top + j) * kLayerThumbWidth + left + i] =
                packColour(over(redOf(check), c.red, cover), over(greenOf(check), c.green, cover),
                           over(blueOf(check), c.blue, cover));
        }
    }
    return out;
}

}  // namespace

bool layerRowsDiffer(const LayerView& a, const LayerView& b) {
    if (a.active != b.active || a.rows.size() != b.rows.size()) return true;
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        const LayerRowView& x = a.rows[i];
        const LayerRowView& y = b.rows[i];
        if (x.name != y.name || x.visible != y.visible || x.opacity != y.opacity) return true;
    }
    return false;
}

LayerView layerViewOf(const Painting& p, bool pictures) {
    LayerView view;
    if (!p.document.hasCells()) return view;
    const std::size_t count = layerCount(p);
    view.rows.resize(count);
    view.active = activeLayer(p);
    for (std::size_t i = 0; i < count; ++i) {
        LayerRowView& row = view.rows[i];
        row.name = layerName(p, i);
        row.visible = layerVisible(p, i);
        row.opacity = layerOpacity(p, i);
        if (!pictures) continue;
        if (p.layers.layered()) {
            const Layer& layer = p.layers.layers[i];
            row.thumbnail = thumbnailOf(layer.cells.get(), layer.coverage.get(), layer.width, layer.height);
        } else {
            row.thumbnail = thumbnailOf(p.document.cells(), nullptr, p.document.width, p.document.height);
        }
    }
    return view;
}

}  // namespace sc
