// SPDX-License-Identifier: GPL-3.0-or-later
// The brush properties panel's background and the slider knob every panel uses.
#include <QLinearGradient>

#include "catalog.h"
#include "layout.h"
#include "skin.h"

namespace sc::artwork {

namespace {

using namespace layout;

QImage properties() {
  QImage image = blankPicture(kPropertiesW, kPropertiesH, colours::face);
  QPainter p(&image);
  preparePainter(p);
  // The preview sits in a well; the canvas covers its inside.
  drawWell(p, QRect(kPreviewX - 1, kPreviewY - 1, kPreviewSize + 2, kPreviewSize + 2), colours::faceHigh);
  drawLabel(p, QRect(kPreviewX, kPreviewY + kPreviewSize + 3, kPreviewSize, 13), "Preview",
            skinFont(9), colours::inkMuted, Qt::AlignCenter);

  const char* labels[4] = {"Size", "Strength", "Thickness", "Shine"};
  const QFont font = skinFont(10, true);
  for (int i = 0; i < 4; ++i) {
    const int y = kPropertySliderY[i];
    drawLabel(p, QRect(kPropertySliderX - 1, y - 19, 112, 13), labels[i], font, colours::ink,
              Qt::AlignLeft | Qt::AlignVCenter);
  }
  // Size, strength and thickness shape the stroke; shine is the finish.
  drawGroove(p, kPropertySliderX - 4, kPropertySliderX + kPropertySliderLength + 8, 92);
  // The styles panel below starts with its own tab strip; a line closes this part.
  drawGroove(p, 0, kPropertiesW - 1, kPropertiesH - 2);
  return image;
}

// The slider knob: a small upright grip, centred on the two-pixel track.
QImage knob() {
  QImage image = blankPicture(kKnobW, kKnobH, colours::face);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  QLinearGradient g(0, 0, kKnobW, 0);
  g.setColorAt(0.0, colours::faceHigh);
  g.setColorAt(1.0, QColor(206, 201, 193));
  p.fillRect(QRect(1, 1, kKnobW - 2, kKnobH - 2), g);
  p.fillRect(QRect(1, 0, kKnobW - 2, 1), colours::lineDark);
  p.fillRect(QRect(1, kKnobH - 1, kKnobW - 2, 1), colours::lineDark);
  p.fillRect(QRect(0, 1, 1, kKnobH - 2), colours::lineDark);
  p.fillRect(QRect(kKnobW - 1, 1, 1, kKnobH - 2), colours::lineDark);
  p.fillRect(QRect(kKnobW / 2, 3, 1, kKnobH - 6), colours::accent);  // the grip line
  return image;
}

}  // namespace

void addPropertiesPictures(PictureList& out) {
  out.push_back({"", "properties", false, properties()});
  out.push_back({"", "tab", false, knob()});
}

}  // namespace sc::artwork
