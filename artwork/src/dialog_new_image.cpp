// SPDX-License-Identifier: GPL-3.0-or-later
// The New Image dialog: its background with the field labels, and the OK and
// Cancel buttons. The dialog reads these as grey pictures (their red channel
// only), so they are drawn in greys from the start: what is drawn is what shows.
#include <QPainterPath>

#include "catalog.h"
#include "layout.h"
#include "skin.h"

namespace sc::artwork {

namespace {

using namespace layout;

QColor grey(int v) { return QColor(v, v, v); }

const QColor kFace = grey(232);
const QColor kFooter = grey(218);
const QColor kLine = grey(166);
const QColor kInk = grey(50);
const QColor kMuted = grey(112);

constexpr int kFooterTop = 92;

// A sheet with arrows along its width and height: what the two numbers mean.
void drawSizeSketch(QPainter& p) {
  const QRectF sheet(178.5, 20.5, 36.0, 44.0);
  p.setPen(QPen(kLine, 1.0));
  p.setBrush(grey(250));
  p.drawRect(sheet.translated(2.0, 2.0));
  p.setPen(QPen(grey(96), 1.0));
  p.drawRect(sheet);
  QPen arrow(grey(96), 1.0);
  p.setPen(arrow);
  const double ax = sheet.left(), bx = sheet.right(), ay = 13.5;
  p.drawLine(QPointF(ax, ay), QPointF(bx, ay));
  p.drawPolyline(QPolygonF({QPointF(ax + 3, ay - 2.5), QPointF(ax, ay), QPointF(ax + 3, ay + 2.5)}));
  p.drawPolyline(QPolygonF({QPointF(bx - 3, ay - 2.5), QPointF(bx, ay), QPointF(bx - 3, ay + 2.5)}));
  const double vx = 223.5, vy0 = sheet.top(), vy1 = sheet.bottom();
  p.drawLine(QPointF(vx, vy0), QPointF(vx, vy1));
  p.drawPolyline(QPolygonF({QPointF(vx - 2.5, vy0 + 3), QPointF(vx, vy0), QPointF(vx + 2.5, vy0 + 3)}));
  p.drawPolyline(QPolygonF({QPointF(vx - 2.5, vy1 - 3), QPointF(vx, vy1), QPointF(vx + 2.5, vy1 - 3)}));
}

QImage fileNew() {
  QImage image = blankPicture(kFileNewW, kFileNewH, kFace);
  QPainter p(&image);
  preparePainter(p);
  const QFont label = skinFont(11, true), small = skinFont(10);
  const int fieldY[2] = {kWidthFieldY, kHeightFieldY};
  const char* names[2] = {"Width", "Height"};
  for (int i = 0; i < 2; ++i) {
    const QRect field(kFieldX, fieldY[i], kFieldW, kFieldH);
    drawLabel(p, QRect(14, fieldY[i], kFieldX - 14 - 8, kFieldH), names[i], label, kInk,
              Qt::AlignRight | Qt::AlignVCenter);
    // A sunken frame around the edit field, which fills the inside itself.
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(field, grey(255));
    p.fillRect(QRect(field.left() - 1, field.top() - 1, field.width() + 2, 1), grey(140));
    p.fillRect(QRect(field.left() - 1, field.top() - 1, 1, field.height() + 2), grey(140));
    p.fillRect(QRect(field.left() - 1, field.bottom() + 1, field.width() + 2, 1), grey(250));
    p.fillRect(QRect(field.right() + 1, field.top() - 1, 1, field.height() + 2), grey(250));
    p.restore();
    drawLabel(p, QRect(field.right() + 6, fieldY[i], 40, kFieldH), "pixels", small, kMuted);
  }
  drawLabel(p, QRect(0, 74, kFileNewW, 14), "From 1 x 1 to 2000 x 2000 pixels", skinFont(9), kMuted,
            Qt::AlignCenter);
  drawSizeSketch(p);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRect(0, kFooterTop, kFileNewW, kFileNewH - kFooterTop), kFooter);
  p.fillRect(QRect(0, kFooterTop, kFileNewW, 1), kLine);
  p.restore();
  return image;
}

QImage dialogButton(const QString& text, bool isDefault, bool pressed) {
  QImage image = blankPicture(kDialogButtonW, kDialogButtonH, kFooter);
  QPainter p(&image);
  preparePainter(p);
  const QRectF body(1.5, 1.5, kDialogButtonW - 3.0, kDialogButtonH - 3.0);
  QPainterPath path;
  path.addRoundedRect(body, 3.5, 3.5);
  if (pressed) {
    p.fillPath(path, grey(196));
    p.save();
    p.setClipPath(path);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(2, 2, kDialogButtonW - 4, 2), grey(172));
    p.restore();
  } else {
    QLinearGradient g(0, body.top(), 0, body.bottom());
    g.setColorAt(0.0, grey(250));
    g.setColorAt(1.0, grey(228));
    p.fillPath(path, g);
  }
  // The default button (OK) has the stronger frame.
  p.setPen(QPen(isDefault ? grey(70) : grey(140), isDefault ? 1.6 : 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  const QRect textBox = pressed ? QRect(1, 1, kDialogButtonW, kDialogButtonH - 1)
                                : QRect(0, 0, kDialogButtonW, kDialogButtonH - 1);
  drawLabel(p, textBox, text, skinFont(11, isDefault), kInk, Qt::AlignCenter);
  return image;
}

}  // namespace

void addNewImagePictures(PictureList& out) {
  out.push_back({"", "filenew", true, fileNew()});
  out.push_back({"", "okay0", true, dialogButton("OK", true, false)});
  out.push_back({"", "okay1", true, dialogButton("OK", true, true)});
  out.push_back({"", "cancel0", true, dialogButton("Cancel", false, false)});
  out.push_back({"", "cancel1", true, dialogButton("Cancel", false, true)});
}

}  // namespace sc::artwork
