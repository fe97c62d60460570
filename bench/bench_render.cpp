// Whole-canvas and brush-square rendering of canvases holding varied paint.
#include <benchmark/benchmark.h>

#include <cmath>

#include "engine/canvas.h"
#include "engine/renderer.h"

namespace {

// Deterministic varied paint: colour gradients, grain noise, mixed shine and
// rolling heights, so every path of the renderer is exercised.
void paintVaried(sc::Canvas& canvas) {
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7FFF;
    };
    for (std::uint32_t y = 0; y < canvas.height; ++y) {
        for (std::uint32_t x = 0; x < canvas.width; ++x) {
            sc::PaintCell& c = canvas.at(x, y);
            c.red = static_cast<std::uint8_t>(x * 7 + y);
            c.green = static_cast<std::uint8_t>(y * 5);
            c.blue = static_cast<std::uint8_t>(x ^ y);
            c.grain = static_cast<std::uint8_t>(next() & 63);
            c.shine = (x / 37 + y / 41) % 3 == 0 ? 0 : 255;
            c.height = static_cast<float>(10.0 * std::sin(x * 0.05) * std::cos(y * 0.07) + (next() & 7));
        }
    }
}

void setUp(sc::Canvas& canvas, std::uint32_t side, bool highQuality) {
    canvas.allocate(side, side);
    canvas.highQuality = highQuality;
    canvas.lighting = true;
    paintVaried(canvas);
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
