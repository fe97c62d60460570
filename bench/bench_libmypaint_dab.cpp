// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the fixed cost of one tool application: a soft round dab
// of radius 30 drawn by libmypaint on a fixed tiled surface of the size the
// tool benchmarks paint on, from the queued dab to the finished tiles. Built
// only when the library is found; the program itself never links it.
#include <benchmark/benchmark.h>

#include <mypaint-fixed-tiled-surface.h>
#include <mypaint-surface.h>

namespace {

constexpr int kSide = 600;  // as the tool benchmarks' canvas
constexpr float kCentre = 300.0f;

void BM_LibmypaintDabRadius(benchmark::State& state) {
    const float radius = static_cast<float>(state.range(0));
    MyPaintFixedTiledSurface* fixed = mypaint_fixed_tiled_surface_new(kSide, kSide);
    if (fixed == nullptr) {
        state.SkipWithError("libmypaint could not make its surface");
        return;
    }
    MyPaintSurface* surface = mypaint_fixed_tiled_surface_interface(fixed);
    auto dab = [&] {
        mypaint_surface_begin_atomic(surface);
        mypaint_surface_draw_dab(surface, kCentre, kCentre, radius, 0.8f, 0.2f, 0.1f, 0.5f, 0.5f, 1.0f, 1.0f, 0.0f,
                                 0.0f, 0.0f);
        MyPaintRectangle changed;
        mypaint_surface_end_atomic(surface, &changed);
        benchmark::DoNotOptimize(changed);
    };
    dab();  // the tiles under the dab exist before the timing
    for (auto _ : state) {
        dab();
        benchmark::ClobberMemory();
    }
    mypaint_surface_unref(surface);
}
BENCHMARK(BM_LibmypaintDabRadius)->Arg(30)->Arg(100)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
