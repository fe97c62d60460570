// SPDX-License-Identifier: GPL-3.0-or-later
// The dispatcher: what an application reports, the tool table and the
// document-only tools.
#include "tool_test_support.h"

namespace sc::test {
namespace {

using ApplyToolTest = ToolTest;

// The cells that differ from `before`.
std::vector<std::pair<int, int>> changedCells(const Canvas& c, const std::vector<PaintCell>& before) {
    std::vector<std::pair<int, int>> changed;
    for (std::uint32_t y = 0; y < c.height; ++y)
        for (std::uint32_t x = 0; x < c.width; ++x)
            if (!sameCell(c.at(x, y), before[y * c.width + x]))
                changed.push_back({static_cast<int>(x), static_cast<int>(y)});
    return changed;
}

// Every canvas takes cells; the outcome is the brush square rendered,
// clipped to the grid, or nothing where the routine paints nothing.
TEST_F(ApplyToolTest, ReturnsTheCellsItRendered) {
    Canvas doc;
    ASSERT_TRUE(doc.allocate(200, 100));
    doc.kind = kDocumentCanvasKind;
    for (Canvas* c : {&doc, &canvas}) {
        useBrush(tools, brush(tools, kToolTubePaint, 1, 1.0f), *c);
        const auto before = cellsOf(*c);
        const ToolOutcome outcome = applyTool(tools, 41, 21, *c);
        const std::vector<std::pair<int, int>> expected = {{41, 21}};
        EXPECT_EQ(changedCells(*c, before), expected);
        EXPECT_EQ(outcome.rendered.left, 40);
        EXPECT_EQ(outcome.rendered.top, 20);
        EXPECT_EQ(outcome.rendered.right, 42);
        EXPECT_EQ(outcome.rendered.bottom, 22);
        EXPECT_FALSE(outcome.pickedColour || outcome.handMove || outcome.pressEnded || outcome.outOfMemory);
    }
    useBrush(tools, brush(tools, kToolPaintBrush, 10, 1.0f), canvas);
    const CellRect corner = applyTool(tools, 60, 2, canvas).rendered;  // 64 x 48 grid
    EXPECT_EQ(corner.left, 50);
    EXPECT_EQ(corner.top, 0);
    EXPECT_EQ(corner.right, 64);
    EXPECT_EQ(corner.bottom, 12);
    EXPECT_TRUE(applyTool(tools, 64, 2, canvas).rendered.empty());  // centre off the grid
}

TEST_F(ApplyToolTest, UnusedIdsDoNothingButTheMaskIsBuilt) {
    paintGround(canvas);
    renderAll(canvas);
    const auto cells = cellsOf(canvas);
    const auto pixels = pixelsOf(canvas.surface);
    for (const int id : {3, 4, 19, 100, -1, INT32_MAX, INT32_MIN}) {
        useBrush(tools, brush(tools, id, 10, 1.0f), canvas);
        applyTool(tools, 30, 20, canvas);
        EXPECT_TRUE(tools.mask.built);
        EXPECT_TRUE(sameCells(canvas, cells)) << id;
        EXPECT_EQ(pixelsOf(canvas.surface), pixels) << id;
        EXPECT_EQ(tools.random.state, 1u);
    }
}

// Each id reaches its own routine: applying through the table gives exactly
// what calling the routine gives.
template <auto Routine>
void run(ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    Routine(tools, canvas, x, y, s);
}

TEST_F(ApplyToolTest, EveryIdRunsItsRoutine) {
    using Routine = void (*)(ToolState&, Canvas&, int, int, BrushSettings);
    const std::pair<int, Routine> table[] = {{0, run<tubePaint>},  {1, run<paintBrush>},    {2, run<eraser>},
                                             {5, run<sprayPaint>}, {6, run<sponge>},        {7, run<fillTool>},
                                             {9, run<gelBrush>},   {10, run<brightenTool>}, {11, run<darkenTool>},
                                             {13, run<shineTool>}, {14, run<matteTool>},    {15, run<raiseTool>},
                                             {16, run<lowerTool>}, {17, run<knife>},        {18, run<finger>}};
    tools.styleImages[2] = grainImage([](int x, int y) { return x * 3 + y; });
    tools.textureImages[3] = grainImage([](int x, int y) { return 255 - x - 2 * y; });
    paintGround(canvas);
    const auto ground = cellsOf(canvas);
    for (const auto& [id, routine] : table) {
        BrushSettings s = brush(tools, id, 12, 0.7f);
        s.texture = 3;
        Canvas direct;
        ASSERT_TRUE(direct.allocate(64, 48));
        paintGround(direct);
        paintGround(canvas);
        useBrush(tools, s, canvas);
        tools.random = ProgramRandom{};
        applyTool(tools, 25, 17, canvas);
        tools.random = ProgramRandom{};
        routine(tools, direct, 25, 17, tools.stroke);
        const auto expected = cellsOf(direct);
        EXPECT_TRUE(sameCells(canvas, expected)) << id;
        EXPECT_FALSE(sameCells(canvas, ground)) << id << " changed nothing";
    }
}

TEST_F(ApplyToolTest, ToolsUseTheStrokeSettingsAndTheLiveTool) {
    useBrush(tools, brush(tools, kToolTubePaint, 1, 1.0f), canvas);
    tools.live.red = 250;           // not copied until the next move
    tools.live.tool = kToolEraser;  // the tool is read live
    canvas.at(5, 5).red = 0;
    applyTool(tools, 5, 5, canvas);
    EXPECT_EQ(canvas.at(5, 5).red, 255);
}

TEST_F(ApplyToolTest, EyeDropperPicksTheRenderedPixelOnTheDocumentOnly) {
    int picked = 0;
    Canvas doc;
    ASSERT_TRUE(doc.allocate(20, 20));
    doc.kind = kDocumentCanvasKind;
    doc.lighting = true;
    for (std::uint32_t y = 0; y < 20; ++y)
        for (std::uint32_t x = 0; x < 20; ++x) {
            doc.at(x, y) = PaintCell{100, 150, 200, 20, 255, {0, 0, 0}, 4.0f};
        }
    doc.at(3, 3) = kBlankCell;
    renderAll(doc);
    useBrush(tools, brush(tools, kToolEyeDropper, 10, 1.0f), doc);

    picked += applyTool(tools, 3, 3, doc).pickedColour;  // white, unshaded
    EXPECT_EQ(tools.live.red, 255);
    EXPECT_EQ(tools.live.green, 255);
    EXPECT_EQ(tools.live.blue, 255);
    EXPECT_EQ(picked, 1);

    // Lit, shiny paint: the shaded colour on screen, not the stored one.
    picked += applyTool(tools, 12, 12, doc).pickedColour;
    const std::uint32_t shown = doc.surface.getPixel(12, 12);
    EXPECT_EQ(tools.live.red, redOf(shown));
    EXPECT_EQ(tools.live.green, greenOf(shown));
    EXPECT_EQ(tools.live.blue, blueOf(shown));
    EXPECT_NE(tools.live.red, 120);
    EXPECT_EQ(tools.stroke.red, 0);  // the stroke settings follow at the next move

    picked += applyTool(tools, -1, 40, doc).pickedColour;  // off the surface: black
    EXPECT_EQ(tools.live.red, 0);
    EXPECT_EQ(tools.live.green, 0);
    EXPECT_EQ(tools.live.blue, 0);

    // Off-screen canvases (the brush preview, thumbnails) are left alone.
    tools.live.red = 9;
    renderAll(canvas);
    picked += applyTool(tools, 3, 3, canvas).pickedColour;
    EXPECT_EQ(tools.live.red, 9);
    EXPECT_EQ(picked, 3);
}

TEST_F(ApplyToolTest, HandToolMovesOnlyForTheDocument) {
    useBrush(tools, brush(tools, kToolHand, 10, 1.0f), canvas);
    paintGround(canvas);
    const auto before = cellsOf(canvas);
    EXPECT_FALSE(applyTool(tools, 5, 5, canvas).handMove);
    canvas.kind = kDocumentCanvasKind;
    const ToolOutcome outcome = applyTool(tools, 5, 5, canvas);
    EXPECT_TRUE(outcome.handMove);
    EXPECT_TRUE(outcome.rendered.empty());
    EXPECT_TRUE(sameCells(canvas, before));
}

TEST_F(ApplyToolTest, CanvasWithoutCellsIsLeftAlone) {
    Canvas empty;
    for (const int id : {0, 1, 2, 5, 6, 7, 9, 10, 11, 13, 14, 15, 16, 17, 18}) {
        useBrush(tools, brush(tools, id, 10, 1.0f), empty);
        applyTool(tools, 5, 5, empty);
        EXPECT_FALSE(empty.hasCells());
    }
}

}  // namespace
}  // namespace sc::test
