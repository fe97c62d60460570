// SPDX-License-Identifier: GPL-3.0-or-later
// The layers panel: the bed of the layer list with its scroll buttons, the
// opacity slider's label, the command buttons along the bottom, the eye of
// the visibility toggle, and the letters the panel writes the names with.
#include <QFontMetrics>
#include <QPainterPath>

#include <algorithm>

#include "catalog.h"
#include "layout.h"
#include "skin.h"

namespace sc::artwork {

namespace {

using namespace layout;

QImage layersBackground() {
  QImage image = blankPicture(kLayersW, kLayersH, colours::face);
  QPainter p(&image);
  preparePainter(p);
  const int listH = kLayerRows * kLayerRowH;
  const QRect bed(kLayerListX, kLayerListY, kLayerRowW, listH);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(bed, colours::well);
  for (int j = 1; j < kLayerRows; ++j)
    p.fillRect(QRect(bed.left(), kLayerListY + j * kLayerRowH - 1, bed.width(), 1), colours::shadow);
  p.fillRect(QRect(kLayerScrollX, kLayerListY, kLayerScrollSize, listH), colours::strip);
  p.restore();
  drawFrame(p, bed.adjusted(-1, -1, 1, 1), colours::line);
  drawFrame(p, QRect(kLayerScrollX - 1, kLayerListY - 1, kLayerScrollSize + 2, listH + 2), colours::line);
  drawGroove(p, 0, kLayersW - 1, kOpacityGrooveY);
  drawLabel(p, QRect(8, kOpacitySliderY - 7, kOpacitySliderX - 16, 14), "Opacity", skinFont(10, true),
            colours::ink, Qt::AlignLeft | Qt::AlignVCenter);
  drawGroove(p, 0, kLayersW - 1, kLayerButtonGrooveY);
  return image;
}

// A sheet of paper with a folded corner, its top left at (x, y).
void drawSheet(QPainter& p, double x, double y, double w, double h) {
  QPainterPath sheet;
  sheet.moveTo(x, y);
  sheet.lineTo(x + w - 3.0, y);
  sheet.lineTo(x + w, y + 3.0);
  sheet.lineTo(x + w, y + h);
  sheet.lineTo(x, y + h);
  sheet.closeSubpath();
  p.setPen(QPen(colours::ink, 1.0));
  p.setBrush(colours::faceHigh);
  p.drawPath(sheet);
}

void drawArrow(QPainter& p, QPointF c, bool up) {
  const double s = up ? -1.0 : 1.0;
  p.setPen(QPen(colours::ink, 2.0, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(c + QPointF(0.0, -4.5 * s), c + QPointF(0.0, 4.0 * s));
  p.setPen(Qt::NoPen);
  p.setBrush(colours::ink);
  p.drawPolygon(QPolygonF({c + QPointF(-4.5, 1.5 * s), c + QPointF(4.5, 1.5 * s), c + QPointF(0.0, 6.5 * s)}));
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
  p.drawLine(c + QPointF(-5.0, -4.5), c + QPointF(5.0, -4.5));
  p.drawLine(c + QPointF(-1.5, -6.0), c + QPointF(1.5, -6.0));
  p.drawLine(c + QPointF(-1.0, -1.5), c + QPointF(-1.0, 3.5));
  p.drawLine(c + QPointF(1.0, -1.5), c + QPointF(1.0, 3.5));
}

enum Glyph { kNewGlyph, kDuplicateGlyph, kDeleteGlyph, kUpGlyph, kDownGlyph, kMergeGlyph, kRenameGlyph };

void drawGlyph(QPainter& p, int glyph, QPointF c) {
  switch (glyph) {
    case kNewGlyph:
      drawSheet(p, c.x() - 5.5, c.y() - 6.5, 10.0, 13.0);
      p.setPen(QPen(colours::accent, 2.0, Qt::SolidLine, Qt::FlatCap));
      p.drawLine(c + QPointF(2.0, 3.0), c + QPointF(8.0, 3.0));
      p.drawLine(c + QPointF(5.0, 0.0), c + QPointF(5.0, 6.0));
      break;
    case kDuplicateGlyph:
      drawSheet(p, c.x() - 6.5, c.y() - 7.5, 9.0, 11.0);
      drawSheet(p, c.x() - 2.5, c.y() - 3.5, 9.0, 11.0);
      break;
    case kDeleteGlyph: drawBin(p, c); break;
    case kUpGlyph: drawArrow(p, c, true); break;
    case kDownGlyph: drawArrow(p, c, false); break;
    case kMergeGlyph:
      drawArrow(p, c + QPointF(0.0, -2.5), false);
      p.setPen(Qt::NoPen);
      p.setBrush(colours::accent);
      p.drawRect(QRectF(c.x() - 6.5, c.y() + 5.0, 13.0, 2.5));
      break;
    case kRenameGlyph: {
      drawLabel(p, QRect(int(c.x()) - 9, int(c.y()) - 7, 13, 14), "A", skinFont(11, true), colours::ink,
                Qt::AlignCenter);
      p.setPen(QPen(colours::accent, 1.0));
      p.drawLine(c + QPointF(5.5, -6.0), c + QPointF(5.5, 6.0));
      p.drawLine(c + QPointF(3.5, -6.5), c + QPointF(7.5, -6.5));
      p.drawLine(c + QPointF(3.5, 6.5), c + QPointF(7.5, 6.5));
      break;
    }
    default: break;
  }
}

QImage commandButton(int glyph, bool pressed) {
  QImage image = blankPicture(kLayerButtonW, kLayerButtonH, colours::face);
  QPainter p(&image);
  preparePainter(p);
  drawButtonFace(p, QRect(0, 0, kLayerButtonW, kLayerButtonH), pressed);
  if (pressed) p.translate(1.0, 1.0);
  drawGlyph(p, glyph, QPointF(kLayerButtonW / 2.0, kLayerButtonH / 2.0));
  return image;
}

QImage scrollButton(bool up, bool pressed) {
  QImage image = blankPicture(kLayerScrollSize, kLayerScrollSize, pressed ? colours::accentFace : colours::strip);
  QPainter p(&image);
  preparePainter(p);
  const double s = up ? -1.0 : 1.0;
  const QPointF c(kLayerScrollSize / 2.0 + (pressed ? 0.5 : 0.0), kLayerScrollSize / 2.0 + (pressed ? 0.5 : 0.0));
  p.setPen(Qt::NoPen);
  p.setBrush(colours::ink);
  p.drawPolygon(QPolygonF({c + QPointF(-4.0, -2.0 * s), c + QPointF(4.0, -2.0 * s), c + QPointF(0.0, 2.5 * s)}));
  return image;
}

// The eye of a visible layer, open; of a hidden one, shut.
QImage eyePicture(bool open) {
  QImage image = blankPicture(kEyeSize, kEyeSize, colours::well);
  QPainter p(&image);
  preparePainter(p);
  const QPointF c(kEyeSize / 2.0, kEyeSize / 2.0);
  p.setPen(QPen(open ? colours::ink : colours::line, 1.2));
  p.setBrush(open ? QColor(252, 251, 249) : Qt::NoBrush);
  QPainterPath lid;
  lid.moveTo(c + QPointF(-7.0, 0.0));
  lid.quadTo(c + QPointF(0.0, open ? -8.0 : 5.0), c + QPointF(7.0, 0.0));
  if (open) lid.quadTo(c + QPointF(0.0, 8.0), c + QPointF(-7.0, 0.0));
  p.drawPath(lid);
  if (open) {
    p.setPen(Qt::NoPen);
    p.setBrush(colours::accent);
    p.drawEllipse(c, 2.6, 2.6);
  } else {
    for (const double x : {-4.0, 0.0, 4.0}) p.drawLine(c + QPointF(x, 2.8), c + QPointF(x * 1.2, 5.0));
  }
  return image;
}

// Dark ink on white: a pixel's darkness is how much of it the letter covers.
// Row 0 of each cell is dark for as many pixels as the letter advances.
QImage letters() {
  QImage image = blankPicture(kGlyphCount * kGlyphW, kGlyphH + 1, Qt::white);
  QPainter p(&image);
  preparePainter(p);
  const QFont font = skinFont(11);
  const QFontMetrics metrics(font);
  p.setFont(font);
  p.setPen(Qt::black);
  for (int i = 0; i < kGlyphCount; ++i) {
    const QChar c(kGlyphFirst + i);
    const int left = i * kGlyphW;
    const int advance = std::min(metrics.horizontalAdvance(c), kGlyphW);
    p.save();
    p.setClipRect(QRect(left, 1, kGlyphW, kGlyphH));
    p.drawText(QPointF(left, 1 + metrics.ascent()), QString(c));
    p.restore();
    p.fillRect(QRect(left, 0, advance, 1), Qt::black);
  }
  return image;
}

}  // namespace

void addLayersPictures(PictureList& out) {
  out.push_back({"", "layers", false, layersBackground()});
  const char* stems[kLayerButtonCount] = {"layernew", "layerdup", "layerdel", "layerup",
                                          "layerdown", "layermerge", "layername"};
  for (int pressed = 0; pressed < 2; ++pressed) {
    const QString n = QString::number(pressed);
    for (int i = 0; i < kLayerButtonCount; ++i) out.push_back({"", stems[i] + n, false, commandButton(i, pressed)});
    out.push_back({"", "layerscrollup" + n, false, scrollButton(true, pressed)});
    out.push_back({"", "layerscrolldown" + n, false, scrollButton(false, pressed)});
    out.push_back({"", "eye" + n, false, eyePicture(pressed != 0)});
  }
  out.push_back({"", "letters", false, letters()});
}

}  // namespace sc::artwork
