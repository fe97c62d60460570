// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer's press and moves as they reach the stroke.
#include "tools/pointer_stroke.h"

#include <cstdint>

#include "tools/tool_state.h"
#include "tools/tools.h"

namespace sc {
namespace {

// The square of the movement, keeping its sign: d x |d|. Any int squares
// inside 64 bits.
std::int64_t signedSquare(std::int64_t d) { return d < 0 ? -(d * d) : d * d; }

}  // namespace

void strokePress(ToolState& t, Canvas& canvas, bool fresh, float pressure) {
    if (fresh) {
        t.textureOffset.x = static_cast<float>(t.random.next() % 256);
        t.textureOffset.y = static_cast<float>(t.random.next() % 256);
        t.styleOffset.x = static_cast<float>(t.random.next() % 256);
        t.styleOffset.y = static_cast<float>(t.random.next() % 256);
    }
    t.pressure = pressure;
    strokeBegin(t, canvas);
}

void strokePointerMove(ToolState& t, Canvas& canvas, int dx, int dy, float pressure) {
    const float k = static_cast<float>(t.random.next() % 100) * 0.001f;
    const long double j = static_cast<long double>(t.random.next() % 100) * static_cast<long double>(0.0016666667f);
    const std::int64_t sx = signedSquare(dx);
    const std::int64_t sy = signedSquare(dy);
    t.styleOffset.x = static_cast<float>(t.styleOffset.x - static_cast<double>(sx) * k);
    t.styleOffset.y = static_cast<float>(t.styleOffset.y - static_cast<double>(sy) * k);
    t.textureOffset.x = static_cast<float>(t.textureOffset.x - static_cast<long double>(sx) * j);
    t.textureOffset.y = static_cast<float>(t.textureOffset.y - static_cast<long double>(sy) * j);
    t.pressure = pressure;
    strokeMove(t, canvas, dx, dy);
}

}  // namespace sc
