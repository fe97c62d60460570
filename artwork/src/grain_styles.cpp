// SPDX-License-Identifier: GPL-3.0-or-later
// Paint styles. The value is a brightness the renderer adds to every colour
// channel, so the styles stay mostly below 150: grain that shows on dark and
// mid colours without washing light colours out. Feature sizes stay small
// enough that the 29 x 29 thumbnail (the image's top-left corner) shows them.
#include <algorithm>
#include <cmath>

#include "grain.h"
#include "grain_patterns.h"

namespace sc::artwork {

namespace {

constexpr double kTwoPi = 6.283185307179586;

QImage satin() {  // barely-there softness
  Field f;
  f.fill([](int x, int y) { return tileFbm(x, y, 20, 3, 0.5, 101); });
  f.normalise(0.01, 0.01);
  return f.toImage(12, 62);
}

QImage fineGrain() {  // even, fine tooth
  Field f;
  f.fill([](int x, int y) { return hash01(x, y, 202); });
  Field soft = f;
  soft.blur(1);
  f.add(soft, 2.0);
  f.normalise(0.01, 0.01);
  return f.toImage(8, 104);
}

QImage bristle() {  // the default: a loaded brush dragged sideways
  Field f = streaks(false, 150, 3, 303);
  return f.toImage(6, 126);
}

QImage dryBrush() {  // broken diagonal strokes with bare gaps
  Field f = streaks(true, 120, 4, 404);
  f.fill([&f](int x, int y) {
    const double cover = smooth(0.38, 0.56, tileFbm(x + y, x - y, 8, 3, 0.5, 405));
    return f.at(x, y) * (0.15 + 0.85 * cover);
  });
  f.normalise(0.0, 0.01);
  return f.toImage(0, 140);
}

QImage canvasWeave() {
  Field f;
  f.fill([](int x, int y) { return 0.85 * weave(x, y, 50, 50, 0.1, 1.2, 505) + 0.15 * hash01(x, y, 506); });
  f.normalise(0.0, 0.005);
  return f.toImage(14, 118);
}

QImage paperFibre() {
  Field f;
  f.fill([](int x, int y) { return 0.35 * tileFbm(x, y, 25, 2, 0.5, 601); });
  Random r(602);
  for (int i = 0; i < 2200; ++i) {
    const double x = r.range(0, kTile), y = r.range(0, kTile);
    const double angle = r.range(0, kTwoPi), length = r.range(6, 26);
    const double bend = r.range(-0.5, 0.5);
    const double mx = x + std::cos(angle) * length * 0.5, my = y + std::sin(angle) * length * 0.5;
    const double ex = mx + std::cos(angle + bend) * length * 0.5;
    const double ey = my + std::sin(angle + bend) * length * 0.5;
    const double value = r.range(0.25, 0.6);
    strokeLine(f, x, y, mx, my, r.range(0.6, 1.2), value);
    strokeLine(f, mx, my, ex, ey, r.range(0.6, 1.2), value);
  }
  f.normalise(0.0, 0.01);
  return f.toImage(6, 118);
}

QImage sponge() {
  // Round pores of two sizes in a soft, blotchy body.
  const TileCells big(24, 0.9, 701), small(44, 0.9, 702);
  Field f;
  f.fill([&](int x, int y) {
    const CellHit a = big.at(x, y), b = small.at(x, y);
    const double poreA = smooth(0.18, 0.34, a.f1 / big.cellSize());
    const double poreB = smooth(0.14, 0.3, b.f1 / small.cellSize());
    return std::min(poreA, poreB) * (0.55 + 0.45 * tileFbm(x, y, 25, 2, 0.5, 703));
  });
  f.blur(1);
  f.normalise(0.0, 0.005);
  return f.toImage(6, 132);
}

QImage crackle() {
  const TileCells cells(15, 0.95, 801);
  Field f;
  f.fill([&](int x, int y) {
    const CellHit h = cells.at(x, y);
    const double plate = 0.55 + 0.45 * hash01(h.id, 0, 802);
    const double crack = smooth(0.6, 1.8, h.f2 - h.f1);
    return plate * crack * (0.85 + 0.15 * tileNoise(x, y, 40, 803));
  });
  return f.toImage(0, 112);
}

QImage spatter() {
  Field f;
  f.fill([](int x, int y) { return 0.2 * tileNoise(x, y, 20, 901); });
  Random r(902);
  for (int i = 0; i < 2600; ++i) {
    const double size = 0.9 + 4.0 * std::pow(r.uniform(), 3.0);
    stampDot(f, r.range(0, kTile), r.range(0, kTile), size, r.range(0.6, 1.0));
  }
  return f.toImage(6, 150);
}

QImage marble() {
  Field f;
  f.fill([](int x, int y) {
    const double turbulence = tileFbm(x, y, 8, 4, 0.55, 1001);
    const double phase = kTwoPi * (6.0 * x + 10.0 * y) / kTile + 8.0 * turbulence;
    const double vein = std::pow(1.0 - std::fabs(std::sin(phase)), 4.0);
    return 0.6 * vein + 0.4 * tileFbm(x, y, 16, 3, 0.5, 1002);
  });
  f.normalise(0.0, 0.002);
  return f.toImage(10, 134);
}

QImage woodGrain() {
  Field f;
  f.fill([](int x, int y) {
    const double warp = 1.6 * tileFbm(x, y, 4, 3, 0.5, 1101) + 0.25 * tileNoiseXY(x, y, 2, 60, 1102);
    const double ring = y * 20.0 / kTile + warp;
    const double t = ring - std::floor(ring);
    return std::pow(t, 2.5) * 0.8 + 0.2 * tileNoiseXY(x, y, 4, 120, 1103);
  });
  f.normalise(0.0, 0.005);
  return f.toImage(8, 124);
}

QImage clouds() {
  Field f;
  f.fill([](int x, int y) { return tileFbm(x, y, 10, 5, 0.55, 1201); });
  f.normalise(0.01, 0.01);
  return f.toImage(8, 124);
}

QImage stipple() {
  Field f;
  f.fill([](int x, int y) { return 0.12 * tileNoise(x, y, 40, 1300); });
  const int n = 80;
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      if (hash01(i, j, 1301) < 0.3) continue;
      const double cx = (i + 0.2 + 0.6 * hash01(i, j, 1302)) * 5.0;
      const double cy = (j + 0.2 + 0.6 * hash01(i, j, 1303)) * 5.0;
      stampDot(f, cx, cy, 1.5 + 0.9 * hash01(i, j, 1304), 0.7 + 0.3 * hash01(i, j, 1305));
    }
  }
  return f.toImage(4, 140);
}

QImage crossHatch() {
  Field f;
  f.fill([](int x, int y) {
    const double jitter = 0.12 * tileNoise(x, y, 20, 1401);
    const double a = std::fabs(std::sin(kTwoPi * (57.0 * (x + y) / kTile * 0.5 + jitter)));
    const double b = std::fabs(std::sin(kTwoPi * (57.0 * (x - y) / kTile * 0.5 - jitter)));
    const double fade = tileNoise(x, y, 8, 1402);
    return std::pow(a, 6.0) * (0.4 + 0.6 * fade) + std::pow(b, 6.0) * (1.0 - 0.6 * fade);
  });
  f.normalise(0.0, 0.01);
  return f.toImage(0, 130);
}

QImage sand() {
  const TileCells grains(100, 0.9, 1501);
  Field f;
  f.fill([&](int x, int y) {
    const CellHit h = grains.at(x + 0.5, y + 0.5);
    const double tone = 0.4 + 0.6 * hash01(h.id, 1, 1502);
    const double lit = 0.5 - 0.35 * (h.dx + h.dy) / grains.cellSize();  // light from the top left
    return tone * lit * smooth(0.3, 1.2, h.f2 - h.f1);
  });
  f.normalise(0.0, 0.005);
  return f.toImage(0, 130);
}

QImage ripple() {
  Field f;
  f.fill([](int x, int y) {
    // Crossing wave trains with whole numbers of waves across the tile.
    const double warp = 1.5 * tileFbm(x, y, 5, 2, 0.5, 1601);
    const double k[4][2] = {{40, 7}, {-12, 38}, {25, -31}, {35, 20}};
    double sum = 0.0;
    for (int i = 0; i < 4; ++i) sum += std::cos(kTwoPi * (k[i][0] * x + k[i][1] * y) / kTile + warp * (i + 1));
    return 0.5 + sum / 8.0;
  });
  f.normalise(0.005, 0.005);
  return f.toImage(6, 124);
}

QImage hammered() {
  const TileCells dents(26, 0.6, 1701);
  Field f;
  f.fill([&](int x, int y) {
    const CellHit h = dents.at(x, y);
    const double r = h.f1 / dents.cellSize();
    const double rim = smooth(0.2, 0.7, r);
    return rim * (0.6 + 0.4 * (0.5 - (h.dx - h.dy) / dents.cellSize()));
  });
  f.normalise(0.0, 0.005);
  return f.toImage(0, 130);
}

QImage glitter() {
  Field f;
  f.fill([](int x, int y) { return 0.1 * tileNoise(x, y, 40, 1801); });
  Random r(1802);
  for (int i = 0; i < 2600; ++i) {
    const double x = r.range(0, kTile), y = r.range(0, kTile), v = r.range(0.4, 1.0);
    stampDot(f, x, y, 1.3, v);
    if (v > 0.85) {  // the brightest flecks catch the light in a small cross
      strokeLine(f, x - 3, y, x + 3, y, 0.6, 0.4);
      strokeLine(f, x, y - 3, x, y + 3, 0.6, 0.4);
    }
  }
  return f.toImage(6, 200);
}

struct Style {
  const char* title;
  QImage (*draw)();
};

const Style kStyles[18] = {
    {"Satin", satin},         {"Fine grain", fineGrain}, {"Bristle", bristle},
    {"Dry brush", dryBrush},  {"Canvas", canvasWeave},   {"Paper fibre", paperFibre},
    {"Sponge", sponge},       {"Crackle", crackle},      {"Spatter", spatter},
    {"Marble", marble},       {"Wood", woodGrain},       {"Clouds", clouds},
    {"Stipple", stipple},     {"Crosshatch", crossHatch}, {"Sand", sand},
    {"Ripple", ripple},       {"Hammered", hammered},    {"Glitter", glitter},
};

}  // namespace

QImage paintStyleImage(int index) { return kStyles[index].draw(); }
const char* paintStyleTitle(int index) { return kStyles[index].title; }

}  // namespace sc::artwork
