// SPDX-License-Identifier: GPL-3.0-or-later
// Painting on a layer and rendering a layered painting, against the same on a
// painting of one layer: Tube Paint size 100 on layer 3 of 5 (the top layer
// of 1), and the whole render of a 2000 x 2000 painting of 1 or 5 layers;
// also stacking the five layers whole, which a layer command costs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "app/layers.h"
#include "app/painting.h"
#include "engine/renderer.h"
#include "tools/program_random.h"
#include "tools/tool_state.h"
#include "tools/tools.h"
#include "varied_paint.h"

namespace {

sc::Surface noise(std::uint32_t seed) {
    sc::Surface s;
    s.create32(400, 400);
    std::uint32_t state = seed;
    for (std::uint32_t y = 0; y < 400; ++y)
        for (std::uint32_t x = 0; x < 400; ++x) {
            state = state * 1103515245u + 12345u;
            s.setPixel(x, y, static_cast<std::uint8_t>(state >> 16), 0, 0);
        }
    return s;
}

struct LayeredGround {
    std::unique_ptr<sc::Painting> painting = std::make_unique<sc::Painting>();
    std::unique_ptr<sc::ToolState> tools = std::make_unique<sc::ToolState>();

    LayeredGround(std::uint32_t side, int layers) {
        sc::Painting& p = *painting;
        sc::ToolState& ts = *tools;
        p.document.allocate(side, side);
        p.document.kind = sc::kDocumentCanvasKind;
        p.document.highQuality = true;
        p.document.lighting = true;
        sc::bench::paintVaried(p.document);
        for (int i = 0; i < sc::kStyleCount; ++i) ts.styleImages[i] = noise(100 + i);
        for (int i = 0; i < sc::kTextureCount; ++i) ts.textureImages[i] = noise(200 + i);
        ts.live = sc::BrushSettings{};
        ts.live.tool = sc::kToolTubePaint;
        ts.live.size = 100;
        ts.live.texture = 3;
        ts.styleOffset = {17.0f, 23.0f};
        ts.textureOffset = {5.0f, 91.0f};
        // Every upper layer carries strokes of its own across the middle.
        for (int l = 1; l < layers; ++l) {
            sc::addLayer(p, ts);
            ts.live.red = static_cast<std::uint8_t>(40 * l);
            sc::strokeBegin(ts, p.document);
            sc::strokeMove(ts, p.document, 5, 0);
            for (std::uint32_t x = side / 4; x < side * 3 / 4; x += 25) {
                sc::applyToolToPainting(p, ts, static_cast<int>(x), static_cast<int>(side / 2 + 40 * l));
            }
            sc::strokeEnd(ts, p.document);
        }
        sc::selectLayer(p, static_cast<std::size_t>(std::min(2, layers - 1)));
        sc::renderAll(p.document);
    }
};

void BM_ToolApplicationOnLayer(benchmark::State& state) {
    LayeredGround g(2000, static_cast<int>(state.range(0)));
    sc::ToolState& ts = *g.tools;
    ts.random = sc::ProgramRandom{};
    sc::strokeBegin(ts, g.painting->document);
    sc::strokeMove(ts, g.painting->document, 5, 0);
    sc::applyToolToPainting(*g.painting, ts, 1000, 1000);  // builds the mask outside the timing
    for (auto _ : state) {
        sc::applyToolToPainting(*g.painting, ts, 1000, 1000);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ToolApplicationOnLayer)->ArgName("layers")->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_RenderLayers(benchmark::State& state) {
    LayeredGround g(static_cast<std::uint32_t>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        sc::renderAll(g.painting->document);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RenderLayers)
    ->ArgNames({"side", "layers"})
    ->Args({2000, 1})
    ->Args({2000, 5})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ComposeLayers(benchmark::State& state) {
    LayeredGround g(2000, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        sc::composeLayers(*g.painting);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeLayers)->ArgName("layers")->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
