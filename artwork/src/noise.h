// SPDX-License-Identifier: GPL-3.0-or-later
// Seeded, tileable noise for the paint-style and texture images. Every
// pattern repeats exactly every 400 pixels in both directions, because the
// program samples these images at coordinates modulo 400: a pattern that did
// not wrap would show a seam every 400 cells of paint.
#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace sc::artwork {

constexpr int kTile = 400;

// A small deterministic generator (SplitMix64); the same seed gives the same
// sequence on every machine.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  double uniform();                        // [0, 1)
  double range(double lo, double hi);      // [lo, hi)
 private:
  std::uint64_t state_;
};

// A hash of a lattice point to [0, 1).
double hash01(int x, int y, std::uint32_t seed);

// Gradient noise over a lattice of period x period cells laid over the tile,
// so it wraps at 400; roughly in [0, 1], 0.5 on average.
double tileNoise(double x, double y, int period, std::uint32_t seed);

// The same with its own period along each axis (long streaks: few cells along
// x, many along y).
double tileNoiseXY(double x, double y, int periodX, int periodY, std::uint32_t seed);

// Sum of octaves of tileNoise, the period doubling and the weight multiplied
// by gain each octave; normalised back to roughly [0, 1].
double tileFbm(double x, double y, int period, int octaves, double gain, std::uint32_t seed);

// Worley cells: one seed point jittered inside each of n x n grid cells.
struct CellHit {
  double f1 = 0.0;  // distance to the nearest point
  double f2 = 0.0;  // distance to the second nearest
  int id = 0;       // index of the nearest point
  double dx = 0.0, dy = 0.0;  // offset from the nearest point to the sample
};

class TileCells {
 public:
  TileCells(int n, double jitter, std::uint32_t seed);
  CellHit at(double x, double y) const;
  double cellSize() const { return size_; }
  int count() const { return n_ * n_; }
 private:
  int n_;
  double size_;
  std::vector<double> px_, py_;
};

// A 400 x 400 field of values with wrap-around neighbours.
class Field {
 public:
  Field() : v_(kTile * kTile, 0.0) {}
  double& at(int x, int y) { return v_[wrap(y) * kTile + wrap(x)]; }
  double at(int x, int y) const { return v_[wrap(y) * kTile + wrap(x)]; }
  static int wrap(int i) { return ((i % kTile) + kTile) % kTile; }

  template <class F>
  void fill(F f) {
    for (int y = 0; y < kTile; ++y)
      for (int x = 0; x < kTile; ++x) v_[y * kTile + x] = f(x, y);
  }
  void blur(int radius);               // box blur, wrapping at the edges
  void normalise(double lowShare = 0.0, double highShare = 0.0);  // to [0, 1], clipping the shares
  void add(const Field& other, double weight);

  // Grey picture: value 0 becomes lo, 1 becomes hi, clamped to 0..255.
  QImage toImage(int lo, int hi) const;

 private:
  std::vector<double> v_;
};

// Adds an anti-aliased line of the given width and strength to a field, wrapping.
void strokeLine(Field& f, double x0, double y0, double x1, double y1, double width, double value);

// Adds a soft round dot, wrapping.
void stampDot(Field& f, double cx, double cy, double radius, double value);

}  // namespace sc::artwork
