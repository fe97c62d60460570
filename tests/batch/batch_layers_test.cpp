// SPDX-License-Identifier: GPL-3.0-or-later
// Layers through the batch tool: what a painter sees does not change when a
// layer is added, hidden or merged, paint on an empty layer looks as on the
// background, and a layered painting comes back from its file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "app/layers.h"
#include "app/painting.h"
#include "app/painting_io.h"
#include "engine/vector_path.h"
#include "support/run_batch.h"
#include "tools/brush_settings.h"
#include "tools/tool_state.h"
#include "tools/tools.h"

namespace sc::testing {
namespace {

// The largest difference of one channel of two BMP files' pixels.
int largestDifference(const std::string& a, const std::string& b) {
    const std::string x = readFileBytes(a), y = readFileBytes(b);
    EXPECT_EQ(x.size(), y.size());
    int most = 0;
    for (std::size_t i = 54; i < std::min(x.size(), y.size()); ++i) {
        most = std::max(most, std::abs(int(static_cast<unsigned char>(x[i])) - int(static_cast<unsigned char>(y[i]))));
    }
    return most;
}

std::string stroke(int tool, int red, int green, int blue, int size, const std::string& line) {
    return "settings tool=" + std::to_string(tool) + " red=" + std::to_string(red) + " green=" + std::to_string(green) +
           " blue=" + std::to_string(blue) + " size=" + std::to_string(size) + "\nbegin\nmove 5 0\napply-line " + line +
           "\nend\n";
}

void runScript(const std::string& script) {
    const BatchResult r = runBatch({"run", "-"}, script);
    ASSERT_EQ(r.status, 0) << r.err;
}

TEST(BatchLayers, AddingHidingAndMergingKeepThePicture) {
    TempDir dir;
    auto out = [&](const char* name) { return "render\nexport " + dir.path(name) + "\n"; };
    runScript("new 200 150\n" + stroke(0, 200, 40, 10, 20, "60 60 140 100") + out("ground.bmp") + "layer-add\n" +
              out("added.bmp") + stroke(0, 20, 40, 210, 15, "40 100 160 40") + out("painted.bmp") +
              "layer-visible 2 0\n" + out("hidden.bmp") + "layer-visible 2 1\nlayer-merge-down 2\n" +
              out("merged.bmp") + "save-raw " + dir.path("merged.pai") + "\n");
    const std::string ground = readFileBytes(dir.path("ground.bmp"));
    EXPECT_EQ(readFileBytes(dir.path("added.bmp")), ground) << "an empty layer shows nothing";
    EXPECT_NE(readFileBytes(dir.path("painted.bmp")), ground);
    EXPECT_EQ(readFileBytes(dir.path("hidden.bmp")), ground) << "hidden: as without the layer";
    EXPECT_EQ(readFileBytes(dir.path("merged.bmp")), readFileBytes(dir.path("painted.bmp")));
}

TEST(BatchLayers, StrokesOnAnEmptyLayerLookAsOnTheBackground) {
    TempDir dir;
    const std::string strokes =
        stroke(0, 200, 40, 10, 20, "30 30 170 120") + stroke(0, 20, 160, 60, 40, "170 20 30 130") +
        stroke(1, 90, 40, 200, 25, "20 75 180 75") + stroke(0, 250, 230, 0, 8, "100 10 100 140");
    runScript("new 200 150\n" + strokes + "render\nexport " + dir.path("background.bmp") + "\n");
    runScript("new 200 150\nlayer-add\n" + strokes + "render\nexport " + dir.path("layer.bmp") + "\n");
    EXPECT_LE(largestDifference(dir.path("background.bmp"), dir.path("layer.bmp")), 4);
}

// The bytes of a painting's document, its active layer's cells and coverage,
// and its work canvas.
std::vector<unsigned char> paintingBytes(const Painting& p) {
    std::vector<unsigned char> bytes;
    auto add = [&](const void* data, std::size_t size) {
        const auto* b = static_cast<const unsigned char*>(data);
        bytes.insert(bytes.end(), b, b + size);
    };
    const Layer& layer = p.layers.layers[p.layers.active];
    add(p.document.cells(), p.document.cellCount() * sizeof(PaintCell));
    add(layer.cells.get(), layer.cellCount() * sizeof(PaintCell));
    if (layer.coverage) add(layer.coverage.get(), layer.cellCount() * sizeof(float));
    add(p.layers.work.cells(), p.layers.work.cellCount() * sizeof(PaintCell));
    return bytes;
}

// Painting on a layer (whole and half-transparent) under a layer with paint
// in part of the picture (rows with and without paint above, cells with and without):
// what the tools leave is what stacking the layers anew gives, bit for bit,
// and the same on every vector path.
TEST(BatchLayers, PaintingUnderALayerIsTheStackMadeAnew) {
    std::vector<unsigned char> first;
    for (VectorPath path : {VectorPath::kScalar, VectorPath::kAvx2, VectorPath::kAvx512}) {
        if (!vectorPathAvailable(path)) continue;
        const VectorPath previous = setVectorPath(path);
        auto p = std::make_unique<Painting>();
        auto ts = std::make_unique<ToolState>();
        ASSERT_TRUE(p->document.allocate(150, 100));
        p->document.kind = kDocumentCanvasKind;
        auto line = [&](int tool, int size, std::uint8_t red, int x0, int y0, int x1, int y1) {
            ts->live.tool = tool;
            ts->live.shine = static_cast<std::uint8_t>(red / 2);
            ts->live.size = size;
            ts->live.red = red;
            ts->live.blue = static_cast<std::uint8_t>(255 - red);
            ts->mask.built = false;
            strokeBegin(*ts, p->document);
            strokeMove(*ts, p->document, 4, 1);
            for (int i = 0; i <= 12; ++i) {
                applyToolToPainting(*p, *ts, x0 + (x1 - x0) * i / 12, y0 + (y1 - y0) * i / 12);
            }
            strokeEnd(*ts, p->document);
        };
        line(kToolTubePaint, 20, 200, 10, 50, 140, 50);
        ASSERT_EQ(addLayer(*p, *ts), LayerError::kNone);
        line(kToolTubePaint, 15, 30, 20, 20, 130, 80);
        ASSERT_EQ(addLayer(*p, *ts), LayerError::kNone);
        line(kToolTubePaint, 15, 90, 75, 50, 125, 50);
        ASSERT_EQ(setLayerOpacity(*p, *ts, 2, 0.6f), LayerError::kNone);
        ASSERT_EQ(selectLayer(*p, 1), LayerError::kNone);
        // Over the layer's own paint, at full opacity and then at less.
        line(kToolTubePaint, 25, 0, 0, 0, 150, 100);
        line(kToolTubePaint, 25, 0, 0, 0, 150, 100);
        ASSERT_EQ(setLayerOpacity(*p, *ts, 1, 0.7f), LayerError::kNone);
        line(kToolTubePaint, 25, 250, 0, 0, 150, 100);
        line(kToolKnife, 18, 0, 150, 45, 0, 45);
        line(kToolFinger, 10, 0, 100, 0, 60, 100);
        line(kToolRaise, 14, 0, 30, 90, 140, 5);
        // Smooth paint, so that it has relief to raise: on the opaque ground
        // under the layers, then on the layer hidden.
        ts->live.texture = 0;
        ASSERT_EQ(selectLayer(*p, 0), LayerError::kNone);
        line(kToolTubePaint, 20, 120, 0, 100, 150, 0);
        line(kToolRaise, 14, 0, 140, 90, 10, 5);
        ASSERT_EQ(selectLayer(*p, 1), LayerError::kNone);
        ASSERT_EQ(setLayerVisible(*p, *ts, 1, false), LayerError::kNone);
        line(kToolTubePaint, 12, 60, 10, 90, 140, 10);
        line(kToolRaise, 14, 0, 30, 10, 140, 90);
        const std::vector<unsigned char> painted = paintingBytes(*p);
        composeLayers(*p);
        EXPECT_TRUE(paintingBytes(*p) == painted) << "path " << static_cast<int>(path);
        if (first.empty()) first = painted;
        EXPECT_TRUE(painted == first) << "path " << static_cast<int>(path);
        setVectorPath(previous);
    }
}

TEST(BatchLayers, LayeredPaintingComesBackFromItsFile) {
    TempDir dir;
    const std::string file = dir.path("layers.pai");
    runScript("new 120 90\n" + stroke(0, 200, 40, 10, 20, "20 20 100 70") + "layer-add Sketch\n" +
              stroke(0, 20, 40, 210, 10, "10 80 110 10") + "layer-opacity 2 0.5\nlayer-add Glaze\n" +
              stroke(0, 250, 250, 0, 30, "60 10 60 80") + "layer-add Hidden\n" + stroke(0, 0, 0, 0, 10, "0 0 120 90") +
              "layer-visible 4 0\nlayer-select 2\nrender\nexport " + dir.path("before.bmp") + "\nsave " + file + "\n");
    const BatchResult info = runBatch({"info", file});
    EXPECT_EQ(info.out, "version 3, 120 x 90\n");
    runScript("open " + file + "\nrender\nexport " + dir.path("after.bmp") + "\n");
    EXPECT_LE(largestDifference(dir.path("before.bmp"), dir.path("after.bmp")), 3);

    auto painting = std::make_unique<Painting>();
    auto tools = std::make_unique<ToolState>();
    ASSERT_TRUE(loadPainting(*painting, *tools, file));
    ASSERT_EQ(layerCount(*painting), 4u);
    EXPECT_EQ(activeLayer(*painting), 1u);
    const char* names[] = {"Background", "Sketch", "Glaze", "Hidden"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(layerName(*painting, i), names[i]);
        EXPECT_EQ(layerVisible(*painting, i), i != 3);
        EXPECT_EQ(layerOpacity(*painting, i), i == 1 ? 0.5f : 1.0f);
    }
}

TEST(BatchLayers, UndoSwapsLayerChanges) {
    TempDir dir;
    auto out = [&](const std::string& name) { return "render\nexport " + dir.path(name) + "\n"; };
    runScript("new 200 150\n" + stroke(0, 200, 40, 10, 20, "60 60 140 100") + out("ground.bmp") +
              "layer-add\nsnapshot\n" + stroke(0, 20, 40, 210, 15, "40 100 160 40") + out("painted.bmp") + "undo\n" +
              out("unpainted.bmp") + "undo\nlayer-delete 2\n" + out("deleted.bmp") + "undo\n" + out("restored.bmp") +
              "filter invertColours\nresample 300 200\n" + out("resized.bmp") + "undo\n" + out("undone.bmp"));
    const std::string painted = readFileBytes(dir.path("painted.bmp"));
    EXPECT_EQ(readFileBytes(dir.path("unpainted.bmp")), readFileBytes(dir.path("ground.bmp")));
    EXPECT_EQ(readFileBytes(dir.path("deleted.bmp")), readFileBytes(dir.path("ground.bmp")));
    EXPECT_EQ(readFileBytes(dir.path("restored.bmp")), painted);
    // The filter's copy of one layer is not swapped into layers of another size.
    EXPECT_EQ(readFileBytes(dir.path("undone.bmp")), readFileBytes(dir.path("resized.bmp")));
}

TEST(BatchLayers, StepsGoBackAndForthThroughLayerChanges) {
    TempDir dir;
    auto out = [&](const std::string& name) { return "render\nexport " + dir.path(name) + ".bmp\n"; };
    // Each change, with "snapshot" where a script makes a step of a stroke.
    const std::vector<std::string> changes = {
        "snapshot\n" + stroke(0, 200, 40, 10, 20, "60 60 140 100"),
        "layer-add Glaze\n",
        "snapshot\n" + stroke(0, 20, 40, 210, 15, "40 100 160 40"),
        "layer-opacity 2 0.5\n",
        "filter invertColours\n",
        // Painting another layer than the filter's is a step of its own.
        "layer-select 1\n" + stroke(0, 90, 200, 40, 10, "20 20 180 130"),
        "resample 160 120\n",
        "layer-duplicate 2\n",
        "layer-move 3 1\n",
        "layer-delete 1\n",
        "layer-delete 2\n",
    };
    std::string script = "new 200 150\n" + out("seen0");
    for (std::size_t i = 0; i < changes.size(); ++i) script += changes[i] + out("seen" + std::to_string(i + 1));
    for (std::size_t i = changes.size(); i > 0; --i) script += "step-back\n" + out("back" + std::to_string(i - 1));
    for (std::size_t i = 1; i <= changes.size(); ++i) script += "step-forward\n" + out("forth" + std::to_string(i));
    runScript(script);
    for (std::size_t i = 0; i <= changes.size(); ++i) {
        const std::string seen = readFileBytes(dir.path("seen" + std::to_string(i) + ".bmp"));
        // Compared whole, so a failure names the step and not the bytes.
        if (i < changes.size()) {
            EXPECT_TRUE(readFileBytes(dir.path("back" + std::to_string(i) + ".bmp")) == seen) << i;
        }
        if (i > 0) {
            EXPECT_TRUE(readFileBytes(dir.path("forth" + std::to_string(i) + ".bmp")) == seen) << i;
        }
    }
}

TEST(BatchLayers, OneLayerSavesAsBeforeAndBadCommandsStop) {
    TempDir dir;
    const std::string paint = "new 40 30\n" + stroke(0, 200, 40, 10, 8, "5 5 35 25");
    runScript(paint + "save " + dir.path("plain.pai") + "\nlayer-add\n" + stroke(0, 9, 9, 9, 8, "0 0 40 30") +
              "layer-delete 2\nsave " + dir.path("again.pai") + "\n");
    EXPECT_EQ(readFileBytes(dir.path("again.pai")), readFileBytes(dir.path("plain.pai")))
        << "back to one layer, the file is the version 2 file of before";

    for (const char* bad : {"layer-select 3", "layer-visible 0 1", "layer-opacity 2 1.5", "layer-merge-down 1",
                            "layer-move 1 3", "layer-visible 2 2", "layer-duplicate x"}) {
        const BatchResult r = runBatch({"run", "-"}, paint + "layer-add\n" + bad + "\n");
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("line 8:"), std::string::npos) << bad << ": " << r.err;
    }
    BatchResult last = runBatch({"run", "-"}, paint + "layer-delete 1\n");
    EXPECT_EQ(last.status, 1);
    EXPECT_NE(last.err.find(kLastLayerText), std::string::npos) << last.err;
    std::string many = paint;
    for (int i = 0; i < 31; ++i) many += "layer-add\n";
    runScript(many);
    BatchResult full = runBatch({"run", "-"}, many + "layer-add\n");
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find(kTooManyLayersText), std::string::npos) << full.err;
}

}  // namespace
}  // namespace sc::testing
