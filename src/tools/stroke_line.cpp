// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/stroke_line.h"

#include <algorithm>
#include <cmath>

namespace sc {

int pointSpacing(int size) { return std::max(1, size / 4); }

std::vector<LinePoint> spacedPoints(int x0, int y0, int x1, int y1, double spacing) {
    const double dx = static_cast<double>(x1) - x0;
    const double dy = static_cast<double>(y1) - y0;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (!(spacing > 0.0) || distance <= spacing) return {{x1, y1}};
    const auto n = static_cast<std::int64_t>(std::ceil(distance / spacing));
    std::vector<LinePoint> points;
    points.reserve(static_cast<std::size_t>(n));
    for (std::int64_t i = 1; i < n; ++i) {
        const double f = static_cast<double>(i) / static_cast<double>(n);
        points.push_back({static_cast<int>(std::lround(x0 + dx * f)), static_cast<int>(std::lround(y0 + dy * f))});
    }
    points.push_back({x1, y1});
    return points;
}

std::vector<LinePoint> strokeLinePoints(int x0, int y0, int x1, int y1, std::int32_t strokeSize, float zoom) {
    double spacing = pointSpacing(strokeSize);
    spacing *= zoom;
    return spacedPoints(x0, y0, x1, y1, spacing);
}

}  // namespace sc
