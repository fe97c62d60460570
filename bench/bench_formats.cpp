// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and loading a 2000 x 2000 painting with varied paint, against the
// same five byte planes and the heights written as PNG files by libpng.
// Counters: "bytes" is the size on disk, "planeBytes" the part that holds the
// five byte planes (the rest is the heights). Also the whole thumbnail
// command a file manager runs on that painting, process start included, and
// Export Image of its rendered picture in each of the four formats.
#include <benchmark/benchmark.h>
#include <png.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/canvas.h"
#include "engine/renderer.h"
#include "formats/painting_file.h"
#include "formats/picture_export.h"

namespace sc {
namespace {

constexpr std::uint32_t kSide = 2000;

std::uint32_t hash(std::uint32_t x, std::uint32_t y) {
    std::uint32_t h = x * 374761393u + y * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// Smooth colour fields with edges, a noisy grain, shine in patches and a
// relief of overlapping strokes: what a worked painting looks like.
const Canvas& variedPainting() {
    static Canvas canvas;
    if (canvas.hasCells() && canvas.width == kSide) return canvas;
    canvas.allocate(kSide, kSide);
    for (std::uint32_t y = 0; y < kSide; ++y) {
        for (std::uint32_t x = 0; x < kSide; ++x) {
            PaintCell& c = canvas.at(x, y);
            const double u = x / 2000.0, v = y / 2000.0;
            const bool stroke = std::sin(u * 40 + std::sin(v * 9) * 3) > 0.3;
            c.red = static_cast<std::uint8_t>(stroke ? 180 + 60 * std::sin(v * 7) : 40 + 30 * u);
            c.green = static_cast<std::uint8_t>(stroke ? 90 + 50 * std::cos(u * 5) : 120 + 100 * v);
            c.blue = static_cast<std::uint8_t>(stroke ? 20 : 60 + 80 * std::sin((u + v) * 3));
            c.grain = static_cast<std::uint8_t>((hash(x, y) & 31) + (stroke ? 40 : 0));
            c.shine = stroke ? 255 : 0;
            c.height = stroke ? static_cast<float>(20.0 + 6.0 * std::sin(u * 300) * std::cos(v * 170)) : 0.0f;
        }
    }
    return canvas;
}

std::string benchDir() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "smudgecraft-bench";
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::uint64_t fileSize(const std::string& path) { return std::filesystem::file_size(path); }

void BM_SavePainting(benchmark::State& state) {
    const Canvas& c = variedPainting();
    const std::string path = benchDir() + "/varied.pai";
    for (auto _ : state) {
        if (!writePaintingFile(path, c)) state.SkipWithError("save failed");
    }
    state.counters["bytes"] = static_cast<double>(fileSize(path));
    state.counters["planeBytes"] = static_cast<double>(fileSize(path) - 80 - 4 * c.cellCount());
}

void BM_LoadPainting(benchmark::State& state) {
    const std::string path = benchDir() + "/varied.pai";
    if (!writePaintingFile(path, variedPainting())) {
        state.SkipWithError("the painting could not be written");
        return;
    }
    for (auto _ : state) {
        Canvas back;
        if (readPaintingFile(path, back) != PaintingLoadResult::kOk) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(back.cells());
    }
    state.counters["bytes"] = static_cast<double>(fileSize(path));
}

// The five byte planes as grey PNGs and the heights' bytes as an RGBA PNG.
std::vector<std::string> pngPaths() {
    std::vector<std::string> paths;
    for (const char* name : {"red", "green", "blue", "grain", "shine", "heights"}) {
        paths.push_back(benchDir() + "/" + name + ".png");
    }
    return paths;
}

bool writePngs(const Canvas& c) {
    const std::vector<std::string> paths = pngPaths();
    const std::size_t n = c.cellCount();
    std::vector<std::uint8_t> plane(n);
    const std::size_t offsets[5] = {offsetof(PaintCell, red), offsetof(PaintCell, green), offsetof(PaintCell, blue),
                                    offsetof(PaintCell, grain), offsetof(PaintCell, shine)};
    for (int p = 0; p < 5; ++p) {
        const auto* base = reinterpret_cast<const std::uint8_t*>(c.cells()) + offsets[p];
        for (std::size_t i = 0; i < n; ++i) plane[i] = base[i * sizeof(PaintCell)];
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = c.width;
        image.height = c.height;
        image.format = PNG_FORMAT_GRAY;
        if (!png_image_write_to_file(&image, paths[p].c_str(), 0, plane.data(), 0, nullptr)) return false;
    }
    std::vector<std::uint8_t> heights(n * 4);
    for (std::size_t i = 0; i < n; ++i) std::memcpy(&heights[i * 4], &c.cells()[i].height, 4);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = c.width;
    image.height = c.height;
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, paths[5].c_str(), 0, heights.data(), 0, nullptr) != 0;
}

bool readPngs(Canvas& into) {
    const std::vector<std::string> paths = pngPaths();
    if (!into.allocate(kSide, kSide)) return false;
    const std::size_t n = into.cellCount();
    std::vector<std::uint8_t> buffer(n * 4);
    const std::size_t offsets[5] = {offsetof(PaintCell, red), offsetof(PaintCell, green), offsetof(PaintCell, blue),
                                    offsetof(PaintCell, grain), offsetof(PaintCell, shine)};
    for (int p = 0; p < 6; ++p) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_file(&image, paths[p].c_str())) return false;
        image.format = p < 5 ? PNG_FORMAT_GRAY : PNG_FORMAT_RGBA;
        if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) return false;
        if (p < 5) {
            auto* base = reinterpret_cast<std::uint8_t*>(into.cells()) + offsets[p];
            for (std::size_t i = 0; i < n; ++i) base[i * sizeof(PaintCell)] = buffer[i];
        } else {
            for (std::size_t i = 0; i < n; ++i) std::memcpy(&into.cells()[i].height, &buffer[i * 4], 4);
        }
    }
    return true;
}

std::uint64_t pngBytes(bool planesOnly = false) {
    std::uint64_t total = 0;
    const std::vector<std::string> paths = pngPaths();
    for (std::size_t i = 0; i < (planesOnly ? 5 : paths.size()); ++i) total += fileSize(paths[i]);
    return total;
}

void BM_SavePng(benchmark::State& state) {
    const Canvas& c = variedPainting();
    for (auto _ : state) {
        if (!writePngs(c)) state.SkipWithError("png save failed");
    }
    state.counters["bytes"] = static_cast<double>(pngBytes());
    state.counters["planeBytes"] = static_cast<double>(pngBytes(true));
}

void BM_LoadPng(benchmark::State& state) {
    writePngs(variedPainting());
    for (auto _ : state) {
        Canvas back;
        if (!readPngs(back)) state.SkipWithError("png load failed");
        benchmark::DoNotOptimize(back.cells());
    }
    state.counters["bytes"] = static_cast<double>(pngBytes());
}

// smudgecraft-batch thumbnail varied.pai OUT.png 256, as a child process.
void BM_ThumbnailCommand(benchmark::State& state) {
    const std::string painting = benchDir() + "/varied.pai";
    const std::string picture = benchDir() + "/varied.png";
    if (!writePaintingFile(painting, variedPainting())) {
        state.SkipWithError("the painting could not be written");
        return;
    }
    std::vector<std::string> words = {SMUDGECRAFT_BATCH, "thumbnail", painting, picture, "256"};
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t child = 0;
        int status = -1;
        if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the thumbnail command failed");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(fileSize(picture));
}

// Export Image of the rendered painting; the argument picks the extension.
const char* const kExportNames[] = {"export.bmp", "export.png", "export.tif", "export.jpg"};

void BM_ExportPicture(benchmark::State& state) {
    static Canvas rendered;
    if (!rendered.hasCells()) {
        const Canvas& c = variedPainting();
        rendered.allocate(c.width, c.height);
        std::memcpy(rendered.cells(), c.cells(), c.cellCount() * sizeof(PaintCell));
        renderAll(rendered);
    }
    const std::string path = benchDir() + "/" + kExportNames[state.range(0)];
    state.SetLabel(kExportNames[state.range(0)]);
    for (auto _ : state) {
        if (!exportPicture(rendered.surface, path)) state.SkipWithError("export failed");
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

BENCHMARK(BM_SavePainting)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadPainting)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SavePng)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_LoadPng)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ThumbnailCommand)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
BENCHMARK(BM_ExportPicture)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace sc
