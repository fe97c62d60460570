// SPDX-License-Identifier: GPL-3.0-or-later
#include "grain_patterns.h"

#include <algorithm>
#include <cmath>

namespace sc::artwork {

namespace {
constexpr double kPi = 3.141592653589793;

// Cross-section of one thread: 1 on its centre line, 0 at its edges and in the gap.
double threadProfile(double f, double gap) {
  const double inner = (f - gap * 0.5) / (1.0 - gap);
  if (inner <= 0.0 || inner >= 1.0) return 0.0;
  return std::sqrt(std::sin(kPi * inner));
}
}  // namespace

double smooth(double a, double b, double v) {
  const double t = std::clamp((v - a) / (b - a), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

double weave(double x, double y, int threadsX, int threadsY, double gap, double wobble,
             std::uint32_t seed) {
  // Threads wander a little so the cloth does not look machine-made.
  const double wx = x + wobble * (tileNoise(x, y, 10, seed) - 0.5);
  const double wy = y + wobble * (tileNoise(x, y, 10, seed + 1) - 0.5);
  const double u = wx * threadsX / kTile, v = wy * threadsY / kTile;
  const int iu = static_cast<int>(std::floor(u)), iv = static_cast<int>(std::floor(v));
  const double fu = u - iu, fv = v - iv;
  const double thickU = 0.85 + 0.3 * hash01(((iu % threadsX) + threadsX) % threadsX, 0, seed + 2);
  const double thickV = 0.85 + 0.3 * hash01(0, ((iv % threadsY) + threadsY) % threadsY, seed + 3);
  const double vertical = threadProfile(fu, gap) * thickU;    // thread running along y
  const double horizontal = threadProfile(fv, gap) * thickV;  // thread running along x
  const bool verticalOver = ((iu + iv) & 1) == 0;
  // The thread on top arches over the crossing; the one below dips under it.
  const double archV = 0.55 + 0.45 * std::sin(kPi * fv);
  const double archH = 0.55 + 0.45 * std::sin(kPi * fu);
  const double top = verticalOver ? vertical * archV : horizontal * archH;
  const double under = verticalOver ? horizontal * 0.55 : vertical * 0.55;
  return std::clamp(std::max(top, under), 0.0, 1.0);
}

Field streaks(bool diagonal, int across, int along, std::uint32_t seed) {
  Field f;
  f.fill([&](int x, int y) {
    const double u = diagonal ? x + y : x;   // along the stroke
    const double v = diagonal ? x - y : y;   // across it
    const double coarse = tileNoiseXY(u, v, along, across, seed);
    const double fine = tileNoiseXY(u, v, along * 2, across * 3, seed + 7);
    const double hair = hash01(0, ((static_cast<int>(v) % kTile) + kTile) % kTile, seed + 9);
    return 0.55 * coarse + 0.3 * fine + 0.15 * hair;
  });
  f.normalise(0.01, 0.01);
  return f;
}

double foam(const TileCells& cells, double x, double y, double wall) {
  const CellHit h = cells.at(x, y);
  const double edge = (h.f2 - h.f1) / cells.cellSize();
  return 1.0 - smooth(0.0, wall, edge);
}

double plates(const TileCells& cells, double x, double y, double groove) {
  const CellHit h = cells.at(x, y);
  const double edge = h.f2 - h.f1;  // twice the distance to the border, roughly
  const double dome = std::sqrt(std::max(0.0, 1.0 - std::pow(h.f1 / (0.5 * (h.f1 + h.f2) + 1e-9), 2.0)));
  return smooth(groove * 0.5, groove * 1.5, edge) * (0.35 + 0.65 * dome);
}

}  // namespace sc::artwork
