// Copies of Surfaces into a window's picture, plain and stretched. The
// stretch is computed here, on the program's own pixels, so every desktop
// shows the same picture: enlarging repeats pixels, shrinking ANDs the
// colours of all source pixels that land on one window pixel.
#include <algorithm>
#include <cstdint>

#include "engine/surface.h"
#include "platform/platform_shared.h"

namespace sc::platform {
namespace {

// 0x00RRGGBB of a surface pixel; the caller has checked the bounds.
std::uint32_t sourceRgb(const Surface& s, int x, int y) {
    const std::uint8_t* p = s.pixelAddress(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
    return (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
}

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

}  // namespace

void stretchBlit(WindowId window, const Surface& surface, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                 int dh) {
    detail::WindowRecord* w = detail::findRecord(window);
    if (!w || w->pixels.empty() || !surface.valid() || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    const int srcW = static_cast<int>(surface.width());
    const int srcH = static_cast<int>(surface.height());
    const Rect target = detail::clipToClient(*w, {dx, dy, dx + dw, dy + dh});
    if (target.empty()) return;

    // Column spans are the same for every row: work them out once.
    std::vector<std::int64_t> colFirst(static_cast<std::size_t>(target.width()));
    std::vector<std::int64_t> colLast(colFirst.size());
    for (int x = target.left; x < target.right; ++x) {
        const std::size_t k = static_cast<std::size_t>(x - target.left);
        sourceSpan(x - dx, sw, dw, colFirst[k], colLast[k]);
        colFirst[k] = std::max<std::int64_t>(colFirst[k] + sx, 0);
        colLast[k] = std::min<std::int64_t>(colLast[k] + sx, srcW);
    }
    for (int y = target.top; y < target.bottom; ++y) {
        std::int64_t rowFirst = 0, rowLast = 0;
        sourceSpan(y - dy, sh, dh, rowFirst, rowLast);
        rowFirst = std::max<std::int64_t>(rowFirst + sy, 0);
        rowLast = std::min<std::int64_t>(rowLast + sy, srcH);
        if (rowFirst >= rowLast) continue;
        std::uint32_t* out = w->pixels.data() + static_cast<std::size_t>(y) * w->width;
        for (int x = target.left; x < target.right; ++x) {
            const std::size_t k = static_cast<std::size_t>(x - target.left);
            if (colFirst[k] >= colLast[k]) continue;
            std::uint32_t rgb = 0x00ffffffu;
            for (std::int64_t r = rowFirst; r < rowLast; ++r) {
                for (std::int64_t c = colFirst[k]; c < colLast[k]; ++c) {
                    rgb &= sourceRgb(surface, static_cast<int>(c), static_cast<int>(r));
                }
            }
            out[x] = 0xff000000u | rgb;
        }
    }
    backend::pictureChanged(*w, target);
}

void blit(WindowId window, const Surface& surface, int x, int y) {
    const int w = static_cast<int>(surface.width());
    const int h = static_cast<int>(surface.height());
    stretchBlit(window, surface, 0, 0, w, h, x, y, w, h);
}

std::uint32_t windowPixel(WindowId window, int x, int y) {
    const detail::WindowRecord* w = detail::findRecord(window);
    if (!w || x < 0 || y < 0 || x >= w->width || y >= w->height || w->pixels.empty()) return 0;
    const std::uint32_t p = w->pixels[static_cast<std::size_t>(y) * w->width + x];
    return ((p >> 16) & 0xffu) | (p & 0xff00u) | ((p & 0xffu) << 16);
}

void windowPixels(WindowId window, const Rect& rect, std::uint32_t* out, std::size_t stride) {
    const detail::WindowRecord* w = detail::findRecord(window);
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::uint32_t* row = out + static_cast<std::size_t>(y - rect.top) * stride;
        for (int x = rect.left; x < rect.right; ++x) {
            const bool inside = w && !w->pixels.empty() && x >= 0 && y >= 0 && x < w->width && y < w->height;
            row[x - rect.left] = inside ? w->pixels[static_cast<std::size_t>(y) * w->width + x] : 0;
        }
    }
}

}  // namespace sc::platform
