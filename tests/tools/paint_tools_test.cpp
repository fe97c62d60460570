// SPDX-License-Identifier: GPL-3.0-or-later
// Tube Paint, Paint Brush, Spray Paint, Gel Brush, Eraser and Sponge.
#include <cmath>

#include "tool_test_support.h"
#include "tools/grain_sampling.h"

namespace sc::test {
namespace {

using PaintToolsTest = ToolTest;

int pattern(int x, int y) { return (x * 3 + y * 5) % 256; }

TEST_F(PaintToolsTest, TubePaintAtFullStrengthLaysTheBrushExactly) {
    tools.styleImages[2] = grainImage(pattern);
    tools.styleOffset = {-5.7f, 3.2f};
    const auto before = cellsOf(canvas);
    tubePaint(tools, canvas, 10, 6, brush(tools, kToolTubePaint, 1, 1.0f));
    const PaintCell& c = canvas.at(10, 6);
    EXPECT_EQ(c.red, 0);
    EXPECT_EQ(c.green, 200);
    EXPECT_EQ(c.blue, 45);
    EXPECT_EQ(c.grain, pattern(5, 9));  // (|-5 + 10|, |3 + 6|)
    EXPECT_EQ(c.shine, 255);
    EXPECT_EQ(c.height, 5.0f);
    canvas.at(10, 6) = before[6 * 64 + 10];
    EXPECT_TRUE(sameCells(canvas, before));  // a size-1 brush touches one cell
}

TEST_F(PaintToolsTest, GrainOffsetsWrapAsIntegers) {
    tools.styleImages[2] = grainImage(pattern);
    // Sums below zero take their magnitude; an offset beyond the int range
    // converts to the most negative int, whose magnitude 2^31 is 48 mod 400.
    tools.styleOffset = {-3.0e9f, -20.9f};
    tubePaint(tools, canvas, 0, 7, brush(tools, kToolTubePaint, 1, 1.0f));
    EXPECT_EQ(canvas.at(0, 7).grain, pattern(48, 13));
    // An image smaller than the 400 x 400 tile reads 0 outside it.
    Surface small;
    ASSERT_TRUE(small.create32(10, 10));
    for (std::uint32_t y = 0; y < 10; ++y)
        for (std::uint32_t x = 0; x < 10; ++x) small.setPixel(x, y, 77, 1, 1);
    tools.styleImages[2] = std::move(small);
    tools.styleOffset = {0.0f, 0.0f};
    tubePaint(tools, canvas, 3, 3, brush(tools, kToolTubePaint, 1, 1.0f));
    tubePaint(tools, canvas, 30, 3, brush(tools, kToolTubePaint, 1, 1.0f));
    EXPECT_EQ(canvas.at(3, 3).grain, 77);
    EXPECT_EQ(canvas.at(30, 3).grain, 0);
    // A style index without an image reads 0 as well.
    BrushSettings s = brush(tools, kToolTubePaint, 1, 1.0f);
    s.paintStyle = 200;
    canvas.at(4, 4).grain = 99;
    tubePaint(tools, canvas, 4, 4, s);
    EXPECT_EQ(canvas.at(4, 4).grain, 0);
}

TEST_F(PaintToolsTest, SquareReadsTheGrainOfEveryCellAsTheOneCellLookup) {
    // Columns rising, falling through 0 and wrapping at 400, an offset beyond
    // the int range, and images smaller than the tile or missing.
    Surface small;
    ASSERT_TRUE(small.create32(150, 90));
    for (std::uint32_t y = 0; y < 90; ++y)
        for (std::uint32_t x = 0; x < 150; ++x) small.setPixel(x, y, static_cast<std::uint8_t>(x * 3 + y), 1, 1);
    Surface noImage;
    for (int image = 0; image < 3; ++image) {
        if (image == 0) tools.styleImages[2] = grainImage(pattern);
        if (image == 1) std::swap(tools.styleImages[2], small);
        if (image == 2) std::swap(tools.styleImages[2], noImage);
        for (float offset : {0.0f, -30.7f, 385.0f, -3.0e9f, -170.0f}) {
            tools.styleOffset = {offset, -offset / 3};
            canvas.clear();
            const BrushSettings s = brush(tools, kToolTubePaint, 30, 1.0f, 100);
            tubePaint(tools, canvas, 32, 24, s);
            const GrainSampler sampler(tools.styleImages[2], offset, -offset / 3);
            for (int cy = 0; cy < 48; ++cy)
                for (int cx = 2; cx < 62; ++cx)
                    if (tools.mask.at(cx - 2, cy + 6) == 1.0f) {
                        ASSERT_EQ(canvas.at(cx, cy).grain, sampler.at(sampler.column(cx), sampler.row(cy)))
                            << "image " << image << ", offset " << offset << ", cell " << cx << "," << cy;
                    }
        }
    }
}

TEST_F(PaintToolsTest, PaintBrushBlendFactorIsRoundedAfterTheTextureScale) {
    // Smooth brush: f = single(255 * single(1/255) * a). At the weakest
    // strength that is one step above a, so a channel rising from 0 toward 200
    // lands on 2 where Tube Paint lands on 1.
    BrushSettings s = brush(tools, kToolPaintBrush, 1, 0.01f);
    s.red = s.green = s.blue = 200;
    for (auto* tool : {&tubePaint, &paintBrush}) {
        PaintCell& c = canvas.at(8, 8);
        c.red = c.green = c.blue = 0;
        tool(tools, canvas, 8, 8, s);
    }
    EXPECT_EQ(canvas.at(8, 8).red, 2);  // paint brush
    canvas.at(9, 9).red = 0;
    tubePaint(tools, canvas, 9, 9, s);
    EXPECT_EQ(canvas.at(9, 9).red, 1);

    // At full strength f is exactly 1: the brush colour exactly.
    paintBrush(tools, canvas, 20, 20, brush(tools, kToolPaintBrush, 1, 1.0f));
    EXPECT_EQ(canvas.at(20, 20).green, 200);
    EXPECT_EQ(canvas.at(20, 20).blue, 45);
    EXPECT_EQ(canvas.at(20, 20).height, 5.0f);
}

TEST_F(PaintToolsTest, PaintBrushTextureScalesColourAndHeight) {
    tools.textureImages[3] = grainImage([](int x, int) { return x < 32 ? 0 : 255; });
    BrushSettings s = brush(tools, kToolPaintBrush, 1, 1.0f);
    s.texture = 3;
    paintBrush(tools, canvas, 10, 10, s);  // dark texture: nothing laid
    EXPECT_TRUE(sameCell(canvas.at(10, 10), kBlankCell));
    paintBrush(tools, canvas, 40, 10, s);  // bright texture: full colour, 0.255 of the height
    EXPECT_EQ(canvas.at(40, 10).green, 200);
    EXPECT_EQ(canvas.at(40, 10).height, static_cast<float>((255 * static_cast<double>(0.001f)) * 5.0));
}

TEST_F(PaintToolsTest, GelBrushBuildsHeightAndNeverColour) {
    paintGround(canvas);
    const PaintCell start = canvas.at(30, 30);
    for (int pass = 1; pass <= 3; ++pass) {
        gelBrush(tools, canvas, 30, 30, brush(tools, kToolGelBrush, 1, 1.0f));
        EXPECT_EQ(canvas.at(30, 30).height, start.height + 5.0f * pass);
    }
    EXPECT_EQ(canvas.at(30, 30).red, start.red);
    EXPECT_EQ(canvas.at(30, 30).grain, start.grain);
    EXPECT_EQ(canvas.at(30, 30).shine, 255);
    // Off the centre a cell is pulled halfway (a = 1) toward the centre's
    // height as it was before the application, then raised.
    BrushSettings s = brush(tools, kToolGelBrush, 10, 1.0f, 100);
    const double h0 = canvas.at(20, 20).height;
    const double h = canvas.at(22, 21).height;
    gelBrush(tools, canvas, 20, 20, s);
    EXPECT_EQ(canvas.at(22, 21).height, static_cast<float>(h + (h0 - h) * 0.5 + 5.0));
}

TEST_F(PaintToolsTest, EraserWhitensAndKeepsHalfTheShine) {
    paintGround(canvas);
    canvas.at(12, 12).shine = 201;
    eraser(tools, canvas, 12, 12, brush(tools, kToolEraser, 1, 1.0f));
    const PaintCell& c = canvas.at(12, 12);
    EXPECT_EQ(c.red, 255);
    EXPECT_EQ(c.green, 255);
    EXPECT_EQ(c.blue, 255);
    EXPECT_EQ(c.grain, 0);
    EXPECT_EQ(c.shine, 100);
    EXPECT_EQ(c.height, 0.0f);
}

TEST_F(PaintToolsTest, SpongeSoaksUpAQuarter) {
    PaintCell& c = canvas.at(5, 5);
    c = PaintCell{10, 20, 30, 200, 40, {0, 0, 0}, 8.0f};
    sponge(tools, canvas, 5, 5, brush(tools, kToolSponge, 1, 1.0f));
    EXPECT_EQ(c.grain, 150);
    EXPECT_EQ(c.height, 6.0f);
    sponge(tools, canvas, 5, 5, brush(tools, kToolSponge, 1, 1.0f));
    EXPECT_EQ(c.grain, 112);
    EXPECT_EQ(c.height, 4.5f);
    EXPECT_EQ(c.red, 10);
    EXPECT_EQ(c.shine, 40);
}

TEST_F(PaintToolsTest, SprayDrawsOneNumberPerSprayedCell) {
    // From state 1 the generator gives 16838, 5758, ...: n = 838, then 758.
    BrushSettings s = brush(tools, kToolSprayPaint, 1, 1.0f);
    sprayPaint(tools, canvas, 4, 4, s);
    sprayPaint(tools, canvas, 4, 4, s);
    const double third = 1.0f / 3000.0f;
    auto lerp = [](int v, int target, double k) { return static_cast<int>(v + (target - v) * k); };
    EXPECT_EQ(canvas.at(4, 4).red, lerp(lerp(255, 0, 838 * third), 0, 758 * third));
    EXPECT_EQ(canvas.at(4, 4).green, lerp(lerp(255, 200, 838 * third), 200, 758 * third));
    EXPECT_EQ(canvas.at(4, 4).shine, lerp(lerp(0, 255, 838 * third), 255, 758 * third));
    EXPECT_EQ(canvas.at(4, 4).height, 0.0f);
}

TEST_F(PaintToolsTest, SprayIsReproducibleFromStartUp) {
    paintGround(canvas);
    const auto ground = cellsOf(canvas);
    tools.stroke = brush(tools, kToolSprayPaint, 20, 0.8f);
    buildMask(tools);
    // Centre near the corner: only cells inside the grid with weight above 0 draw.
    int drawn = 0;
    for (int cx = -5 - 20; cx < -5 + 20; ++cx)
        for (int cy = 3 - 20; cy < 3 + 20; ++cy)
            if (cx >= 0 && cy >= 0 && tools.mask.at(cx + 5 + 20, cy - 3 + 20) > 0.0f) ++drawn;
    tools.random = ProgramRandom{};
    sprayPaint(tools, canvas, -5, 3, tools.stroke);
    const auto once = cellsOf(canvas);
    std::uint32_t state = 1;
    for (int i = 0; i < drawn; ++i) state = state * 1103515245u + 12345u;
    EXPECT_EQ(tools.random.state, state);
    EXPECT_FALSE(sameCells(canvas, ground));

    std::copy(ground.begin(), ground.end(), canvas.cells());
    tools.random = ProgramRandom{};
    sprayPaint(tools, canvas, -5, 3, tools.stroke);
    EXPECT_TRUE(sameCells(canvas, once));
}

}  // namespace
}  // namespace sc::test
