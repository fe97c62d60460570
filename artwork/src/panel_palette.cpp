// SPDX-License-Identifier: GPL-3.0-or-later
// The palette panel: the brushes page (a 9 x 5 grid of preset wells), the
// strokes page (a list of ten strokes and the stroke dynamics controls), the
// two tabs, the four buttons along the bottom and the check boxes.
#include <QPainterPath>

#include <algorithm>

#include "catalog.h"
#include "layout.h"
#include "skin.h"

namespace sc::artwork {

namespace {

using namespace layout;

constexpr int kBarTop = 172;  // the groove above the bottom buttons

void drawBottomBar(QPainter& p) {
  drawGroove(p, 0, kPaletteW - 1, kBarTop);
}

void drawBrushWells(QPainter& p) {
  const QRect bed(kGridX, kGridY, kBrushColumns * kCell, kBrushRows * kCell);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(bed, colours::well);
  for (int i = 0; i <= kBrushColumns; ++i) {
    const int x = std::min(kGridX + i * kCell, bed.right());
    p.fillRect(QRect(x, bed.top(), 1, bed.height()), colours::shadow);
  }
  for (int j = 0; j <= kBrushRows; ++j) {
    const int y = std::min(kGridY + j * kCell, bed.bottom());
    p.fillRect(QRect(bed.left(), y, bed.width(), 1), colours::shadow);
  }
  p.restore();
  drawFrame(p, bed.adjusted(-1, -1, 1, 1), colours::line);
}

void drawStrokeWells(QPainter& p) {
  const QRect bed(kGridX, kGridY, kStrokeRowW, kStrokeRows * kStrokeRowH);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(bed, colours::well);
  for (int j = 1; j < kStrokeRows; ++j)
    p.fillRect(QRect(bed.left(), kGridY + j * kStrokeRowH, bed.width(), 1), colours::shadow);
  p.restore();
  drawFrame(p, bed.adjusted(-1, -1, 1, 1), colours::line);
}

// The dynamics controls: check box labels, slider labels and the thin lines
// that tie each slider to the switch that enables it.
void drawDynamicsControls(QPainter& p) {
  const QFont bold = skinFont(10, true), plain = skinFont(10);
  const char* checks[3] = {"Fade strength", "Fade size", "Pulse"};
  for (int i = 0; i < 3; ++i) {
    drawLabel(p, QRect(kCheckX + kCheckSize + 4, kCheckY[i], 120, kCheckSize), checks[i], bold,
              colours::ink, Qt::AlignLeft | Qt::AlignVCenter);
  }
  const char* sliders[3] = {"Phase", "Period", "Amount"};
  for (int i = 0; i < 3; ++i) {
    const int y = kStrokeSliderY[2 + i];
    drawLabel(p, QRect(kStrokeSliderX[2 + i] - 1, y - 18, 90, 12), sliders[i], plain,
              colours::inkMuted, Qt::AlignLeft | Qt::AlignVCenter);
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  const int stem = kCheckX + kCheckSize / 2;
  for (int i = 0; i < 2; ++i) {  // fade switches: one slider each, just below
    const int y = kStrokeSliderY[i];
    p.fillRect(QRect(stem, kCheckY[i] + kCheckSize + 2, 1, y - kCheckY[i] - kCheckSize - 1), colours::line);
    p.fillRect(QRect(stem, y, kStrokeSliderX[i] - stem - 6, 1), colours::line);
  }
  const int last = kStrokeSliderY[4];  // the pulse switch: three sliders
  p.fillRect(QRect(stem, kCheckY[2] + kCheckSize + 2, 1, last - kCheckY[2] - kCheckSize - 1), colours::line);
  for (int i = 2; i < 5; ++i)
    p.fillRect(QRect(stem, kStrokeSliderY[i], kStrokeSliderX[i] - stem - 6, 1), colours::line);
  p.restore();
}

QImage palettePage(bool strokes) {
  QImage image = blankPicture(kPaletteW, kPaletteH, colours::face);
  QPainter p(&image);
  preparePainter(p);
  drawTabStrip(p, kPaletteW, kPageTop);
  if (strokes) {
    drawStrokeWells(p);
    drawDynamicsControls(p);
  } else {
    drawBrushWells(p);
  }
  drawBottomBar(p);
  return image;
}

// Button glyphs, drawn in a box centred on the button.
void drawPlus(QPainter& p, QPointF c) {
  p.setPen(QPen(colours::ink, 2.0, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(c + QPointF(-4.5, 0.0), c + QPointF(4.5, 0.0));
  p.drawLine(c + QPointF(0.0, -4.5), c + QPointF(0.0, 4.5));
}

void drawBin(QPainter& p, QPointF c) {
  p.setPen(QPen(colours::ink, 1.0));
  p.setBrush(colours::faceHigh);
  QPainterPath can;
  can.moveTo(c + QPointF(-3.5, -3.0));
  can.lineTo(c + QPointF(-2.8, 5.0));
  can.lineTo(c + QPointF(2.8, 5.0));
  can.lineTo(c + QPointF(3.5, -3.0));
  can.closeSubpath();
  p.drawPath(can);
  p.drawLine(c + QPointF(-5.0, -4.5), c + QPointF(5.0, -4.5));  // lid
  p.drawLine(c + QPointF(-1.5, -6.0), c + QPointF(1.5, -6.0));  // handle
  p.drawLine(c + QPointF(-1.0, -1.5), c + QPointF(-1.0, 3.5));
  p.drawLine(c + QPointF(1.0, -1.5), c + QPointF(1.0, 3.5));
}

QImage bottomButton(int width, const QString& text, int glyph, bool pressed) {
  QImage image = blankPicture(width, kBottomButtonH, colours::face);
  QPainter p(&image);
  preparePainter(p);
  drawButtonFace(p, QRect(0, 0, width, kBottomButtonH), pressed);
  if (pressed) p.translate(1.0, 1.0);
  const QPointF centre(width / 2.0, kBottomButtonH / 2.0);
  if (glyph == 1) drawPlus(p, centre);
  if (glyph == 2) drawBin(p, centre);
  if (!text.isEmpty())
    drawLabel(p, QRect(0, 0, width, kBottomButtonH - 1), text, skinFont(10), colours::ink, Qt::AlignCenter);
  return image;
}

QImage checkBox(bool checked) {
  QImage image = blankPicture(kCheckSize, kCheckSize, colours::face);
  QPainter p(&image);
  preparePainter(p);
  const QRectF box(0.5, 0.5, kCheckSize - 1.0, kCheckSize - 1.0);
  p.setPen(QPen(checked ? colours::accent : colours::lineDark, 1.0));
  p.setBrush(checked ? colours::accent : QColor(252, 251, 249));
  p.drawRoundedRect(box, 2.0, 2.0);
  if (checked) {
    QPen tick(Qt::white, 1.8);
    tick.setCapStyle(Qt::RoundCap);
    tick.setJoinStyle(Qt::RoundJoin);
    p.setPen(tick);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(3.2, 6.6), QPointF(5.4, 8.9), QPointF(9.8, 3.9)}));
  }
  return image;
}

}  // namespace

void addPalettePictures(PictureList& out) {
  out.push_back({"", "palette", false, palettePage(false)});
  out.push_back({"", "strokes", false, palettePage(true).copy(0, kPageTop, kPaletteW, kStrokesH)});
  out.push_back({"", "tbrushes0", false, drawTab(kTabW, kTabH, "Brushes", false)});
  out.push_back({"", "tbrushes1", false, drawTab(kTabW, kTabH, "Brushes", true)});
  out.push_back({"", "tstrokes0", false, drawTab(kTabW, kTabH, "Strokes", false)});
  out.push_back({"", "tstrokes1", false, drawTab(kTabW, kTabH, "Strokes", true)});
  for (int pressed = 0; pressed < 2; ++pressed) {
    const QString n = QString::number(pressed);
    out.push_back({"", "add" + n, false, bottomButton(kSmallButtonW, "", 1, pressed)});
    out.push_back({"", "delete" + n, false, bottomButton(kSmallButtonW, "", 2, pressed)});
    out.push_back({"", "savelist" + n, false, bottomButton(kListButtonW, "Save list", 0, pressed)});
    out.push_back({"", "loadlist" + n, false, bottomButton(kListButtonW, "Load list", 0, pressed)});
  }
  out.push_back({"", "check0", false, checkBox(false)});
  out.push_back({"", "check1", false, checkBox(true)});
}

}  // namespace sc::artwork
