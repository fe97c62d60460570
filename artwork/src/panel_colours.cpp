// SPDX-License-Identifier: GPL-3.0-or-later
// The colours panel: its background and the spectrum the user picks from.
// The background shows the spectrum at the very place the panel reads it
// ("colors" at (4, 76)), so a press picks the colour under the pointer.
#include <QLinearGradient>

#include <algorithm>
#include <cmath>

#include "catalog.h"
#include "layout.h"
#include "skin.h"

namespace sc::artwork {

namespace {

using namespace layout;

constexpr int kHueColumns = 173;  // the rest of the strip is a grey ramp

QColor spectrumColour(int x, int y) {
  if (x >= kHueColumns) {
    const int steps = kSpectrumW - kHueColumns - 1;
    const int g = static_cast<int>(std::lround(255.0 * (steps - (x - kHueColumns)) / steps));
    return QColor(g, g, g);
  }
  const QColor pure = QColor::fromHsvF(static_cast<float>(x) / kHueColumns, 1.0f, 1.0f);
  // Top rows lean to white, bottom rows to black, the middle is the pure hue.
  const double s = (y + 0.5) / kSpectrumH;
  double r = pure.redF(), g = pure.greenF(), b = pure.blueF();
  if (s < 0.5) {
    const double w = (0.5 - s) / 0.5 * 0.8;
    r += (1.0 - r) * w;
    g += (1.0 - g) * w;
    b += (1.0 - b) * w;
  } else {
    const double k = 1.0 - (s - 0.5) / 0.5 * 0.8;
    r *= k;
    g *= k;
    b *= k;
  }
  auto byte = [](double v) { return std::clamp(static_cast<int>(std::lround(v * 255.0)), 0, 255); };
  return QColor(byte(r), byte(g), byte(b));
}

QImage spectrum() {
  QImage image(kSpectrumW, kSpectrumH, QImage::Format_RGB32);
  for (int y = 0; y < kSpectrumH; ++y)
    for (int x = 0; x < kSpectrumW; ++x) image.setPixelColor(x, y, spectrumColour(x, y));
  return image;
}

QImage colourPanel(const QImage& strip) {
  QImage image = blankPicture(kColoursW, kColoursH, colours::face);
  QPainter p(&image);
  preparePainter(p);
  // The swatch (with its own black frame) sits in a shallow well.
  drawWell(p, QRect(kSwatchX - 1, kSwatchY - 1, kSwatchSize + 2, kSwatchSize + 2), colours::faceHigh);

  const char* labels[3] = {"R", "G", "B"};
  const QColor ends[3] = {QColor(214, 40, 40), QColor(40, 168, 60), QColor(48, 84, 214)};
  for (int i = 0; i < 3; ++i) {
    const int y = kColourSliderY[i];
    drawLabel(p, QRect(32, y - 5, 14, 12), labels[i], skinFont(10, true), colours::ink,
              Qt::AlignCenter);
    // A thin ramp under the track shows what the channel does.
    QLinearGradient ramp(kColourSliderX, 0, kColourSliderX + kColourSliderLength, 0);
    ramp.setColorAt(0.0, QColor(40, 38, 36));
    ramp.setColorAt(1.0, ends[i]);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(kColourSliderX, y + 8, kColourSliderLength + 1, 3), ramp);
    p.restore();
  }
  drawFrame(p, QRect(kSpectrumX - 1, kSpectrumY - 1, kSpectrumW + 2, kSpectrumH + 2), colours::lineDark);
  p.drawImage(kSpectrumX, kSpectrumY, strip);
  return image;
}

}  // namespace

void addColoursPictures(PictureList& out) {
  const QImage strip = spectrum();
  out.push_back({"", "colordlg", false, colourPanel(strip)});
  out.push_back({"", "colors", false, strip});
}

}  // namespace sc::artwork
