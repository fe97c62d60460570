// SPDX-License-Identifier: GPL-3.0-or-later
// The splash picture: a few thick, lit strokes of paint on canvas above the
// program's name. The strokes are laid as colour and height and then lit the
// way the program lights its paintings, so the splash shows what it does.
#include <QLinearGradient>

#include <algorithm>
#include <cmath>
#include <vector>

#include "catalog.h"
#include "grain_patterns.h"
#include "layout.h"
#include "skin.h"

#ifndef SMUDGECRAFT_VERSION
#define SMUDGECRAFT_VERSION "0.1"
#endif

namespace sc::artwork {

namespace {

using namespace layout;

constexpr int kPaintH = 196;  // the painted band; the name sits below it

struct Relief {
  std::vector<double> height, r, g, b;
  Relief() : height(kSplashW * kPaintH, 0.0), r(height.size()), g(height.size()), b(height.size()) {}
};

struct Stroke {
  QPointF p0, c0, c1, p1;  // a cubic Bezier
  double width;
  QColor colour;
  std::uint32_t seed;
};

QPointF bezier(const Stroke& s, double t) {
  const double u = 1.0 - t;
  return s.p0 * (u * u * u) + s.c0 * (3 * u * u * t) + s.c1 * (3 * u * t * t) + s.p1 * (t * t * t);
}

// Lays one stroke: along its path, each dab pushes colour and a ridged,
// bristle-streaked bead of paint, thinning towards the end of the stroke.
void layStroke(Relief& relief, const Stroke& s) {
  const int steps = 260;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    const QPointF c = bezier(s, t);
    const QPointF d = bezier(s, std::min(1.0, t + 0.01)) - bezier(s, std::max(0.0, t - 0.01));
    const double len = std::hypot(d.x(), d.y()) + 1e-9;
    const double nx = -d.y() / len, ny = d.x() / len;  // across the stroke
    const double w = s.width * (0.55 + 0.45 * std::sin(3.14159 * std::min(1.0, t * 1.4 + 0.08)));
    const int x0 = static_cast<int>(c.x() - w - 2), x1 = static_cast<int>(c.x() + w + 2);
    const int y0 = static_cast<int>(c.y() - w - 2), y1 = static_cast<int>(c.y() + w + 2);
    for (int y = std::max(0, y0); y <= std::min(kPaintH - 1, y1); ++y) {
      for (int x = std::max(0, x0); x <= std::min(kSplashW - 1, x1); ++x) {
        const double ox = x - c.x(), oy = y - c.y();
        const double across = (ox * nx + oy * ny) / w;
        const double dist = std::hypot(ox, oy) / w;
        if (dist >= 1.0) continue;
        const double bristle = 0.6 + 0.4 * hash01(static_cast<int>((across + 1.0) * 40.0), 0, s.seed);
        const double bead = (1.0 - dist * dist) * bristle * (1.0 - 0.5 * t);
        const int k = y * kSplashW + x;
        const double cover = std::min(1.0, bead * 1.6);
        relief.r[k] += (s.colour.redF() - relief.r[k]) * cover;
        relief.g[k] += (s.colour.greenF() - relief.g[k]) * cover;
        relief.b[k] += (s.colour.blueF() - relief.b[k]) * cover;
        relief.height[k] = std::max(relief.height[k] * (1.0 - 0.3 * cover), bead * 6.0);
      }
    }
  }
}

QImage paintedBand() {
  Relief relief;
  // Primed canvas: a light warm ground with a fine weave in the relief.
  for (int y = 0; y < kPaintH; ++y) {
    for (int x = 0; x < kSplashW; ++x) {
      const int k = y * kSplashW + x;
      relief.r[k] = 0.93;
      relief.g[k] = 0.91;
      relief.b[k] = 0.87;
      relief.height[k] = 0.22 * weave(x, y, 100, 100, 0.1, 0.8, 9001);
    }
  }
  const Stroke strokes[] = {
      {{-20, 150}, {90, 40}, {200, 190}, {330, 70}, 26, QColor(44, 82, 160), 9101},
      {{120, -10}, {170, 80}, {260, 60}, {300, 150}, 18, QColor(226, 178, 52), 9102},
      {{250, 190}, {330, 120}, {380, 40}, {500, 30}, 24, QColor(196, 64, 50), 9103},
      {{20, 20}, {80, 60}, {140, 20}, {190, 70}, 12, QColor(64, 140, 92), 9104},
      {{360, 150}, {400, 110}, {440, 170}, {490, 120}, 14, QColor(245, 243, 236), 9105},
  };
  for (const Stroke& s : strokes) layStroke(relief, s);

  QImage image(kSplashW, kPaintH, QImage::Format_RGB32);
  const double lx = -0.55, ly = -0.6, lz = 0.58;  // light from the upper left
  for (int y = 0; y < kPaintH; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kSplashW; ++x) {
      auto h = [&](int xx, int yy) {
        return relief.height[std::clamp(yy, 0, kPaintH - 1) * kSplashW + std::clamp(xx, 0, kSplashW - 1)];
      };
      const double gx = h(x + 1, y) - h(x - 1, y), gy = h(x, y + 1) - h(x, y - 1);
      const double nlen = std::sqrt(gx * gx + gy * gy + 1.0);
      const double nx = -gx / nlen, ny = -gy / nlen, nz = 1.0 / nlen;
      const double diffuse = std::max(0.0, nx * lx + ny * ly + nz * lz);
      const double hz = nz * 2.0 * (nx * lx + ny * ly + nz * lz) - lz;  // reflection's z
      const double gloss = std::pow(std::max(0.0, hz), 24.0) * 0.35;
      const int k = y * kSplashW + x;
      const double shade = 0.45 + 0.75 * diffuse;
      auto byte = [&](double c) {
        return std::clamp(static_cast<int>(std::lround((c * shade + gloss) * 255.0)), 0, 255);
      };
      row[x] = qRgb(byte(relief.r[k]), byte(relief.g[k]), byte(relief.b[k]));
    }
  }
  return image;
}

QImage splash() {
  QImage image = blankPicture(kSplashW, kSplashH, colours::face);
  QPainter p(&image);
  preparePainter(p);
  p.drawImage(0, 0, paintedBand());
  p.fillRect(QRect(0, kPaintH, kSplashW, 1), colours::lineDark);
  p.fillRect(QRect(0, kPaintH + 1, kSplashW, 1), colours::faceHigh);
  drawLabel(p, QRect(28, kPaintH + 14, 420, 44), "Smudgecraft", skinFont(38, true), colours::ink);
  drawLabel(p, QRect(30, kPaintH + 60, 420, 18), "Thick, wet paint on a lit canvas", skinFont(14),
            colours::inkMuted);
  drawLabel(p, QRect(0, kSplashH - 26, kSplashW - 24, 16), QStringLiteral("Version " SMUDGECRAFT_VERSION),
            skinFont(11), colours::inkMuted, Qt::AlignRight | Qt::AlignVCenter);
  // Help, About shows this picture: it names the licence and who holds it,
  // above the version.
  drawLabel(p, QRect(0, kSplashH - 62, kSplashW - 24, 16), "\u00A9 2026 Smudgecraft developers", skinFont(11),
            colours::inkMuted, Qt::AlignRight | Qt::AlignVCenter);
  drawLabel(p, QRect(0, kSplashH - 44, kSplashW - 24, 16), "GNU GPL, version 3 or later", skinFont(11),
            colours::inkMuted, Qt::AlignRight | Qt::AlignVCenter);
  return image;
}

}  // namespace

void addSplashPicture(PictureList& out) { out.push_back({"", "splash", false, splash()}); }

}  // namespace sc::artwork
