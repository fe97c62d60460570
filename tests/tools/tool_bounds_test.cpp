// SPDX-License-Identifier: GPL-3.0-or-later
// What every masked tool shares: where it may change cells and what it renders.
#include <algorithm>
#include <limits>

#include "engine/vector_path.h"
#include "tool_test_support.h"

namespace sc::test {
namespace {

using Routine = CellRect (*)(ToolState&, Canvas&, int, int, BrushSettings);

// A routine in the one form the table below holds.
template <auto R>
CellRect call(ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    return R(tools, canvas, x, y, s);
}

struct MaskedTool {
    const char* name;
    int id;
    Routine routine;
    bool worksFromOutside;  // a centre off the grid still changes the part inside
};

const MaskedTool kTools[] = {
    {"tube", 0, call<tubePaint>, false},         {"brush", 1, call<paintBrush>, false},
    {"eraser", 2, call<eraser>, true},           {"spray", 5, call<sprayPaint>, true},
    {"sponge", 6, call<sponge>, true},           {"gel", 9, call<gelBrush>, false},
    {"brighten", 10, call<brightenTool>, false}, {"darken", 11, call<darkenTool>, false},
    {"shine", 13, call<shineTool>, false},       {"matte", 14, call<matteTool>, false},
    {"raise", 15, call<raiseTool>, false},       {"lower", 16, call<lowerTool>, false},
    {"knife", 17, call<knife>, false},           {"finger", 18, call<finger>, false},
};

class ToolBoundsTest : public ToolTest, public ::testing::WithParamInterface<MaskedTool> {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        paintGround(canvas);
        tools.styleImages[2] = grainImage([](int x, int y) { return (x * 11 + y) % 256; });
        tools.textureImages[3] = grainImage([](int x, int y) { return 128 + (x + y * 7) % 128; });
    }
    BrushSettings settings(int size) {
        BrushSettings s = brush(tools, GetParam().id, size, 0.9f);
        s.texture = 3;
        s.red = 7;
        s.thickness = 3.0f;
        return s;
    }
};

// Only cells of the square with weight above 0 change, and the renderer
// redraws exactly the square (clipped to the grid).
TEST_P(ToolBoundsTest, ChangesOnlyWeightedCellsAndRendersTheSquare) {
    const int x = 20, y = 15, r = 9;
    const BrushSettings s = settings(r);
    const auto before = cellsOf(canvas);
    const auto pixels = pixelsOf(canvas.surface);  // white: nothing rendered yet
    GetParam().routine(tools, canvas, x, y, s);
    int changed = 0;
    for (int cy = 0; cy < static_cast<int>(canvas.height); ++cy)
        for (int cx = 0; cx < static_cast<int>(canvas.width); ++cx) {
            const bool inSquare = cx >= x - r && cx < x + r && cy >= y - r && cy < y + r;
            const bool weighted = inSquare && tools.mask.at(cx - x + r, cy - y + r) > 0.0f;
            const bool same = sameCell(canvas.at(cx, cy), before[cy * canvas.width + cx]);
            if (!weighted) {
                EXPECT_TRUE(same) << cx << "," << cy;
            }
            changed += !same;
            // Pixels of the square are rendered; nothing else is touched.
            const bool white = (canvas.surface.getPixel(cx, cy) & 0xFFFFFF) == 0xFFFFFF;
            if (!inSquare) {
                EXPECT_TRUE(white) << cx << "," << cy;
            }
        }
    EXPECT_GT(changed, 0);
    EXPECT_NE(pixelsOf(canvas.surface), pixels);
}

// One cell beyond each edge: only Eraser, Spray Paint and Sponge still work on
// the part of the square inside the grid; the others change and render nothing.
TEST_P(ToolBoundsTest, CentreOffTheGrid) {
    const BrushSettings s = settings(8);
    const auto before = cellsOf(canvas);
    const auto pixels = pixelsOf(canvas.surface);
    for (auto [x, y] : {std::pair{-1, 20}, {64, 20}, {30, -1}, {30, 48}}) {
        GetParam().routine(tools, canvas, x, y, s);
        if (!GetParam().worksFromOutside) {
            EXPECT_TRUE(sameCells(canvas, before)) << x << "," << y;
            EXPECT_EQ(pixelsOf(canvas.surface), pixels) << x << "," << y;
        }
    }
    if (GetParam().worksFromOutside) {
        EXPECT_FALSE(sameCells(canvas, before));
    }
    // Far away (or at the int limits) every tool does nothing.
    const auto now = cellsOf(canvas);
    for (auto [x, y] : {std::pair{-100, 20}, {INT32_MIN, INT32_MIN}, {INT32_MAX, 5}, {5, INT32_MAX}})
        GetParam().routine(tools, canvas, x, y, s);
    EXPECT_TRUE(sameCells(canvas, now));
}

// A size the mask cannot hold (a damaged preset) is treated as the largest.
TEST_P(ToolBoundsTest, OversizedBrushStaysInsideTheMask) {
    BrushSettings s = settings(100);
    s.size = 5000;
    GetParam().routine(tools, canvas, 30, 20, s);
    s.size = -7;
    GetParam().routine(tools, canvas, 30, 20, s);
}

// The vector paths give the cells and pixels of the one-cell rules: brushes
// of every size up to one larger than the canvas, at the edges and inside,
// smooth and textured, at a plain and a huge strength, over heights that
// include NaN, infinities and huge values.
TEST_P(ToolBoundsTest, SameCellsAndPixelsOnEveryVectorPath) {
    const float hostile[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -3e38f,
                             1e-41f, -0.0f};
    for (std::uint32_t i = 0; i < canvas.cellCount(); i += 37) canvas.cells()[i].height = hostile[i % 5];
    canvas.highQuality = canvas.lighting = true;
    const auto ground = cellsOf(canvas);
    struct Application {
        int x, y, size;
        float strength;
        std::uint8_t texture;
    };
    const Application applications[] = {{20, 15, 9, 0.9f, 3},  {0, 0, 30, 0.37f, 3},   {63, 47, 5, 1.0f, 0},
                                        {31, 24, 40, 3e9f, 0}, {40, 10, 17, 0.61f, 3}, {5, 40, 1, 0.5f, 3}};
    std::vector<PaintCell> cellsAfter;
    std::vector<std::uint8_t> pixelsAfter;
    for (VectorPath path : {VectorPath::kScalar, VectorPath::kAvx2, VectorPath::kAvx512}) {
        if (!vectorPathAvailable(path)) continue;
        const VectorPath previous = setVectorPath(path);
        std::copy(ground.begin(), ground.end(), canvas.cells());
        canvas.surface.blendRect(0, 0, 64, 48, 1, 2, 3, 0);
        tools.random = ProgramRandom{};
        for (const Application& a : applications) {
            BrushSettings s = settings(a.size);
            s.strength = a.strength;
            s.texture = a.texture;
            GetParam().routine(tools, canvas, a.x, a.y, s);
        }
        setVectorPath(previous);
        if (path == VectorPath::kScalar) {
            cellsAfter = cellsOf(canvas);
            pixelsAfter = pixelsOf(canvas.surface);
        } else {
            EXPECT_TRUE(sameCells(canvas, cellsAfter)) << "path " << static_cast<int>(path);
            EXPECT_EQ(pixelsOf(canvas.surface), pixelsAfter) << "path " << static_cast<int>(path);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolBoundsTest, ::testing::ValuesIn(kTools),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sc::test
