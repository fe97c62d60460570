// SPDX-License-Identifier: GPL-3.0-or-later
#include "seed_corpora.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "engine/canvas.h"
#include "engine/surface.h"
#include "formats/bmp_writer.h"
#include "formats/channel_codec.h"
#include "formats/data_file.h"
#include "formats/jgi_file.h"
#include "engine/layer.h"
#include "formats/painting_file.h"
#include "formats/painting_v1.h"
#include "formats/raw_layers_file.h"
#include "formats/prefs_file.h"
#include "formats/preset_lists.h"
#include "formats/picture_writers.h"
#include "formats/test_pictures.h"

namespace sc::fuzz {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool writeAll(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// A file made by `make` at `path`, then also kept cut to half its length.
template <typename Make>
bool withHalf(const fs::path& path, Make make) {
    if (!make(path.string())) return false;
    const std::string whole = readAll(path);
    fs::path half = path;
    half += ".half";
    return writeAll(half, whole.substr(0, whole.size() / 2));
}

void paintVaried(Canvas& canvas) {
    for (std::uint32_t y = 0; y < canvas.height; ++y) {
        for (std::uint32_t x = 0; x < canvas.width; ++x) {
            PaintCell& c = canvas.at(x, y);
            c.red = static_cast<std::uint8_t>(x * 37 + y);
            c.green = static_cast<std::uint8_t>(y * 11);
            c.blue = static_cast<std::uint8_t>(x ^ y);
            c.grain = static_cast<std::uint8_t>(x * y);
            c.shine = static_cast<std::uint8_t>(255 - x);
            c.height = static_cast<float>(x) * 0.5f - static_cast<float>(y);
        }
    }
    if (canvas.cellCount() > 2) {
        canvas.cells()[0].height = std::numeric_limits<float>::quiet_NaN();
        canvas.cells()[1].height = std::numeric_limits<float>::infinity();
    }
}

bool channelSeeds(const fs::path& dir) {
    struct Shape {
        std::uint32_t width, height;
        std::int32_t shift;
    };
    int n = 0;
    for (const Shape s : {Shape{1, 1, 3}, Shape{4, 4, 0}, Shape{7, 5, 3}, Shape{16, 9, 5}, Shape{33, 20, 8}}) {
        std::string plane(static_cast<std::size_t>(s.width) * s.height, '\0');
        for (std::size_t i = 0; i < plane.size(); ++i) plane[i] = static_cast<char>(i * 29 % 251);
        const fs::path body = dir / ("coded" + std::to_string(n) + ".tmp");
        DataFile file;
        if (!file.open(body.string(), DataFile::kWrite)) return false;
        if (encodeChannel(file, reinterpret_cast<const std::uint8_t*>(plane.data()), s.width, s.height, s.shift) !=
                CodecResult::kOk ||
            !file.close()) {
            return false;
        }
        std::string seed;
        seed.push_back(static_cast<char>(s.width - 1));
        seed.push_back(static_cast<char>(s.height - 1));
        seed.push_back(static_cast<char>(s.shift));
        seed += readAll(body);
        fs::remove(body);
        if (!writeAll(dir / ("channel" + std::to_string(n++)), seed)) return false;
    }
    return true;
}

bool paintingSeeds(const fs::path& dir) {
    int n = 0;
    for (const auto& [w, h] : {std::pair{1u, 1u}, std::pair{5u, 3u}, std::pair{16u, 16u}, std::pair{37u, 21u}}) {
        Canvas canvas;
        if (!canvas.allocate(w, h)) return false;
        paintVaried(canvas);
        const std::string id = std::to_string(n++);
        if (!withHalf(dir / ("v2_" + id), [&](const std::string& p) { return writePaintingFile(p, canvas); }) ||
            !withHalf(dir / ("v1_" + id), [&](const std::string& p) { return writeRawPainting(canvas, p); })) {
            return false;
        }
        // The same cells as the background of a painting of layers, with a
        // half covering, half transparent layer of its own above.
        std::vector<Layer> layers(2);
        if (!allocateLayer(layers[0], w, h, true) || !allocateLayer(layers[1], w, h, false)) return false;
        for (std::size_t i = 0; i < canvas.cellCount(); ++i) {
            layers[0].cells[i] = canvas.cells()[i];
            layers[1].cells[i] = canvas.cells()[canvas.cellCount() - 1 - i];
            layers[1].coverage[i] = (i % 3) * 0.5f;
        }
        layers[0].name = "Background";
        layers[1].name = "Glaze";
        layers[1].opacity = 0.75f;
        if (!withHalf(dir / ("v3_" + id),
                      [&](const std::string& p) { return writeLayeredPaintingFile(p, w, h, layers, 1); })) {
            return false;
        }
        // The same layers raw, as the autosave writes them.
        std::vector<RawLayerEntry> table;
        std::string data;
        for (const Layer& layer : layers) {
            table.push_back({layer.name, layer.visible, layer.opacity, layer.opaque()});
            data.append(reinterpret_cast<const char*>(layer.cells.get()), layer.cellCount() * sizeof(PaintCell));
            if (!layer.opaque()) {
                data.append(reinterpret_cast<const char*>(layer.coverage.get()), layer.cellCount() * sizeof(float));
            }
        }
        const std::vector<std::byte> head = rawLayersHead(w, h, table, 1);
        if (!withHalf(dir / ("raw_layers_" + id), [&](const std::string& p) {
                return writeRawLayersFile(p, head, table, w, h, reinterpret_cast<const std::byte*>(data.data()));
            })) {
            return false;
        }
    }
    // Headers alone: an empty version 1 canvas, version 3 and a later version.
    for (const std::uint32_t version : {1u, 3u, 9u}) {
        std::uint8_t header[kPaintingHeaderSize];
        encodePaintingHeader(PaintingHeader{kPaintingMagic, version, 0, 0}, header);
        if (!writeAll(dir / ("header_v" + std::to_string(version)),
                      std::string(reinterpret_cast<char*>(header), sizeof header))) {
            return false;
        }
    }
    return true;
}

bool jgiSeeds(const fs::path& dir) {
    int n = 0;
    for (const auto& [w, h] : {std::pair{1u, 1u}, std::pair{30u, 17u}, std::pair{8u, 8u}}) {
        Surface picture;
        if (!picture.create(w, h, false)) return false;
        for (std::uint32_t y = 0; y < h; ++y) {
            for (std::uint32_t x = 0; x < w; ++x) picture.setPixel(x, y, x * 8, y * 15, (x + y) * 4);
        }
        const std::string id = std::to_string(n++);
        if (!withHalf(dir / ("colour" + id),
                      [&](const std::string& p) { return writeColourJgi(picture, p, 3) == JgiResult::kOk; }) ||
            !withHalf(dir / ("grey" + id),
                      [&](const std::string& p) { return writeGreyJgi(picture, p, 2) == JgiResult::kOk; })) {
            return false;
        }
    }
    return true;
}

bool presetSeeds(const fs::path& dir) {
    BrushPresetList brushes;
    for (int i = 0; i < 7; ++i) {
        BrushPreset& p = brushes.slots[static_cast<std::size_t>(i)];
        p.used = 1;
        p.settings.tool = i * 3 % 19;
        p.settings.size = 5 + i * 14;
        p.settings.hardness = static_cast<std::uint8_t>(i * 20);
        p.settings.texture = static_cast<std::uint8_t>(i);
        p.settings.strength = 0.1f * static_cast<float>(i + 1);
    }
    StrokePresetList strokes;
    for (int i = 0; i < 4; ++i) {
        StrokePreset& p = strokes.slots[static_cast<std::size_t>(i)];
        p.used = 1;
        p.dynamics.fadeStrength = static_cast<std::uint8_t>(i & 1);
        p.dynamics.fadeSize = static_cast<std::uint8_t>(i >> 1);
        p.dynamics.pulse = static_cast<std::uint8_t>(i == 3);
        p.dynamics.pulsePeriod = 10.0f * static_cast<float>(i);
    }
    return withHalf(dir / "brushes", [&](const std::string& p) { return writeBrushPresetFile(p, brushes); }) &&
           withHalf(dir / "strokes", [&](const std::string& p) { return writeStrokePresetFile(p, strokes); });
}

bool pictureSeeds(const fs::path& dir) {
    using namespace sc::testing;
    const PixelFunction pattern = quadrants(6, 4);
    Surface small;
    if (!small.create(5, 3, false)) return false;
    small.clearWhite();
    TiffOptions tiledWithAlpha{.tileWidth = 16, .tileLength = 16};
    tiledWithAlpha.alphaKind = TiffAlpha::kUnassociated;
    tiledWithAlpha.alpha = [](std::uint32_t x, std::uint32_t) { return static_cast<std::uint8_t>(x * 12); };
    return writeAll(dir / "core.bmp", makeBmp(6, 4, pattern, BmpForm{12, false, 24})) &&
           writeAll(dir / "info_top_down.bmp", makeBmp(6, 4, pattern, BmpForm{40, true, 24})) &&
           writeAll(dir / "fields.bmp", makeBmp(6, 4, pattern, BmpForm{56, false, 32})) &&
           writeAll(dir / "palette.bmp", makeBmp(6, 4, pattern, BmpForm{124, false, 8})) &&
           writeBmp(small, (dir / "written.bmp").string()) &&
           writePngFile((dir / "picture.png").string(), 6, 4, pattern) &&
           writeJpegFile((dir / "picture.jpg").string(), 16, 8, pattern) &&
           writeTiffFile((dir / "picture.tif").string(), 6, 4, pattern, 2, 2) &&
           writeAll(dir / "os2.bmp", makeBmp(6, 4, pattern, BmpForm{64, false, 24})) &&
           writeAll(dir / "masks52.bmp", makeBmp(6, 4, pattern, BmpForm{52, false, 32})) &&
           writeJpegFile((dir / "progressive.jpg").string(), 16, 8, pattern, {.progressive = true, .restartRows = 1}) &&
           writeTiffFile((dir / "tiles.tif").string(), 20, 6, pattern, tiledWithAlpha);
}

// Pictures of one format each, in the forms its decoder takes.
bool bmpSeeds(const fs::path& dir) {
    using namespace sc::testing;
    const PixelFunction pattern = quadrants(6, 4);
    // 8-bit run-length: four pixels of colour 0, end of line, a literal run, end of picture.
    std::string rle = makeBmp(4, 2, quadrants(4, 2), BmpForm{40, false, 8});
    rle.resize(14 + 40 + 4 * 4);
    putLe32(rle, 30, 1);
    rle += std::string("\x04\x00\x00\x00\x00\x04\x01\x02\x03\x00\x00\x01", 12);
    std::string fields16 = makeBmp(6, 4, pattern, BmpForm{56, false, 32});
    putLe16(fields16, 28, 16);
    putLe32(fields16, 54, 0xF800);
    putLe32(fields16, 58, 0x07E0);
    putLe32(fields16, 62, 0x001F);
    return writeAll(dir / "core.bmp", makeBmp(6, 4, pattern, BmpForm{12, false, 24})) &&
           writeAll(dir / "core_palette.bmp", makeBmp(6, 4, pattern, BmpForm{12, false, 8})) &&
           writeAll(dir / "info_top_down.bmp", makeBmp(6, 4, pattern, BmpForm{40, true, 24})) &&
           writeAll(dir / "fields.bmp", makeBmp(6, 4, pattern, BmpForm{56, false, 32})) &&
           writeAll(dir / "palette.bmp", makeBmp(6, 4, pattern, BmpForm{124, false, 8})) &&
           writeAll(dir / "os2.bmp", makeBmp(6, 4, pattern, BmpForm{64, false, 8})) &&
           writeAll(dir / "rle8.bmp", rle) && writeAll(dir / "fields16.bmp", fields16);
}

bool pngSeeds(const fs::path& dir) {
    using namespace sc::testing;
    const PixelFunction pattern = quadrants(6, 4);
    const AlphaFunction alpha = [](std::uint32_t x, std::uint32_t) { return static_cast<std::uint8_t>(x * 40); };
    return writePngFile((dir / "rgb.png").string(), 6, 4, pattern) &&
           writePngFile((dir / "rgba.png").string(), 7, 3, pattern, alpha);
}

bool jpegSeeds(const fs::path& dir) {
    using namespace sc::testing;
    const PixelFunction pattern = quadrants(16, 8);
    return writeJpegFile((dir / "baseline.jpg").string(), 16, 8, pattern) &&
           writeJpegFile((dir / "progressive.jpg").string(), 16, 8, pattern, {.progressive = true, .restartRows = 1}) &&
           writeJpegFile((dir / "grey.jpg").string(), 9, 5, pattern, {.grey = true}) &&
           writeJpegFile((dir / "subsampled.jpg").string(), 17, 9, pattern, {.subsampled = true}) &&
           writeJpegFile((dir / "arithmetic.jpg").string(), 8, 8, pattern, {.arithmetic = true});
}

bool tiffSeeds(const fs::path& dir) {
    using namespace sc::testing;
    const PixelFunction pattern = quadrants(20, 6);
    const AlphaFunction alpha = [](std::uint32_t x, std::uint32_t) { return static_cast<std::uint8_t>(x * 12); };
    return writeTiffFile((dir / "strips.tif").string(), 6, 4, pattern, 2, 2) &&
           writeTiffFile((dir / "tiles.tif").string(), 20, 6, pattern,
                         {.tileWidth = 16, .tileLength = 16, .alphaKind = TiffAlpha::kUnassociated, .alpha = alpha}) &&
           writeTiffFile((dir / "grey16.tif").string(), 5, 3, pattern,
                         {.bitsPerSample = 16, .grey = true, .bigEndian = true}) &&
           writeTiffFile((dir / "planes_lzw.tif").string(), 6, 4, pattern,
                         {.separatePlanes = true, .compression = 5}) &&
           writeTiffFile((dir / "deflate_tiles.tif").string(), 20, 6, pattern,
                         {.tileWidth = 16, .tileLength = 16, .compression = 8});
}

bool textSeeds(const fs::path& dir, std::initializer_list<std::string> seeds) {
    int n = 0;
    for (const std::string& s : seeds) {
        if (!writeAll(dir / ("seed" + std::to_string(n++)), s)) return false;
    }
    return true;
}

}  // namespace

bool writeSeedCorpora(const fs::path& directory) {
    std::error_code ec;
    for (const char* name : {"channel_codec", "painting", "jgi", "preset_lists", "prefs", "hand_over", "command_line",
                             "picture", "bmp_picture", "png_picture", "jpeg_picture", "tiff_picture"}) {
        fs::create_directories(directory / name, ec);
        if (ec) return false;
    }
    using namespace std::string_literals;
    return channelSeeds(directory / "channel_codec") && paintingSeeds(directory / "painting") &&
           jgiSeeds(directory / "jgi") && presetSeeds(directory / "preset_lists") &&
           textSeeds(directory / "prefs", {""s, "\1"s, "\0\1"s, "\1\0"s, "\1\1"s}) &&
           textSeeds(directory / "hand_over", {"painting.pai"s, "painting.pai\r\nsecond line"s, "/tmp/a.pai"s, "\r\n"s,
                                               std::string(600, 'x')}) &&
           textSeeds(directory / "command_line",
                     {"\"C:/paintings/a.pai\""s, "a\"b\"c"s, "one\0two"s, "abc"s, std::string(700, 'p')}) &&
           pictureSeeds(directory / "picture") && bmpSeeds(directory / "bmp_picture") &&
           pngSeeds(directory / "png_picture") && jpegSeeds(directory / "jpeg_picture") &&
           tiffSeeds(directory / "tiff_picture");
}

}  // namespace sc::fuzz
