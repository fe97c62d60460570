// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <thread>
#include <vector>

#include "engine/canvas.h"
#include "engine/render_cell.h"
#include "engine/render_vector.h"
#include "engine/vector_path.h"
#include "engine/renderer.h"
#include "engine/worker_pool.h"

namespace sc {
namespace {

// A literal transcription of the renderer's arithmetic, one cell at a time,
// with no shortcuts: the optimised renderer must match it bit for bit.
std::int32_t refTrunc(double v) {
    if (std::isnan(v) || v <= -2147483649.0 || v >= 2147483648.0) return INT32_MIN;
    return static_cast<std::int32_t>(std::trunc(v));
}

std::uint32_t referencePixel(const Canvas& c, std::uint32_t x, std::uint32_t y) {
    const std::uint32_t W = c.width, H = c.height;
    auto h = [&](std::uint32_t i, std::uint32_t j) { return static_cast<double>(c.at(i, j).height); };
    float nx = 0.0f, ny = 1.0f, nz = 0.0f;
    if (x > 0) nx = static_cast<float>(nx + (h(x, y) - h(x - 1, y)));
    if (x < W - 1) nx = static_cast<float>(nx - (h(x, y) - h(x + 1, y)));
    if (y > 0) nz = static_cast<float>(nz + (h(x, y) - h(x, y - 1)));
    if (y < H - 1) nz = static_cast<float>(nz - (h(x, y) - h(x, y + 1)));
    const float len = std::sqrt(
        static_cast<float>(static_cast<double>(nx) * nx + static_cast<double>(ny) * ny + static_cast<double>(nz) * nz));
    if (len != 0.0f) {
        nx /= len;
        ny /= len;
        nz /= len;
    }
    float d = static_cast<float>(static_cast<double>(nx) * c.light[0] + static_cast<double>(ny) * c.light[1] +
                                 static_cast<double>(nz) * c.light[2]);
    if (d < 0.0f) d = 0.0f;
    const double px = x + 20.0 * nx, pz = y + 20.0 * nz;
    auto u = [](double p) { return static_cast<std::uint32_t>(refTrunc(p)); };
    auto grain = [&](std::uint32_t col, std::uint32_t row) { return static_cast<int>(c.at(col, row).grain); };
    std::int32_t g;
    if (!c.highQuality) {
        g = grain(u(px) % W, u(pz) % H);
    } else {
        const std::uint32_t c0 = u(px) % W, c1 = u(px + 1.0) % W, r0 = u(pz) % H, r1 = u(pz + 1.0) % H;
        const int g00 = grain(c0, r0), g01 = grain(c1, r0), g10 = grain(c0, r1), g11 = grain(c1, r1);
        const double ax = std::fabs(20.0 * nx), az = std::fabs(20.0 * nz);
        const float fx = static_cast<float>(ax - std::trunc(ax));
        const float fz = static_cast<float>(az - std::trunc(az));
        const std::uint32_t a = static_cast<std::uint32_t>(refTrunc(g10 + fx * static_cast<double>(g11 - g10)));
        const std::uint32_t b = static_cast<std::uint32_t>(refTrunc(g00 + fx * static_cast<double>(g01 - g00)));
        const std::uint32_t cc = static_cast<std::uint32_t>(refTrunc(g00 + fz * static_cast<double>(g10 - g00)));
        const std::uint32_t e = static_cast<std::uint32_t>(refTrunc(g01 + fz * static_cast<double>(g11 - g01)));
        g = static_cast<std::int32_t>(a + b + cc + e) / 4;
    }
    const PaintCell& cell = c.at(x, y);
    std::int32_t v[3] = {cell.red + g, cell.green + g, cell.blue + g};
    if (c.lighting && cell.shine != 0) {
        const double k = cell.shine * static_cast<double>(1.0f / 255.0f);
        for (auto& ch : v) ch = refTrunc(ch + k * (ch * static_cast<double>(d) - ch));
    }
    for (auto& ch : v) ch = ch < 0 ? 0 : (ch > 255 ? 255 : ch);
    return packColour(static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]),
                      static_cast<std::uint8_t>(v[2]));
}

void expectMatchesReference(Canvas& c) {
    renderAll(c);
    for (std::uint32_t y = 0; y < c.height; ++y)
        for (std::uint32_t x = 0; x < c.width; ++x)
            ASSERT_EQ(c.surface.getPixel(x, y), referencePixel(c, x, y)) << "cell " << x << "," << y;
}

enum class Heights { Smooth, Hostile, Stepped };

// Random paint. Hostile heights mix in NaN, infinities, huge and subnormal
// values; stepped heights are few exact values with flat patches, so normals
// are often exactly (0, 1, 0) or land lookups on whole cells and range edges.
void fillRandom(Canvas& c, std::uint32_t seed, Heights kind) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_real_distribution<float> height(-60.0f, 60.0f);
    const float special[] = {std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(),
                             3e38f,
                             -3e38f,
                             1e-40f,
                             -0.0f,
                             1e9f};
    for (std::uint32_t i = 0; i < c.cellCount(); ++i) {
        PaintCell& p = c.cells()[i];
        p.red = byte(rng);
        p.green = byte(rng);
        p.blue = byte(rng);
        p.grain = byte(rng);
        p.shine = (byte(rng) & 1) ? 255 : byte(rng);
        p.height = height(rng);
        if (kind == Heights::Hostile && byte(rng) < 20) p.height = special[byte(rng) % 8];
        if (kind == Heights::Stepped)
            p.height = byte(rng) < 128 && i > 0 ? c.cells()[i - 1].height : (byte(rng) % 9) * 0.5f;
    }
}

// Every renderer this processor has: the one-cell arithmetic and the vector
// paths. Each comparison below runs on all of them.
std::vector<VectorPath> availablePaths() {
    std::vector<VectorPath> paths;
    for (VectorPath p : {VectorPath::kScalar, VectorPath::kAvx2, VectorPath::kAvx512})
        if (vectorPathAvailable(p)) paths.push_back(p);
    return paths;
}

class OnPath {
public:
    explicit OnPath(VectorPath path) : previous_(setVectorPath(path)) {}
    ~OnPath() { setVectorPath(previous_); }

private:
    VectorPath previous_;
};

TEST(Renderer, MatchesTheLiteralArithmeticInEveryMode) {
    // Widths around the eight- and sixteen-cell blocks, one-row and
    // one-column canvases, heights around the rows whose lookups the grain
    // ring serves, and sizes large enough to be shared between threads.
    const std::uint32_t sizes[][2] = {{1, 1},   {1, 7},   {7, 1},    {2, 2},   {8, 1},   {9, 2},     {16, 3},  {17, 5},
                                      {31, 44}, {37, 23}, {130, 64}, {23, 40}, {48, 45}, {211, 127}, {600, 41}};
    for (VectorPath path : availablePaths()) {
        const OnPath on(path);
        for (bool hq : {false, true}) {
            for (bool lit : {false, true}) {
                for (Heights kind : {Heights::Smooth, Heights::Hostile, Heights::Stepped}) {
                    for (auto& size : sizes) {
                        Canvas c;
                        ASSERT_TRUE(c.allocate(size[0], size[1]));
                        c.highQuality = hq;
                        c.lighting = lit;
                        fillRandom(c, size[0] * 31 + size[1] + hq * 7 + lit * 13 + static_cast<int>(kind), kind);
                        SCOPED_TRACE(testing::Message()
                                     << size[0] << "x" << size[1] << " hq=" << hq << " light=" << lit
                                     << " heights=" << static_cast<int>(kind) << " path " << static_cast<int>(path));
                        expectMatchesReference(c);
                    }
                }
            }
        }
    }
}

TEST(Renderer, BlankCanvasIsWhiteInEveryMode) {
    for (int mode = 0; mode < 4; ++mode) {
        Canvas c;
        ASSERT_TRUE(c.allocate(5, 4));
        c.highQuality = mode & 1;
        c.lighting = mode & 2;
        c.surface.blendRect(0, 0, 5, 4, 0, 0, 0, 0);
        renderAll(c);
        EXPECT_TRUE(c.rendered);
        for (std::uint32_t y = 0; y < 4; ++y)
            for (std::uint32_t x = 0; x < 5; ++x) EXPECT_EQ(c.surface.getPixel(x, y), packColour(255, 255, 255));
    }
}

TEST(Renderer, FlatShinyPaintIsShadedByTheLightAlone) {
    Canvas c;
    ASSERT_TRUE(c.allocate(3, 3));
    c.lighting = true;
    for (std::uint32_t i = 0; i < 9; ++i) c.cells()[i] = PaintCell{255, 100, 0, 0, 255, {0, 0, 0}, 5.0f};
    renderAll(c);
    EXPECT_EQ(c.surface.getPixel(1, 1), packColour(243, 95, 0));
    c.lighting = false;
    renderAll(c);
    EXPECT_EQ(c.surface.getPixel(1, 1), packColour(255, 100, 0));
}

TEST(Renderer, BrightColourPlusGrainClamps) {
    Canvas c;
    ASSERT_TRUE(c.allocate(2, 2));
    for (std::uint32_t i = 0; i < 4; ++i) c.cells()[i] = PaintCell{250, 10, 200, 200, 0, {0, 0, 0}, 0.0f};
    renderAll(c);
    EXPECT_EQ(c.surface.getPixel(0, 0), packColour(255, 210, 255));
}

TEST(Renderer, HighQualityFlatGrainWrapsToColumnAndRowZero) {
    Canvas c;
    ASSERT_TRUE(c.allocate(3, 3));
    c.highQuality = true;
    for (std::uint32_t i = 0; i < 9; ++i) c.cells()[i] = PaintCell{0, 0, 0, 0, 0, {0, 0, 0}, 0.0f};
    c.at(2, 2).grain = 100;
    c.at(0, 2).grain = 40;  // right neighbour of the last column
    c.at(2, 0).grain = 20;  // lower neighbour of the last row
    renderAll(c);
    // (grain(x, y + 1) + 2 grain(x, y) + grain(x + 1, y)) / 4 = (20 + 200 + 40) / 4
    EXPECT_EQ(c.surface.getPixel(2, 2), packColour(65, 65, 65));
}

TEST(Renderer, NegativeLookupsNearTheTopLeftUseUnsignedModulo) {
    // A steep rise to the left of column 0 pushes the lookup to a negative
    // column: -k wraps as (2^32 - k) mod W, not W - k.
    Canvas c;
    ASSERT_TRUE(c.allocate(600, 1));
    for (std::uint32_t x = 0; x < 600; ++x)
        c.at(x, 0) = PaintCell{0, 0, 0, static_cast<std::uint8_t>(x % 256), 0, {0, 0, 0}, 0.0f};
    c.at(0, 0).height = 0.0f;
    c.at(1, 0).height = -1000.0f;  // normal tilts to -x: px = 0 + 20 * (-0.99999...) = -19.99...
    renderAll(c);
    const std::uint32_t expectedColumn = (0xFFFFFFFFu - 19 + 1) % 600;  // u(-19.99) = 2^32 - 19
    const std::uint8_t g = static_cast<std::uint8_t>(expectedColumn % 256);
    EXPECT_EQ(c.surface.getPixel(0, 0), packColour(g, g, g));
    EXPECT_NE(expectedColumn, 600u - 19u);
}

TEST(Renderer, RectIsClippedAndLeavesRenderedAlone) {
    Canvas c;
    ASSERT_TRUE(c.allocate(6, 5));
    for (std::uint32_t i = 0; i < 30; ++i) c.cells()[i] = PaintCell{10, 20, 30, 0, 0, {0, 0, 0}, 0.0f};
    c.rendered = false;
    renderRect(c, -5, -5, 11, 10);
    EXPECT_FALSE(c.rendered);
    for (std::uint32_t y = 0; y < 5; ++y)
        for (std::uint32_t x = 0; x < 6; ++x) EXPECT_EQ(c.surface.getPixel(x, y), packColour(10, 20, 30));
    c.at(0, 0).red = 99;
    renderRect(c, 1, 1, 3, 3);  // outside the changed cell
    EXPECT_EQ(c.surface.getPixel(0, 0), packColour(10, 20, 30));
    renderRect(c, 0, 0, 1, 1);
    EXPECT_EQ(c.surface.getPixel(0, 0), packColour(99, 20, 30));
    renderRect(c, 4, 4, 2, 2);  // empty
}

TEST(Renderer, NaNNormalGivesZeroGrainInHighQuality) {
    Canvas c;
    ASSERT_TRUE(c.allocate(3, 3));
    c.highQuality = true;
    for (std::uint32_t i = 0; i < 9; ++i) c.cells()[i] = PaintCell{50, 60, 70, 200, 0, {0, 0, 0}, 0.0f};
    c.at(1, 1).height = std::numeric_limits<float>::quiet_NaN();
    renderAll(c);
    // Four indefinite grain terms sum to 0 in 32 bits.
    EXPECT_EQ(c.surface.getPixel(1, 1), packColour(50, 60, 70));
}

TEST(Renderer, HighQualityWeightsKeepDoublePrecisionAtWholeNumbers) {
    // A slope whose weight fx puts fx * delta just below a whole number that a
    // single-precision product would round up to: the grain must not change.
    for (float slope = 0.05f; slope < 3.0f; slope += 0.0007f) {
        float nx = slope, ny = 1.0f, nz = 0.0f;
        normalise(nx, ny, nz);
        const double ax = std::fabs(20.0 * nx);
        const double fx = static_cast<float>(ax - std::trunc(ax));
        for (int delta = 1; delta < 256; ++delta) {
            const double p = fx * delta;
            // Cell (4, 1) of a 12 x 3 canvas sees exactly this slope; its four
            // grains are 0, delta (row 1) and 0, delta (row 2), so its grain is
            // (2 trunc(p) + delta) / 4, which a rounded-up p would raise.
            if (std::trunc(p) == std::trunc(static_cast<float>(p)) || (2 * static_cast<int>(p) + delta) % 4 < 2)
                continue;
            Canvas c;
            ASSERT_TRUE(c.allocate(12, 3));
            c.highQuality = true;
            for (std::uint32_t i = 0; i < 36; ++i) c.cells()[i] = PaintCell{0, 0, 0, 0, 0, {0, 0, 0}, 0.0f};
            c.at(5, 1).height = slope;
            const double px = 4 + 20.0 * nx;
            const std::uint32_t col1 = static_cast<std::uint32_t>(px + 1.0) % 12;
            c.at(col1, 1).grain = c.at(col1, 2).grain = static_cast<std::uint8_t>(delta);
            expectMatchesReference(c);
            return;
        }
    }
    FAIL() << "no slope found";
}

TEST(Renderer, RectMatchesTheReferenceAndLeavesEverythingElse) {
    const std::uint32_t W = 121, H = 97;
    for (int mode = 0; mode < 4 * 3; ++mode) {
        if (!vectorPathAvailable(static_cast<VectorPath>(mode / 4))) continue;
        const OnPath on(static_cast<VectorPath>(mode / 4));
        Canvas c;
        ASSERT_TRUE(c.allocate(W, H));
        c.highQuality = mode & 1;
        c.lighting = mode & 2;
        fillRandom(c, 500 + mode, Heights::Hostile);
        c.surface.blendRect(0, 0, W, H, 1, 2, 3, 0);
        std::vector<std::uint32_t> expected(W * H, packColour(1, 2, 3));
        std::mt19937 rng(77 + mode);
        std::uniform_int_distribution<int> coord(-12, static_cast<int>(W) + 12);
        for (int i = 0; i < 40; ++i) {
            const int x0 = coord(rng), x1 = x0 + coord(rng) / 2, y0 = coord(rng) * 2 / 3, y1 = y0 + coord(rng) / 3;
            renderRect(c, x0, y0, x1, y1);
            for (int y = std::max(y0, 0); y < std::min<int>(y1, H); ++y)
                for (int x = std::max(x0, 0); x < std::min<int>(x1, W); ++x)
                    expected[y * W + x] = referencePixel(c, x, y);
            if (i % 4 == 0) {  // the one-cell path too
                const std::uint32_t x = static_cast<std::uint32_t>(i * 7) % W;
                const std::uint32_t y = static_cast<std::uint32_t>(i * 3) % H;
                renderCell(c, x, y);
                expected[y * W + x] = referencePixel(c, x, y);
            }
            for (std::uint32_t y = 0; y < H; ++y)
                for (std::uint32_t x = 0; x < W; ++x)
                    ASSERT_EQ(c.surface.getPixel(x, y), expected[y * W + x])
                        << "mode " << mode << " rect " << x0 << "," << y0 << "," << x1 << "," << y1 << " cell " << x
                        << "," << y;
        }
        EXPECT_FALSE(c.rendered);
    }
}

TEST(Renderer, SharedRendersMatchOnAnyThreadCount) {
    // Band boundaries fall on different rows for every thread count; the
    // rectangle starts and ends inside bands.
    const std::uint32_t previous = sharingThreads();
    for (std::uint32_t threads : {1u, 2u, 3u, 7u}) {
        setSharingThreads(threads);
        for (int mode = 0; mode < 4 * 3; ++mode) {
            if (!vectorPathAvailable(static_cast<VectorPath>(mode / 4))) continue;
            const OnPath on(static_cast<VectorPath>(mode / 4));
            Canvas c;
            ASSERT_TRUE(c.allocate(257, 181));
            c.highQuality = mode & 1;
            c.lighting = mode & 2;
            fillRandom(c, 90 + mode, mode % 4 < 2 ? Heights::Smooth : Heights::Hostile);
            SCOPED_TRACE(testing::Message() << threads << " threads, mode " << mode);
            expectMatchesReference(c);
            c.surface.blendRect(0, 0, 257, 181, 1, 2, 3, 0);
            renderRect(c, -3, 5, 254, 179);
            for (std::uint32_t y = 0; y < 181; ++y)
                for (std::uint32_t x = 0; x < 257; ++x)
                    ASSERT_EQ(c.surface.getPixel(x, y),
                              x < 254 && y >= 5 && y < 179 ? referencePixel(c, x, y) : packColour(1, 2, 3))
                        << x << "," << y;
        }
    }
    setSharingThreads(previous);
}

TEST(Renderer, VectorBandsMatchCellByCell) {
    // Bands starting on any row, at the sides and inside, as narrow as the
    // lanes allow, on both pixel sizes: each band fills the grain ring from
    // its own first row.
    constexpr std::uint32_t W = 130, H = 100;
    Canvas c;
    ASSERT_TRUE(c.allocate(W, H));
    std::mt19937 rng(5);
    std::vector<std::uint8_t> fast(W * H * 4), slow(W * H * 4);
    for (VectorPath path : availablePaths()) {
        if (path == VectorPath::kScalar) continue;
        const std::uint32_t lanes = path == VectorPath::kAvx2 ? kAvx2Lanes : kAvx512Lanes;
        for (int mode = 0; mode < 12; ++mode) {
            c.highQuality = mode & 1;
            c.lighting = mode & 2;
            fillRandom(c, 40 + mode, mode < 4 ? Heights::Smooth : mode < 8 ? Heights::Hostile : Heights::Stepped);
            const RenderContext ctx = renderContextOf(c);
            for (int i = 0; i < 24; ++i) {
                RenderBand band{};
                band.x0 = rng() % (W - lanes + 1);
                band.x1 = band.x0 + lanes + rng() % (W - lanes - band.x0 + 1);
                band.y0 = rng() % H;
                band.y1 = band.y0 + 1 + rng() % (H - band.y0);
                for (std::uint32_t bpp : {3u, 4u}) {
                    std::fill(fast.begin(), fast.end(), 0xA5);
                    std::fill(slow.begin(), slow.end(), 0xA5);
                    band.bytesPerPixel = bpp;
                    band.rowStep = W * bpp;
                    band.pixels = fast.data() + band.y0 * band.rowStep + band.x0 * bpp;
                    if (path == VectorPath::kAvx2) renderBandAvx2(ctx, band);
                    else renderBandAvx512(ctx, band);
                    band.pixels = slow.data() + band.y0 * band.rowStep + band.x0 * bpp;
                    renderBandByCell(ctx, band);
                    ASSERT_EQ(fast, slow)
                        << "path " << static_cast<int>(path) << " mode " << mode << " rows [" << band.y0 << ", "
                        << band.y1 << ") columns [" << band.x0 << ", " << band.x1 << ") bpp " << bpp;
                }
            }
        }
    }
}

TEST(Renderer, FourByteAndSmallerSurfacesGetOnlyColourBytes) {
    for (VectorPath path : availablePaths()) {
        const OnPath on(path);
        Canvas c;
        ASSERT_TRUE(c.allocate(40, 50));
        c.highQuality = true;
        c.lighting = true;
        fillRandom(c, 3, Heights::Smooth);
        ASSERT_TRUE(c.surface.create(40, 50, true));
        std::memset(c.surface.bits(), 0x5A, static_cast<std::size_t>(c.surface.stride()) * 50);
        renderAll(c);
        for (std::uint32_t y = 0; y < 50; ++y)
            for (std::uint32_t x = 0; x < 40; ++x)
                ASSERT_EQ(c.surface.getPixel(x, y), referencePixel(c, x, y) | 0x5A000000u) << x << "," << y;
        // A surface smaller than the grid takes the pixels that fall on it.
        ASSERT_TRUE(c.surface.create(25, 30, false));
        renderAll(c);
        for (std::uint32_t y = 0; y < 30; ++y)
            for (std::uint32_t x = 0; x < 25; ++x) ASSERT_EQ(c.surface.getPixel(x, y), referencePixel(c, x, y));
    }
}

TEST(Renderer, ConcurrentRendersOfTwoCanvasesMatch) {
    // Two callers at once: one shares the workers, the other renders alone.
    Canvas a, b;
    ASSERT_TRUE(a.allocate(200, 150));
    ASSERT_TRUE(b.allocate(180, 170));
    a.highQuality = b.lighting = true;
    for (int round = 0; round < 4; ++round) {
        fillRandom(a, 60 + round, Heights::Smooth);
        fillRandom(b, 70 + round, Heights::Hostile);
        std::thread other([&b] { renderAll(b); });
        renderAll(a);
        other.join();
        for (Canvas* c : {&a, &b})
            for (std::uint32_t y = 0; y < c->height; ++y)
                for (std::uint32_t x = 0; x < c->width; ++x)
                    ASSERT_EQ(c->surface.getPixel(x, y), referencePixel(*c, x, y)) << round << ": " << x << "," << y;
    }
}

}  // namespace
}  // namespace sc
