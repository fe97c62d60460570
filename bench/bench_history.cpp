// SPDX-License-Identifier: GPL-3.0-or-later
// The history on a 2000 x 2000 painting of varied paint:
// - BM_HistoryStep/stroke: Step Backward (or Forward) over the step of one
//   size-30 Paint Brush stroke 200 cells long. Target: 3 ms, one pass.
//   Counter step_bytes: the memory the history holds for that step.
// - BM_HistoryStep/filter: the same over the step of a whole-canvas filter
//   (Invert Colours). Target: 60 ms.
// Each timed step is followed, untimed, by the step the other way, so every
// run starts from the same painting.
// - BM_LayeredPress: a press on the upper of two layers of a 2000 x 2000
//   painting (its undo copy and history step) and a short size-30 stroke of
//   five applications: what a painter waits for at the start of a stroke.
#include <benchmark/benchmark.h>

#include "app/filter_command.h"
#include "app/layers.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "engine/canvas.h"
#include "engine/renderer.h"
#include "filters/filter_table.h"
#include "tools/tool_state.h"
#include "tools/tools.h"
#include "varied_paint.h"

namespace {

constexpr std::uint32_t kSide = 2000;

// A program state holding a fresh rendered painting and an empty history.
sc::ShellState& freshState() {
    static sc::ShellState* state = nullptr;
    delete state;
    state = new sc::ShellState;
    sc::ShellState& s = *state;
    s.painting.document.allocate(kSide, kSide);
    s.painting.document.kind = sc::kDocumentCanvasKind;
    s.painting.document.highQuality = true;
    s.painting.document.lighting = true;
    sc::bench::paintVaried(s.painting.document);
    sc::renderAll(s.painting.document);
    sc::takeUndoSnapshot(s.painting, s.tools, true);
    s.painting.history.clear();
    s.writeHook.install(s.painting, s.tools);
    return s;
}

// One stroke as the canvas window makes it: the press's snapshot, then the
// tool applied every 4 cells along 200 cells.
void paintStroke(sc::ShellState& s) {
    sc::ToolState& t = s.tools;
    t.live.tool = sc::kToolPaintBrush;
    t.live.size = 30;
    t.mask.built = false;
    sc::takeStrokeSnapshot(s.painting, s.tools);
    sc::strokeBegin(s.tools, s.painting.document);
    for (int x = 900; x <= 1100; x += 4) {
        sc::strokeMove(s.tools, s.painting.document, -4, 0);
        sc::applyTool(s.tools, x, 1000, s.painting.document);
    }
    sc::strokeEnd(s.tools, s.painting.document);
}

void BM_HistoryStep(benchmark::State& state) {
    sc::ShellState& s = freshState();
    const bool filter = state.range(0) == 1;
    const bool backward = state.range(1) == 0;
    const std::uint64_t before = s.painting.history.bytes();
    if (filter) {
        sc::runFilter(s.painting, s.tools, sc::kFilterInvertColours);
    } else {
        paintStroke(s);
    }
    s.painting.history.close();
    state.counters["step_bytes"] = static_cast<double>(s.painting.history.bytes() - before);
    if (!backward) sc::stepBackward(s.painting, s.tools);
    for (auto _ : state) {
        benchmark::DoNotOptimize(backward ? sc::stepBackward(s.painting, s.tools)
                                          : sc::stepForward(s.painting, s.tools));
        state.PauseTiming();
        backward ? sc::stepForward(s.painting, s.tools) : sc::stepBackward(s.painting, s.tools);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HistoryStep)
    ->ArgNames({"filter", "forward"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_LayeredPress(benchmark::State& state) {
    sc::ShellState& s = freshState();
    sc::addLayer(s.painting, s.tools);
    sc::ToolState& t = s.tools;
    t.live.tool = sc::kToolPaintBrush;
    t.live.size = 30;
    t.mask.built = false;
    for (auto _ : state) {
        sc::takeStrokeSnapshot(s.painting, s.tools);
        sc::strokeBegin(s.tools, s.painting.document);
        for (int x = 1000; x < 1020; x += 4) {
            sc::strokeMove(s.tools, s.painting.document, -4, 0);
            benchmark::DoNotOptimize(sc::applyToolToPainting(s.painting, s.tools, x, 1000));
        }
        sc::strokeEnd(s.tools, s.painting.document);
    }
}
BENCHMARK(BM_LayeredPress)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
