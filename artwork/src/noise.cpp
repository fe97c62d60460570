// SPDX-License-Identifier: GPL-3.0-or-later
#include "noise.h"

#include <algorithm>
#include <cmath>

namespace sc::artwork {

namespace {

constexpr double kTwoPi = 6.283185307179586;

std::uint64_t mix(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

int mod(int i, int n) { return ((i % n) + n) % n; }

double fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

double gradientDot(int ix, int iy, int periodX, int periodY, std::uint32_t seed, double fx,
                   double fy) {
  const double angle = kTwoPi * hash01(mod(ix, periodX), mod(iy, periodY), seed);
  return std::cos(angle) * fx + std::sin(angle) * fy;
}

}  // namespace

std::uint64_t Random::next() {
  state_ += 0x9E3779B97F4A7C15ULL;
  return mix(state_);
}

double Random::uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

double Random::range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

double hash01(int x, int y, std::uint32_t seed) {
  const std::uint64_t key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) ^
                            static_cast<std::uint32_t>(y) ^
                            (static_cast<std::uint64_t>(seed) * 0xD6E8FEB86659FD93ULL);
  return static_cast<double>(mix(key) >> 11) * (1.0 / 9007199254740992.0);
}

double tileNoise(double x, double y, int period, std::uint32_t seed) {
  return tileNoiseXY(x, y, period, period, seed);
}

double tileNoiseXY(double x, double y, int periodX, int periodY, std::uint32_t seed) {
  const double u = x * periodX / kTile, v = y * periodY / kTile;
  const int i0 = static_cast<int>(std::floor(u)), j0 = static_cast<int>(std::floor(v));
  const double fx = u - i0, fy = v - j0;
  const double n00 = gradientDot(i0, j0, periodX, periodY, seed, fx, fy);
  const double n10 = gradientDot(i0 + 1, j0, periodX, periodY, seed, fx - 1.0, fy);
  const double n01 = gradientDot(i0, j0 + 1, periodX, periodY, seed, fx, fy - 1.0);
  const double n11 = gradientDot(i0 + 1, j0 + 1, periodX, periodY, seed, fx - 1.0, fy - 1.0);
  const double sx = fade(fx), sy = fade(fy);
  const double top = n00 + (n10 - n00) * sx;
  const double bottom = n01 + (n11 - n01) * sx;
  const double n = top + (bottom - top) * sy;
  return std::clamp(0.5 + n * 0.75, 0.0, 1.0);
}

double tileFbm(double x, double y, int period, int octaves, double gain, std::uint32_t seed) {
  double sum = 0.0, weight = 1.0, total = 0.0;
  for (int o = 0; o < octaves; ++o) {
    sum += weight * (tileNoise(x, y, period, seed + 977u * static_cast<std::uint32_t>(o)) - 0.5);
    total += weight;
    weight *= gain;
    period *= 2;
  }
  return std::clamp(0.5 + sum / total * 1.6, 0.0, 1.0);
}

TileCells::TileCells(int n, double jitter, std::uint32_t seed)
    : n_(n), size_(static_cast<double>(kTile) / n), px_(n * n), py_(n * n) {
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      px_[j * n + i] = (i + 0.5 + jitter * (hash01(i, j, seed) - 0.5)) * size_;
      py_[j * n + i] = (j + 0.5 + jitter * (hash01(i, j, seed ^ 0x5bd1e995u) - 0.5)) * size_;
    }
  }
}

CellHit TileCells::at(double x, double y) const {
  const int cx = static_cast<int>(std::floor(x / size_));
  const int cy = static_cast<int>(std::floor(y / size_));
  CellHit hit;
  hit.f1 = hit.f2 = 1e30;
  for (int dj = -2; dj <= 2; ++dj) {
    for (int di = -2; di <= 2; ++di) {
      const int i = cx + di, j = cy + dj;
      const int wi = mod(i, n_), wj = mod(j, n_);
      const int id = wj * n_ + wi;
      const double px = px_[id] + (i - wi) * size_;
      const double py = py_[id] + (j - wj) * size_;
      const double d = std::hypot(x - px, y - py);
      if (d < hit.f1) {
        hit.f2 = hit.f1;
        hit.f1 = d;
        hit.id = id;
        hit.dx = x - px;
        hit.dy = y - py;
      } else if (d < hit.f2) {
        hit.f2 = d;
      }
    }
  }
  return hit;
}

void Field::blur(int radius) {
  if (radius <= 0) return;
  std::vector<double> tmp(v_.size());
  const double scale = 1.0 / (2 * radius + 1);
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      double s = 0.0;
      for (int k = -radius; k <= radius; ++k) s += v_[y * kTile + wrap(x + k)];
      tmp[y * kTile + x] = s * scale;
    }
  }
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      double s = 0.0;
      for (int k = -radius; k <= radius; ++k) s += tmp[wrap(y + k) * kTile + x];
      v_[y * kTile + x] = s * scale;
    }
  }
}

void Field::normalise(double lowShare, double highShare) {
  std::vector<double> sorted = v_;
  std::sort(sorted.begin(), sorted.end());
  const auto last = static_cast<double>(sorted.size() - 1);
  const double lo = sorted[static_cast<std::size_t>(lowShare * last)];
  const double hi = sorted[static_cast<std::size_t>((1.0 - highShare) * last)];
  const double span = hi > lo ? hi - lo : 1.0;
  for (double& v : v_) v = std::clamp((v - lo) / span, 0.0, 1.0);
}

void Field::add(const Field& other, double weight) {
  for (std::size_t i = 0; i < v_.size(); ++i) v_[i] += weight * other.v_[i];
}

QImage Field::toImage(int lo, int hi) const {
  QImage image(kTile, kTile, QImage::Format_RGB32);
  for (int y = 0; y < kTile; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kTile; ++x) {
      const double v = std::clamp(v_[y * kTile + x], 0.0, 1.0);
      const int g = std::clamp(static_cast<int>(std::lround(lo + v * (hi - lo))), 0, 255);
      row[x] = qRgb(g, g, g);
    }
  }
  return image;
}

void strokeLine(Field& f, double x0, double y0, double x1, double y1, double width, double value) {
  const double half = width * 0.5 + 1.0;
  const int left = static_cast<int>(std::floor(std::min(x0, x1) - half));
  const int right = static_cast<int>(std::ceil(std::max(x0, x1) + half));
  const int top = static_cast<int>(std::floor(std::min(y0, y1) - half));
  const int bottom = static_cast<int>(std::ceil(std::max(y0, y1) + half));
  const double dx = x1 - x0, dy = y1 - y0;
  const double len2 = dx * dx + dy * dy;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      double t = len2 > 0.0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0.0;
      t = std::clamp(t, 0.0, 1.0);
      const double d = std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
      const double cover = std::clamp(width * 0.5 + 0.5 - d, 0.0, 1.0);
      if (cover > 0.0) f.at(x, y) += value * cover;
    }
  }
}

void stampDot(Field& f, double cx, double cy, double radius, double value) {
  const int left = static_cast<int>(std::floor(cx - radius - 1.0));
  const int right = static_cast<int>(std::ceil(cx + radius + 1.0));
  const int top = static_cast<int>(std::floor(cy - radius - 1.0));
  const int bottom = static_cast<int>(std::ceil(cy + radius + 1.0));
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / std::max(radius, 0.5);
      if (d < 1.0) {
        const double k = 1.0 - d * d;
        f.at(x, y) += value * k * k;
      }
    }
  }
}

}  // namespace sc::artwork
