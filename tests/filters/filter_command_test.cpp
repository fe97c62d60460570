// SPDX-License-Identifier: GPL-3.0-or-later
// Every filter as the menu runs it: found by name and id, one undo step each,
// and safe on paintings whose heights are NaN, infinite or huge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <string>

#include "app/filter_command.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "engine/renderer.h"
#include "engine/worker_pool.h"
#include "filter_test_support.h"
#include "filters/filter_table.h"
#include "tools/tool_state.h"

namespace sc {
namespace {

using test::cellOf;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A small rendered document of varied paint, with grain images to fill from.
class FilterCommand : public ::testing::Test {
protected:
    void SetUp() override {
        Canvas& doc = shell().painting.document;
        doc.allocate(4, 3);
        doc.kind = kDocumentCanvasKind;
        doc.lighting = true;
        for (std::uint32_t i = 0; i < doc.cellCount(); ++i)
            doc.cells()[i] = cellOf(static_cast<std::uint8_t>(i * 40), static_cast<std::uint8_t>(255 - i * 13),
                                    static_cast<std::uint8_t>(i * i), static_cast<std::uint8_t>(i * 20),
                                    static_cast<std::uint8_t>(i * 7), static_cast<float>(i) * 1.5f - 4.0f);
        renderAll(doc);
        ToolState& t = shell().tools;
        for (Surface* image : {&t.styleImages[t.live.paintStyle], &t.textureImages[t.live.texture]}) {
            image->create32(400, 400);
            for (std::uint32_t y = 0; y < 400; ++y)
                for (std::uint32_t x = 0; x < 400; ++x) image->setPixel(x, y, static_cast<std::uint8_t>(x * y), 0, 0);
        }
        shell().painting.undoValid = false;
        shell().painting.saved = true;
    }

    ShellState& shell() { return *state_; }
    std::unique_ptr<ShellState> state_ = std::make_unique<ShellState>();
};

TEST(FilterTable, SeventeenDistinctNamesAndMenuIds) {
    std::set<std::string> names;
    std::set<std::int32_t> ids;
    for (const FilterInfo& f : filterTable()) {
        names.insert(f.name);
        ids.insert(f.id);
        EXPECT_EQ(findFilter(std::string_view(f.name)), &f);
        EXPECT_EQ(findFilter(static_cast<std::int32_t>(f.id)), &f);
        EXPECT_TRUE(isFilterName(f.name));
    }
    EXPECT_EQ(names.size(), 17u);
    EXPECT_EQ(ids.size(), 17u);
    EXPECT_EQ(findFilter(std::string_view("clearCanvas"))->id, 1800);
    EXPECT_EQ(findFilter(std::string_view("flatten"))->id, 1810);
    EXPECT_EQ(findFilter(std::string_view("invertPaint"))->id, 1500);
    EXPECT_FALSE(isFilterName("Night"));
    EXPECT_FALSE(isFilterName(""));
    EXPECT_EQ(findFilter(1200), nullptr);  // Undo is not a filter
}

TEST_F(FilterCommand, EachFilterIsOneUndoStep) {
    for (const FilterInfo& f : filterTable()) {
        SCOPED_TRACE(f.name);
        SetUp();
        Canvas& doc = shell().painting.document;
        const auto before = test::cellsOf(doc);
        ASSERT_TRUE(runFilter(shell().painting, shell().tools, f.id));
        EXPECT_FALSE(doc.rendered);
        EXPECT_FALSE(shell().painting.saved);
        EXPECT_TRUE(shell().painting.undoValid);
        const auto after = test::cellsOf(doc);
        EXPECT_FALSE(test::sameCells(before, after));
        undo(shell().painting, shell().tools);
        EXPECT_TRUE(test::sameCells(test::cellsOf(doc), before));
        undo(shell().painting, shell().tools);
        EXPECT_TRUE(test::sameCells(test::cellsOf(doc), after));
    }
}

TEST_F(FilterCommand, UnknownIdDoesNothing) {
    const auto before = test::cellsOf(shell().painting.document);
    EXPECT_FALSE(runFilter(shell().painting, shell().tools, 1280));
    EXPECT_TRUE(shell().painting.saved);
    EXPECT_FALSE(shell().painting.undoValid);
    EXPECT_TRUE(test::sameCells(test::cellsOf(shell().painting.document), before));
}

// Meant above all for the sanitizer build: no conversion may be undefined.
TEST_F(FilterCommand, NonFiniteAndHugeHeightsPassThrough) {
    const float heights[] = {kNaN, kInf, -kInf, 3.0e38f, -3.0e38f, 2.5e9f};
    for (const FilterInfo& f : filterTable()) {
        SCOPED_TRACE(f.name);
        Canvas flat;
        flat.allocate(6, 1);
        for (std::uint32_t x = 0; x < 6; ++x) flat.at(x, 0) = cellOf(200, 100, 50, 30, 40, 0.0f);
        f.run(flat, shell().tools);

        Canvas& doc = shell().painting.document;
        doc.allocate(6, 1);
        for (std::uint32_t x = 0; x < 6; ++x) doc.at(x, 0) = cellOf(200, 100, 50, 30, 40, heights[x]);
        renderAll(doc);
        ASSERT_TRUE(runFilter(shell().painting, shell().tools, f.id));
        for (std::uint32_t x = 0; x < 6; ++x) {
            const PaintCell& c = doc.at(x, 0);
            if (f.id == kFilterDefenestrate) {
                EXPECT_EQ(c.red, 0) << x;  // the height's integer part does not fit
            } else if (f.id != kFilterSicken && f.id != kFilterFlatten) {
                // Only the relief may differ from a flat cell's result.
                const PaintCell& r = flat.at(x, 0);
                EXPECT_EQ(c.red, r.red) << x;
                EXPECT_EQ(c.green, r.green) << x;
                EXPECT_EQ(c.blue, r.blue) << x;
                EXPECT_EQ(c.grain, r.grain) << x;
                EXPECT_EQ(c.shine, r.shine) << x;
            }
        }
        renderAll(doc);  // and the renderer copes with what is left
    }
}

TEST_F(FilterCommand, EveryFilterGivesTheSameCellsOnAnyThreadCount) {
    // Large enough to be shared in bands, whose edges move with the count.
    Canvas& doc = shell().painting.document;
    doc.allocate(301, 233);
    for (std::uint32_t i = 0; i < doc.cellCount(); ++i)
        doc.cells()[i] = cellOf(static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(i * 13 + 5),
                                static_cast<std::uint8_t>(i / 301), static_cast<std::uint8_t>(i * 31 + i / 301),
                                static_cast<std::uint8_t>(i * 3), std::sin(static_cast<float>(i)) * 40.0f);
    renderAll(doc);
    const auto painting = test::cellsOf(doc);
    const std::uint32_t previous = sharingThreads();
    for (const FilterInfo& f : filterTable()) {
        std::vector<PaintCell> first;
        for (std::uint32_t threads : {1u, 3u, 7u}) {
            setSharingThreads(threads);
            std::copy(painting.begin(), painting.end(), doc.cells());
            ASSERT_TRUE(runFilter(shell().painting, shell().tools, f.id));
            EXPECT_TRUE(test::sameCells(test::cellsOf(shell().painting.undoCanvas), painting))
                << f.name << ", " << threads;
            if (first.empty()) first = test::cellsOf(doc);
            else EXPECT_TRUE(test::sameCells(test::cellsOf(doc), first)) << f.name << ", " << threads << " threads";
        }
    }
    setSharingThreads(previous);
}

TEST_F(FilterCommand, FilterOnACanvasWithoutCellsOnlyInvalidates) {
    Canvas canvas;
    canvas.rendered = true;
    for (const FilterInfo& f : filterTable()) f.run(canvas, shell().tools);
    EXPECT_FALSE(canvas.hasCells());
    EXPECT_FALSE(canvas.rendered);
}

}  // namespace
}  // namespace sc
