// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas view through the program's own paint path, on the headless
// desktop: the bench draws what a desktop would, the part of the canvas
// window visible in a 1600 x 1000 document area.
// - BM_ViewRedraw: the whole canvas window out of date (after a render or a
//   zoom change), the Paint message handled, the visible part drawn. Target:
//   3 ms at every zoom.
// - BM_PaintingPass: one main-loop pass of a Paint Brush stroke at 400 %
//   (tool application, brush square invalidated and painted at once), then
//   the changed square drawn. Target: well inside a 6 ms pass.
// - BM_PressPass: the pass that takes a press (with its undo snapshot) and
//   the first painting pass after it, Paint Brush size 30 at 400 %; the
//   longer of the two is reported. Target: 6 ms. afterFilter:1 runs a
//   filter before each press, on a history that has dropped no whole step
//   yet (the press then takes the storage made for it while the painter
//   moved, 100 ms).
// - BM_PaintingPassDuringAutosave: the same passes at 100 % on a 2000 x 2000
//   painting while autosaves run back to back (the cells copied a band a
//   pass, the copy written on the autosave's own thread); autosave:0 runs
//   the same passes without autosaves, for the machine's own noise.
//   Counters: the longest pass, the 99th percentile and the median, over all
//   passes and over those that copied a band (also the longest in processor
//   time of the loop's thread, which a busy machine does not inflate), and
//   the autosaves finished.
//   Target: no pass above 6 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/autosave.h"
#include "app/filter_command.h"
#include "app/history.h"
#include "app/shell_state.h"
#include "engine/renderer.h"
#include "filters/filter_table.h"
#include "platform/drawing.h"
#include "platform/test_queries.h"
#include "platform/platform_headless.h"
#include "shell/canvas_view.h"
#include "shell/main_loop.h"
#include "shell/program.h"
#include "shell/start_up.h"
#include "tools/tool_state.h"
#include "varied_paint.h"

namespace {

namespace hl = sc::platform::headless;
using sc::platform::Rect;

constexpr int kViewWidth = 1600;
constexpr int kViewHeight = 1000;
constexpr float kZooms[] = {0.25f, 0.5f, 1.0f, 2.0f, 3.0f, 4.0f};

// The program, started once in a private directory, on a desktop whose
// document area shows 1600 x 1000 pixels of the canvas window at (90, 10).
sc::Program& startProgram() {
    static sc::Program* program = nullptr;
    if (program) return *program;
    program = new sc::Program;
    const bool started = [] {
        char pattern[] = "/tmp/sc-bench-view-XXXXXX";
        const char* dir = mkdtemp(pattern);
        if (!dir || chdir(dir) != 0) std::abort();
        setenv("XDG_DATA_HOME", (std::string(dir) + "/xdg").c_str(), 1);
        hl::setEchoMessages(false);
        hl::setDesktopArea({0, 0, sc::kCanvasWindowX + kViewWidth, sc::kCanvasWindowY + kViewHeight});
        return sc::startUp(*program, "") == sc::StartResult::Running;
    }();
    if (!started) std::abort();
    return *program;
}

void drainMessages() {
    sc::platform::Message m;
    while (sc::platform::peekMessage(m)) sc::platform::dispatchMessage(m);
}

// A painting of varied paint, rendered, shown at the zoom; its first picture drawn.
void showPainting(std::uint32_t width, std::uint32_t height, float zoom) {
    sc::Program& program = startProgram();
    sc::ShellState& s = program.state;
    if (s.painting.document.width != width || s.painting.document.height != height) {
        sc::newImage(program, width, height);
        sc::bench::paintVaried(s.painting.document);
    }
    sc::renderAll(s.painting.document);
    s.painting.document.rendered = true;
    s.view.zoom = zoom;
    sc::recreateCanvasWindow(program);
    drainMessages();
    hl::takeChangedPart(s.windows.canvas);
}

// The part of the canvas window the document area shows.
Rect visiblePart() {
    const sc::ShellState& s = startProgram().state;
    const Rect area = sc::platform::clientRect(s.windows.documentArea);
    const sc::platform::Point at = sc::platform::windowPosition(s.windows.canvas);
    const Rect window = sc::platform::clientRect(s.windows.canvas);
    return {std::max(window.left, area.left - at.x), std::max(window.top, area.top - at.y),
            std::min(window.right, area.right - at.x), std::min(window.bottom, area.bottom - at.y)};
}

// What the desktop does with a changed part: draws its visible share.
void drawChangedPart(std::vector<std::uint32_t>& screen) {
    const sc::platform::WindowId canvas = startProgram().state.windows.canvas;
    const Rect changed = hl::takeChangedPart(canvas);
    const Rect view = visiblePart();
    const Rect part{std::max(changed.left, view.left), std::max(changed.top, view.top),
                    std::min(changed.right, view.right), std::min(changed.bottom, view.bottom)};
    if (part.empty()) return;
    sc::platform::windowPixels(canvas, part, screen.data(), kViewWidth);
}

void BM_ViewRedraw(benchmark::State& state) {
    const float zoom = kZooms[state.range(2)];
    showPainting(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)), zoom);
    const sc::platform::WindowId canvas = startProgram().state.windows.canvas;
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(kViewWidth) * kViewHeight);
    for (auto _ : state) {
        sc::platform::invalidateWindow(canvas);
        sc::platform::updateWindow(canvas);
        drawChangedPart(screen);
        benchmark::DoNotOptimize(screen.data());
    }
    state.counters["zoom%"] = zoom * 100.0f;
}
BENCHMARK(BM_ViewRedraw)
    ->ArgNames({"w", "h", "zoom"})
    ->ArgsProduct({{2000}, {2000}, {0, 1, 2, 3, 4, 5}})
    ->ArgsProduct({{6000}, {4000}, {0, 1, 2, 3, 4, 5}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A Paint Brush stroke begun on the painting shown at the zoom.
sc::platform::WindowId beginStroke(std::uint32_t width, std::uint32_t height, float zoom) {
    showPainting(width, height, zoom);
    sc::ToolState& t = startProgram().state.tools;
    t.live.tool = sc::kToolPaintBrush;
    t.live.size = 30;
    t.live.texture = 0;
    const sc::platform::WindowId canvas = startProgram().state.windows.canvas;
    hl::postPointer(canvas, sc::platform::MessageKind::MouseMove, 400, 300);
    hl::postPointer(canvas, sc::platform::MessageKind::LeftDown, 400, 300);
    drainMessages();
    return canvas;
}

// The next pointer move of the stroke: back and forth along a line inside
// the visible part.
void moveStroke(sc::platform::WindowId canvas, int& step) {
    const int x = 400 + (step < 200 ? step : 400 - step) * 4;
    step = (step + 1) % 400;
    hl::postPointer(canvas, sc::platform::MessageKind::MouseMove, x, 300 + step % 7);
}

void endStroke(sc::platform::WindowId canvas) {
    hl::postPointer(canvas, sc::platform::MessageKind::LeftUp, 400, 300);
    drainMessages();
}

void BM_PaintingPass(benchmark::State& state) {
    const sc::platform::WindowId canvas =
        beginStroke(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)), 4.0f);
    sc::Program& program = startProgram();
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(kViewWidth) * kViewHeight);
    int step = 0;
    for (auto _ : state) {
        moveStroke(canvas, step);
        sc::mainLoopPass(program);
        drawChangedPart(screen);
        benchmark::DoNotOptimize(screen.data());
    }
    endStroke(canvas);
}
void BM_PressPass(benchmark::State& state) {
    showPainting(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)), 4.0f);
    sc::Program& program = startProgram();
    sc::ToolState& t = program.state.tools;
    t.live.tool = sc::kToolPaintBrush;
    t.live.size = 30;
    t.live.texture = 0;
    const sc::platform::WindowId canvas = program.state.windows.canvas;
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(kViewWidth) * kViewHeight);
    using Clock = std::chrono::steady_clock;
    auto timedPass = [&] {
        const Clock::time_point start = Clock::now();
        sc::mainLoopPass(program);
        drawChangedPart(screen);
        benchmark::DoNotOptimize(screen.data());
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    // A first stroke, untimed, as in a painting session: the undo copy of a
    // painting just made is taken whole once.
    hl::postPointer(canvas, sc::platform::MessageKind::LeftDown, 300, 200);
    sc::mainLoopPass(program);
    hl::postPointer(canvas, sc::platform::MessageKind::LeftUp, 300, 200);
    drainMessages();
    const bool afterFilter = state.range(2) != 0;
    int step = 0;
    for (auto _ : state) {
        // Strokes side by side along a line inside the visible part.
        const int x = 400 + (step % 100) * 8;
        const int y = 300 + (step / 100 % 50) * 8;
        ++step;
        if (afterFilter) {
            // Early in a session: a history with no whole step dropped yet,
            // a filter, and the painter's move to the next stroke.
            program.state.painting.history = sc::History{};
            sc::runFilter(program.state.painting, program.state.tools, sc::kFilterInvertColours);
            sc::mainLoopPass(program);  // the filtered painting rendered and shown
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        hl::postPointer(canvas, sc::platform::MessageKind::MouseMove, x, y);
        drainMessages();
        hl::postPointer(canvas, sc::platform::MessageKind::LeftDown, x, y);
        const double press = timedPass();
        hl::postPointer(canvas, sc::platform::MessageKind::MouseMove, x + 4, y);
        const double paint = timedPass();
        state.SetIterationTime(std::max(press, paint));
        hl::postPointer(canvas, sc::platform::MessageKind::LeftUp, x + 4, y);
        drainMessages();
    }
}
BENCHMARK(BM_PressPass)
    ->ArgNames({"w", "h", "afterFilter"})
    ->Args({2000, 2000, 0})
    ->Args({6000, 4000, 0})
    ->Args({2000, 2000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

BENCHMARK(BM_PaintingPass)
    ->ArgNames({"w", "h"})
    ->Args({2000, 2000})
    ->Args({6000, 4000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Processor time of the calling thread, in milliseconds: a pass's own work
// without the time other processes had the processor.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void BM_PaintingPassDuringAutosave(benchmark::State& state) {
    const sc::platform::WindowId canvas = beginStroke(2000, 2000, 1.0f);
    sc::Program& program = startProgram();
    sc::Autosave& autosave = program.autosave;
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(kViewWidth) * kViewHeight);
    std::vector<double> all;
    std::vector<double> copying;
    std::vector<double> copyingCpu;  // the main thread's own processor time
    int finished = 0;
    int step = 0;
    const bool autosaving = state.range(0) != 0;
    for (auto _ : state) {
        if (autosaving && !sc::autosaveBusy(autosave)) {
            finished += autosave.onDisk ? 1 : 0;
            autosave.dueAt = 0.0L;  // the next autosave begins in this pass
        }
        const bool copyingBefore = autosave.copying;
        moveStroke(canvas, step);
        const auto begin = std::chrono::steady_clock::now();
        const double cpuBegin = threadCpuMs();
        sc::mainLoopPass(program);
        drawChangedPart(screen);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
        all.push_back(ms);
        if (copyingBefore || autosave.copying) {
            copying.push_back(ms);
            copyingCpu.push_back(threadCpuMs() - cpuBegin);
        }
        benchmark::DoNotOptimize(screen.data());
    }
    endStroke(canvas);
    // The last write finishes before the next benchmark.
    autosave.dueAt = 1e18L;
    while (sc::autosaveBusy(autosave)) sc::mainLoopPass(program);
    // The pass at a fraction of the way from the shortest to the longest.
    auto at = [](std::vector<double> v, double fraction) {
        if (v.empty()) return 0.0;
        const auto k = static_cast<std::ptrdiff_t>(fraction * static_cast<double>(v.size() - 1));
        std::nth_element(v.begin(), v.begin() + k, v.end());
        return v[static_cast<std::size_t>(k)];
    };
    state.counters["max_ms"] = at(all, 1.0);
    state.counters["p99_ms"] = at(all, 0.99);
    state.counters["median_ms"] = at(all, 0.5);
    state.counters["copy_max_ms"] = at(copying, 1.0);
    state.counters["copy_p99_ms"] = at(copying, 0.99);
    state.counters["copy_median_ms"] = at(copying, 0.5);
    state.counters["copy_cpu_max_ms"] = at(copyingCpu, 1.0);
    state.counters["copy_passes"] = static_cast<double>(copying.size());
    state.counters["autosaves"] = finished;
}
BENCHMARK(BM_PaintingPassDuringAutosave)
    ->ArgName("autosave")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(40000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
