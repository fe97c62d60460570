// SPDX-License-Identifier: GPL-3.0-or-later
// A small, independent reader for the bitmaps the generator writes, and the
// measures the tests take of them. It accepts only what the contract allows:
// a 54-byte header, 24 bits per pixel, no compression, rows bottom-up.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct BmpPicture {
  bool ok = false;
  std::string error;
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;  // top row first, red, green, blue per pixel
};

inline std::uint32_t bmpU32(const std::string& b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
         static_cast<unsigned char>(b[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

inline BmpPicture readBmp(const std::filesystem::path& path) {
  BmpPicture p;
  std::ifstream in(path, std::ios::binary);
  const std::string b((std::istreambuf_iterator<char>(in)), {});
  auto fail = [&p](const std::string& why) { p.error = why; return p; };
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return fail("not a bitmap");
  if (bmpU32(b, 10) != 54 || bmpU32(b, 14) != 40) return fail("unexpected header size");
  const auto w = static_cast<std::int32_t>(bmpU32(b, 18)), h = static_cast<std::int32_t>(bmpU32(b, 22));
  if (w <= 0 || h <= 0) return fail("not a bottom-up picture");
  if ((bmpU32(b, 26) & 0xFFFF) != 1 || (bmpU32(b, 28) & 0xFFFF) != 24) return fail("not 24 bits");
  if (bmpU32(b, 30) != 0) return fail("compressed");
  const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
  if (b.size() != 54 + stride * h || bmpU32(b, 2) != b.size()) return fail("wrong file size");
  p.width = w;
  p.height = h;
  p.rgb.resize(static_cast<std::size_t>(w) * h * 3);
  for (int row = 0; row < h; ++row) {
    const std::size_t src = 54 + stride * (h - 1 - row);
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < 3; ++c)
        p.rgb[(static_cast<std::size_t>(row) * w + x) * 3 + c] = static_cast<unsigned char>(b[src + x * 3 + 2 - c]);
    for (std::size_t pad = src + w * 3; pad < src + stride; ++pad)
      if (b[pad] != 0) return fail("padding not zero");
  }
  p.ok = true;
  return p;
}

inline std::uint32_t pixelAt(const BmpPicture& p, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * p.width + x) * 3;
  return p.rgb[i] << 16 | p.rgb[i + 1] << 8 | p.rgb[i + 2];
}

inline int redAt(const BmpPicture& p, int x, int y) { return p.rgb[(static_cast<std::size_t>(y) * p.width + x) * 3]; }

struct GreyStats {
  int min = 255, max = 0;
  // The mean step between two neighbouring columns (rows), at the pair of
  // columns (rows) inside the picture where it is largest, and across the wrap.
  double innerStepX = 0, innerStepY = 0;
  double seamStepX = 0, seamStepY = 0;
};

inline GreyStats greyStats(const BmpPicture& p) {
  GreyStats s;
  const int w = p.width, h = p.height;
  std::vector<double> columnStep(w, 0.0), rowStep(h, 0.0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int v = redAt(p, x, y);
      s.min = std::min(s.min, v);
      s.max = std::max(s.max, v);
      if (x > 0) columnStep[x] += std::abs(v - redAt(p, x - 1, y));
      if (y > 0) rowStep[y] += std::abs(v - redAt(p, x, y - 1));
    }
  s.innerStepX = *std::max_element(columnStep.begin(), columnStep.end()) / h;
  s.innerStepY = *std::max_element(rowStep.begin(), rowStep.end()) / w;
  for (int y = 0; y < h; ++y) s.seamStepX += std::abs(redAt(p, 0, y) - redAt(p, w - 1, y));
  for (int x = 0; x < w; ++x) s.seamStepY += std::abs(redAt(p, x, 0) - redAt(p, x, h - 1));
  s.seamStepX /= h;
  s.seamStepY /= w;
  return s;
}

inline double meanAbsDifference(const BmpPicture& a, const BmpPicture& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.rgb.size() && i < b.rgb.size(); i += 3) sum += std::abs(a.rgb[i] - b.rgb[i]);
  return sum / (a.rgb.size() / 3.0);
}
