// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-canvas and brush-square rendering of canvases holding varied paint.
#include <benchmark/benchmark.h>

#include "engine/canvas.h"
#include "engine/renderer.h"
#include "varied_paint.h"

namespace {

void setUp(sc::Canvas& canvas, std::uint32_t side, bool highQuality) {
    canvas.allocate(side, side);
    canvas.highQuality = highQuality;
    canvas.lighting = true;
    sc::bench::paintVaried(canvas);
}

void BM_RenderAll(benchmark::State& state) {
    sc::Canvas canvas;
    setUp(canvas, static_cast<std::uint32_t>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        sc::renderAll(canvas);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(canvas.cellCount()));
}
BENCHMARK(BM_RenderAll)
    ->ArgNames({"side", "hq"})
    ->Args({600, 0})
    ->Args({600, 1})
    ->Args({2000, 0})
    ->Args({2000, 1})
    ->Args({4000, 0})
    ->Args({4000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_RenderRect200(benchmark::State& state) {
    sc::Canvas canvas;
    setUp(canvas, 600, state.range(0) != 0);
    for (auto _ : state) {
        sc::renderRect(canvas, 200, 200, 400, 400);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RenderRect200)->ArgName("hq")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The square a tool of radius 30 re-renders on every main-loop pass.
void BM_RenderBrushSquare(benchmark::State& state) {
    sc::Canvas canvas;
    setUp(canvas, 600, state.range(0) != 0);
    for (auto _ : state) {
        sc::renderRect(canvas, 270, 270, 331, 331);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RenderBrushSquare)->ArgName("hq")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The one-cell path, which the whole-canvas renders must agree with, for scale.
void BM_RenderCellByCell200(benchmark::State& state) {
    sc::Canvas canvas;
    setUp(canvas, 600, state.range(0) != 0);
    for (auto _ : state) {
        for (std::uint32_t x = 200; x < 400; ++x)
            for (std::uint32_t y = 200; y < 400; ++y) sc::renderCell(canvas, x, y);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RenderCellByCell200)->ArgName("hq")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
