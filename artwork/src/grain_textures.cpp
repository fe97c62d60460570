// SPDX-License-Identifier: GPL-3.0-or-later
// Textures. The value scales how much paint a stroke lays (bright = thick,
// dark = thin), so a texture shows as relief in the paint. Texture 0 is one
// flat value: the tools treat texture 0 as "no texture" and never sample it,
// and a flat picture keeps the texture fill filters even there too.
#include <cmath>

#include "grain.h"
#include "grain_patterns.h"

namespace sc::artwork {

namespace {

constexpr double kTwoPi = 6.283185307179586;

QImage smoothTexture() {
  Field f;
  f.fill([](int, int) { return 1.0; });
  return f.toImage(255, 255);
}

QImage fineCanvas() {
  Field f;
  f.fill([](int x, int y) { return weave(x, y, 66, 66, 0.08, 0.8, 2101) + 0.1 * hash01(x, y, 2102); });
  f.normalise(0.0, 0.005);
  return f.toImage(70, 255);
}

QImage coarseCanvas() {
  Field f;
  f.fill([](int x, int y) {
    const double slub = tileNoiseXY(x, y, 4, 25, 2201) * 0.3;  // uneven yarn
    return weave(x, y, 25, 25, 0.12, 2.0, 2202) * (0.8 + slub) + 0.08 * hash01(x, y, 2203);
  });
  f.normalise(0.0, 0.005);
  return f.toImage(50, 255);
}

QImage coldPressPaper() {
  const TileCells bumps(45, 0.9, 2301);
  Field f;
  f.fill([&](int x, int y) {
    const CellHit h = bumps.at(x, y);
    const double dome = std::max(0.0, 1.0 - h.f1 / bumps.cellSize());
    return 0.55 * tileFbm(x, y, 25, 3, 0.5, 2302) + 0.45 * dome;
  });
  f.blur(1);
  f.normalise(0.01, 0.01);
  return f.toImage(90, 255);
}

QImage bristleTexture() {
  Field f = streaks(false, 110, 4, 2401);
  return f.toImage(40, 255);
}

QImage burlap() {
  Field f;
  f.fill([](int x, int y) {
    const double slub = tileNoiseXY(x, y, 3, 20, 2501) * 0.45;
    return weave(x, y, 20, 20, 0.32, 3.0, 2502) * (0.7 + slub) + 0.1 * hash01(x, y, 2503);
  });
  f.normalise(0.0, 0.005);
  return f.toImage(25, 255);
}

QImage foamTexture() {
  const TileCells cells(18, 0.9, 2601);
  const TileCells fine(33, 0.9, 2602);
  Field f;
  f.fill([&](int x, int y) { return std::max(foam(cells, x, y, 0.3), 0.75 * foam(fine, x, y, 0.35)); });
  f.blur(1);
  f.normalise(0.0, 0.0);
  return f.toImage(35, 255);
}

QImage crackleTexture() {
  const TileCells cells(11, 0.95, 2701);
  Field f;
  f.fill([&](int x, int y) { return plates(cells, x, y, 2.5) * (0.9 + 0.1 * hash01(x, y, 2702)); });
  f.normalise(0.0, 0.005);
  return f.toImage(30, 255);
}

QImage sandTexture() {
  Field f;
  f.fill([](int x, int y) { return hash01(x, y, 2801); });
  f.blur(1);
  Field speck;
  speck.fill([](int x, int y) { return hash01(x, y, 2802) > 0.97 ? 1.0 : 0.0; });
  f.add(speck, 0.35);
  f.normalise(0.01, 0.01);
  return f.toImage(90, 255);
}

QImage cloudTexture() {
  Field f;
  f.fill([](int x, int y) { return tileFbm(x, y, 5, 5, 0.5, 2901); });
  f.normalise(0.01, 0.01);
  return f.toImage(60, 255);
}

QImage rippleTexture() {
  Field f;
  f.fill([](int x, int y) {
    const double warp = 2.5 * tileFbm(x, y, 4, 3, 0.5, 3001);
    return 0.5 + 0.5 * std::sin(kTwoPi * (10.0 * x + 24.0 * y) / kTile + warp);
  });
  return f.toImage(60, 255);
}

QImage hatchTexture() {
  Field f;
  f.fill([](int x, int y) {
    const double t = 40.0 * (x + y) / (2.0 * kTile) + 0.15 * tileNoise(x, y, 16, 3101);
    const double ridge = std::pow(std::fabs(std::sin(kTwoPi * t)), 0.7);
    return ridge * (0.8 + 0.2 * hash01(x, y, 3102));
  });
  return f.toImage(50, 255);
}

QImage dotsTexture() {
  Field f;
  f.fill([](int x, int y) {
    const double u = x / 10.0, v = y / 10.0 + 0.5 * ((static_cast<int>(x / 10.0)) & 1);
    const double dx = u - std::floor(u) - 0.5, dy = v - std::floor(v) - 0.5;
    const double r = std::hypot(dx, dy) / 0.36;
    return r < 1.0 ? std::sqrt(1.0 - r * r) : 0.0;
  });
  return f.toImage(45, 255);
}

QImage stucco() {
  Field f;
  f.fill([](int x, int y) {
    const double blob = smooth(0.42, 0.62, tileFbm(x, y, 12, 4, 0.55, 3301));
    return 0.75 * blob + 0.25 * tileFbm(x, y, 50, 2, 0.5, 3302);
  });
  f.blur(1);
  f.normalise(0.0, 0.0);
  return f.toImage(60, 255);
}

QImage woodTexture() {
  Field f;
  f.fill([](int x, int y) {
    const double warp = 2.2 * tileFbm(x, y, 3, 3, 0.5, 3401);
    const double ring = y * 18.0 / kTile + warp;
    const double t = ring - std::floor(ring);
    return 0.7 * std::sqrt(t) + 0.3 * tileNoiseXY(x, y, 3, 150, 3402);
  });
  f.normalise(0.0, 0.0);
  return f.toImage(50, 255);
}

QImage hammeredTexture() {
  const TileCells dents(20, 0.55, 3501);
  Field f;
  f.fill([&](int x, int y) {
    const CellHit h = dents.at(x, y);
    return smooth(0.1, 0.75, h.f1 / dents.cellSize());
  });
  f.normalise(0.0, 0.0);
  return f.toImage(60, 255);
}

QImage cobbles() {
  const TileCells stones(16, 0.85, 3601);
  Field f;
  f.fill([&](int x, int y) {
    const CellHit h = stones.at(x, y);
    return plates(stones, x, y, 4.0) * (0.75 + 0.25 * hash01(h.id, 2, 3602));
  });
  f.normalise(0.0, 0.0);
  return f.toImage(30, 255);
}

QImage basketWeave() {
  Field f;
  f.fill([](int x, int y) {
    const int bx = x / 20, by = y / 20;  // 20 x 20 blocks, 20 to the tile
    const bool across = ((bx + by) & 1) == 0;
    const double along = across ? (y % 20) / 20.0 : (x % 20) / 20.0;
    const double strip = along * 3.0 - std::floor(along * 3.0);  // three strips a block
    const double lengthwise = across ? (x % 20) / 20.0 : (y % 20) / 20.0;
    const double body = std::sqrt(std::max(0.0, std::sin(3.141592653589793 * strip)));
    return body * (0.7 + 0.3 * std::sin(3.141592653589793 * lengthwise)) + 0.08 * hash01(x, y, 3701);
  });
  f.normalise(0.0, 0.0);
  return f.toImage(40, 255);
}

struct Texture {
  const char* title;
  QImage (*draw)();
};

const Texture kTextures[18] = {
    {"Smooth", smoothTexture},   {"Fine canvas", fineCanvas}, {"Coarse canvas", coarseCanvas},
    {"Paper", coldPressPaper},   {"Bristle", bristleTexture}, {"Burlap", burlap},
    {"Foam", foamTexture},       {"Crackle", crackleTexture}, {"Sand", sandTexture},
    {"Clouds", cloudTexture},    {"Ripples", rippleTexture},  {"Ridges", hatchTexture},
    {"Dots", dotsTexture},       {"Stucco", stucco},          {"Wood", woodTexture},
    {"Hammered", hammeredTexture}, {"Cobbles", cobbles},      {"Basket", basketWeave},
};

}  // namespace

QImage textureImage(int index) { return kTextures[index].draw(); }
const char* textureTitle(int index) { return kTextures[index].title; }

}  // namespace sc::artwork
