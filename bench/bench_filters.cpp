// SPDX-License-Identifier: GPL-3.0-or-later
// Every whole-canvas filter as the menu runs it (undo snapshot included) on a
// 2000 x 2000 painting of varied paint. The painting is restored, untimed,
// before each run so that repeated runs do not drift (Deflate would otherwise
// sink the heights into subnormals, Inflate push them to infinity).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/filter_command.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "engine/canvas.h"
#include "engine/renderer.h"
#include "filters/filter_table.h"
#include "tools/tool_state.h"
#include "varied_paint.h"

namespace {

constexpr std::uint32_t kSide = 2000;

std::uint32_t nextRandom(std::uint32_t& state) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7FFF;
}

void makeGrainImage(sc::Surface& image, std::uint32_t seed) {
    image.create32(400, 400);
    for (std::uint32_t y = 0; y < 400; ++y)
        for (std::uint32_t x = 0; x < 400; ++x) {
            const auto v = static_cast<std::uint8_t>(nextRandom(seed));
            image.setPixel(x, y, v, v, v);
        }
}

// The program's state the filters run on, for the whole run.
sc::ShellState& shellState() {
    static sc::ShellState* state = new sc::ShellState;
    return *state;
}

// The document, rendered, plus the cells to restore before every run.
const std::vector<sc::PaintCell>& preparedDocument() {
    static const std::vector<sc::PaintCell> pristine = [] {
        sc::Canvas& doc = shellState().painting.document;
        doc.allocate(kSide, kSide);
        doc.kind = sc::kDocumentCanvasKind;
        doc.highQuality = true;
        doc.lighting = true;
        sc::bench::paintVaried(doc);
        sc::renderAll(doc);
        sc::ToolState& tools = shellState().tools;
        makeGrainImage(tools.styleImages[tools.live.paintStyle], 7);
        makeGrainImage(tools.textureImages[tools.live.texture], 11);
        tools.textureOffset = {37.0f, -12.0f};
        return std::vector<sc::PaintCell>(doc.cells(), doc.cells() + doc.cellCount());
    }();
    return pristine;
}

void BM_Filter(benchmark::State& state, sc::FilterId id) {
    const std::vector<sc::PaintCell>& pristine = preparedDocument();
    sc::Canvas& doc = shellState().painting.document;
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(pristine.begin(), pristine.end(), doc.cells());
        state.ResumeTiming();
        sc::runFilter(shellState().painting, shellState().tools, id);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(doc.cellCount()));
}

// The filter pass alone, without the snapshot.
void BM_FilterPassOnly(benchmark::State& state, sc::FilterId id) {
    const std::vector<sc::PaintCell>& pristine = preparedDocument();
    sc::Canvas& doc = shellState().painting.document;
    const sc::FilterInfo* filter = sc::findFilter(static_cast<std::int32_t>(id));
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(pristine.begin(), pristine.end(), doc.cells());
        state.ResumeTiming();
        filter->run(doc, shellState().tools);
        benchmark::ClobberMemory();
    }
}

// The snapshot alone, the part of every filter's time that is not the filter.
void BM_FilterUndoSnapshotOnly(benchmark::State& state) {
    preparedDocument();
    for (auto _ : state) {
        sc::takeUndoSnapshot(shellState().painting, shellState().tools, true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FilterUndoSnapshotOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

const int kRegistered = [] {
    for (const sc::FilterInfo& f : sc::filterTable())
        benchmark::RegisterBenchmark((std::string("BM_Filter/") + f.name).c_str(), BM_Filter, f.id)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    for (const sc::FilterInfo& f : sc::filterTable())
        benchmark::RegisterBenchmark((std::string("BM_FilterPassOnly/") + f.name).c_str(), BM_FilterPassOnly, f.id)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    return 0;
}();

}  // namespace
