// SPDX-License-Identifier: GPL-3.0-or-later
// One application of each tool at size 100 (a 200 x 200 square) and at size 30
// (60 x 60) on painted ground, including the renderRect each tool ends with;
// and a Smooth Strokes pass of a size-100 brush across 200 cells.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/canvas.h"
#include "engine/renderer.h"
#include "tools/program_random.h"
#include "tools/stroke_line.h"
#include "tools/tool_state.h"
#include "tools/tools.h"

namespace {

constexpr std::uint32_t kSide = 600;
constexpr int kCentre = 300;

sc::Surface noiseImage(std::uint32_t seed) {
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

// The document canvas with varied paint, rendered in high quality with
// lighting, and the grain images in place. Built once, copied per benchmark.
struct Ground {
    sc::Canvas canvas;
    std::vector<sc::PaintCell> cells;
    sc::ToolState tools;
    Ground() {
        canvas.allocate(kSide, kSide);
        canvas.kind = sc::kDocumentCanvasKind;
        canvas.highQuality = true;
        canvas.lighting = true;
        for (std::uint32_t y = 0; y < kSide; ++y)
            for (std::uint32_t x = 0; x < kSide; ++x) {
                sc::PaintCell& c = canvas.at(x, y);
                c.red = static_cast<std::uint8_t>(x * 7 + y);
                c.green = static_cast<std::uint8_t>(y * 5);
                c.blue = static_cast<std::uint8_t>(x ^ y);
                c.grain = static_cast<std::uint8_t>((x * 13 + y * 7) & 63);
                c.shine = (x / 37 + y / 41) % 3 == 0 ? 0 : 255;
                c.height = static_cast<float>(10.0 + 8.0 * std::sin(x * 0.05) * std::cos(y * 0.07));
            }
        cells.assign(canvas.cells(), canvas.cells() + canvas.cellCount());
        for (int i = 0; i < sc::kStyleCount; ++i) tools.styleImages[i] = noiseImage(100 + i);
        for (int i = 0; i < sc::kTextureCount; ++i) tools.textureImages[i] = noiseImage(200 + i);
    }
    void restore() {
        std::memcpy(canvas.cells(), cells.data(), cells.size() * sizeof(sc::PaintCell));
        sc::renderAll(canvas);
    }
};

Ground& ground() {
    static Ground g;
    return g;
}

void prepareBrush(int tool, int size) {
    sc::ToolState& ts = ground().tools;
    ts.live = sc::BrushSettings{};
    ts.live.tool = tool;
    ts.live.size = size;
    ts.live.strength = 0.5f;
    ts.live.texture = 3;
    ts.styleOffset = {17.0f, 23.0f};
    ts.textureOffset = {5.0f, 91.0f};
    ground().tools.random = sc::ProgramRandom{};
}

void applyRepeatedly(benchmark::State& state, int tool, int size) {
    Ground& g = ground();
    g.restore();
    prepareBrush(tool, size);
    sc::strokeBegin(ground().tools, g.canvas);
    sc::applyTool(ground().tools, kCentre, kCentre, g.canvas);  // builds the mask outside the timing
    for (auto _ : state) {
        sc::applyTool(ground().tools, kCentre, kCentre, g.canvas);
        benchmark::ClobberMemory();
    }
}

void BM_ToolApplication(benchmark::State& state, int tool) { applyRepeatedly(state, tool, 100); }
void BM_ToolApplicationSize30(benchmark::State& state, int tool) { applyRepeatedly(state, tool, 30); }

// The render share of every application above.
void BM_ToolRenderRectOnly(benchmark::State& state) {
    Ground& g = ground();
    g.restore();
    for (auto _ : state) {
        sc::renderRect(g.canvas, kCentre - 100, kCentre - 100, kCentre + 100, kCentre + 100);
        benchmark::ClobberMemory();
    }
}

// Building the size-100 mask for a new size or hardness, and rebuilding it
// for the same ones (once per pointer move when dynamics are on).
void BM_BuildMask100(benchmark::State& state) {
    prepareBrush(1, 100);
    ground().tools.stroke = ground().tools.live;
    for (auto _ : state) {
        ground().tools.mask.built = false;
        ground().tools.mask.weightsHardness = ground().tools.mask.profileHardness = 0;
        sc::buildMask(ground().tools);
        benchmark::ClobberMemory();
    }
}
void BM_RebuildMask100SameSize(benchmark::State& state) {
    prepareBrush(1, 100);
    ground().tools.stroke = ground().tools.live;
    for (auto _ : state) {
        ground().tools.mask.built = false;
        sc::buildMask(ground().tools);
        benchmark::ClobberMemory();
    }
}

// One main-loop pass with Smooth Strokes on after the pointer moved 200
// cells: eight applications of a size-100 brush (spacing 25), target 10 ms.
void BM_SmoothStrokePass200Cells(benchmark::State& state, int tool) {
    Ground& g = ground();
    g.restore();
    prepareBrush(tool, 100);
    sc::strokeBegin(ground().tools, g.canvas);
    sc::applyTool(ground().tools, kCentre - 100, kCentre, g.canvas);  // builds the mask outside the timing
    for (auto _ : state) {
        sc::ToolState& ts = ground().tools;
        for (const sc::LinePoint& p :
             sc::strokeLinePoints(kCentre - 100, kCentre, kCentre + 100, kCentre, ts.stroke.size, 1.0f)) {
            sc::applyTool(ts, p.x, p.y, g.canvas);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_SmoothStrokePass200Cells, paint_brush, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SmoothStrokePass200Cells, finger, 18)->Unit(benchmark::kMillisecond)->UseRealTime();

#define TOOL_BENCH(name, id)                                                                       \
    BENCHMARK_CAPTURE(BM_ToolApplication, name, id)->Unit(benchmark::kMicrosecond)->UseRealTime(); \
    BENCHMARK_CAPTURE(BM_ToolApplicationSize30, name, id)->Unit(benchmark::kMicrosecond)->UseRealTime()
TOOL_BENCH(tube_paint, 0);
TOOL_BENCH(paint_brush, 1);
TOOL_BENCH(eraser, 2);
TOOL_BENCH(spray_paint, 5);
TOOL_BENCH(sponge, 6);
TOOL_BENCH(fill_without_render, 7);
TOOL_BENCH(eye_dropper, 8);
TOOL_BENCH(gel_brush, 9);
TOOL_BENCH(brighten, 10);
TOOL_BENCH(darken, 11);
TOOL_BENCH(shine, 13);
TOOL_BENCH(matte, 14);
TOOL_BENCH(raise, 15);
TOOL_BENCH(lower, 16);
TOOL_BENCH(knife, 17);
TOOL_BENCH(finger, 18);
BENCHMARK(BM_ToolRenderRectOnly)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_BuildMask100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RebuildMask100SameSize)->Unit(benchmark::kMicrosecond);

}  // namespace
