// SPDX-License-Identifier: GPL-3.0-or-later
// Icons of the tools that lay, move or take off paint.
#include <QPainterPath>

#include "icons.h"

namespace sc::artwork {

namespace ic = iconColours;

QPen inkPen(double width) {
  QPen pen(ic::ink, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

namespace {

void shape(QPainter& p, const QPainterPath& path, const QColor& fill) {
  p.setPen(inkPen());
  p.setBrush(fill);
  p.drawPath(path);
}

QPainterPath roundedRect(double x, double y, double w, double h, double r) {
  QPainterPath path;
  path.addRoundedRect(QRectF(x, y, w, h), r, r);
  return path;
}

// A paint tube lying diagonally, cap to the lower right, a blob of paint squeezed out.
void tubePaint(QPainter& p) {
  p.save();
  p.translate(14.5, 13.5);
  p.rotate(32.0);
  QPainterPath body;
  body.moveTo(-9.5, -4.0);
  body.lineTo(3.0, -4.0);
  body.lineTo(6.0, -2.0);
  body.lineTo(6.0, 2.0);
  body.lineTo(3.0, 4.0);
  body.lineTo(-9.5, 4.0);
  body.closeSubpath();
  shape(p, body, ic::white);
  p.fillRect(QRectF(-5.5, -3.5, 6.0, 7.0), ic::red);  // the label band
  p.setPen(inkPen());
  p.drawLine(QPointF(-7.5, -4.0), QPointF(-7.5, 4.0));  // the crimp
  shape(p, roundedRect(6.0, -2.5, 4.0, 5.0, 1.0), QColor(80, 78, 76));  // cap
  p.restore();
  QPainterPath blob;
  blob.moveTo(18.5, 24.5);
  blob.cubicTo(18.0, 21.0, 22.0, 21.5, 23.0, 23.5);
  blob.cubicTo(25.5, 22.5, 27.5, 24.0, 26.5, 25.0);
  blob.closeSubpath();
  shape(p, blob, ic::red);
}

// A round brush from the lower left (paint-loaded tip) to the upper right (handle).
void paintBrush(QPainter& p) {
  p.save();
  p.translate(16.0, 14.0);
  p.rotate(-45.0);
  QPainterPath handle;
  handle.moveTo(2.0, -2.0);
  handle.lineTo(11.5, -1.2);
  handle.quadTo(13.5, 0.0, 11.5, 1.2);
  handle.lineTo(2.0, 2.0);
  handle.closeSubpath();
  shape(p, handle, ic::wood);
  shape(p, roundedRect(-3.0, -2.5, 5.0, 5.0, 0.8), ic::metal);  // ferrule
  QPainterPath tuft;
  tuft.moveTo(-3.0, -2.5);
  tuft.cubicTo(-7.0, -3.5, -10.0, -1.5, -12.5, 0.0);
  tuft.cubicTo(-10.0, 1.5, -7.0, 3.5, -3.0, 2.5);
  tuft.closeSubpath();
  shape(p, tuft, QColor(236, 226, 206));
  QPainterPath tip;  // the paint on the bristles
  tip.moveTo(-7.5, -2.2);
  tip.cubicTo(-9.5, -1.8, -11.0, -0.8, -12.5, 0.0);
  tip.cubicTo(-11.0, 0.8, -9.5, 1.8, -7.5, 2.2);
  tip.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(ic::blue);
  p.drawPath(tip);
  p.setPen(inkPen());
  p.setBrush(Qt::NoBrush);
  p.drawPath(tuft);
  p.restore();
}

// A spray can with its nozzle spraying a fan of dots to the right.
void sprayPaint(QPainter& p) {
  shape(p, roundedRect(9.5, 11.5, 9.0, 13.0, 1.5), ic::metal);
  p.fillRect(QRectF(10.0, 15.0, 8.0, 5.5), ic::green);
  p.setPen(inkPen());
  p.drawLine(QPointF(9.5, 15.0), QPointF(18.5, 15.0));
  p.drawLine(QPointF(9.5, 20.5), QPointF(18.5, 20.5));
  QPainterPath shoulder;
  shoulder.moveTo(10.0, 11.5);
  shoulder.quadTo(14.0, 7.0, 18.0, 11.5);
  shoulder.closeSubpath();
  shape(p, shoulder, ic::metalDark);
  shape(p, roundedRect(12.5, 5.5, 3.0, 3.5, 0.6), QColor(80, 78, 76));  // nozzle
  p.setPen(Qt::NoPen);
  p.setBrush(ic::green);
  const QPointF dots[] = {{19.0, 6.5}, {21.5, 4.5}, {21.8, 7.5}, {24.5, 3.0}, {24.5, 6.0},
                          {24.8, 9.0}, {27.0, 4.5}, {27.2, 7.5}, {22.0, 10.0}, {27.0, 10.5}};
  for (const QPointF& d : dots) p.drawEllipse(d, 0.95, 0.95);
}

// A drop of clear gel with a highlight.
void gelBrush(QPainter& p) {
  QPainterPath drop;
  drop.moveTo(16.0, 3.5);
  drop.cubicTo(18.5, 8.0, 23.0, 12.0, 23.0, 16.5);
  drop.cubicTo(23.0, 21.0, 19.5, 24.5, 16.0, 24.5);
  drop.cubicTo(12.5, 24.5, 9.0, 21.0, 9.0, 16.5);
  drop.cubicTo(9.0, 12.0, 13.5, 8.0, 16.0, 3.5);
  QLinearGradient g(10.0, 6.0, 22.0, 24.0);
  g.setColorAt(0.0, QColor(196, 226, 246));
  g.setColorAt(1.0, QColor(88, 150, 206));
  p.setPen(inkPen());
  p.setBrush(g);
  p.drawPath(drop);
  QPen shine(ic::white, 1.6);
  shine.setCapStyle(Qt::RoundCap);
  p.setPen(shine);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(11.5, 13.0, 7.0, 8.0), 150 * 16, 70 * 16);
}

// A palette knife: a flat rounded blade, a cranked neck and a wooden handle.
void knife(QPainter& p) {
  p.save();
  p.translate(16.0, 14.0);
  p.rotate(-40.0);
  QPainterPath blade;
  blade.moveTo(-13.0, 0.0);
  blade.cubicTo(-12.0, -3.5, -6.0, -3.8, -2.5, -1.0);
  blade.lineTo(-2.5, 1.0);
  blade.cubicTo(-6.0, 3.8, -12.0, 3.5, -13.0, 0.0);
  shape(p, blade, ic::metal);
  QPainterPath smear;  // paint picked up on the blade
  smear.moveTo(-12.8, 0.0);
  smear.cubicTo(-12.0, -2.8, -9.5, -3.0, -8.5, -2.6);
  smear.lineTo(-8.5, 2.6);
  smear.cubicTo(-9.5, 3.0, -12.0, 2.8, -12.8, 0.0);
  p.setPen(Qt::NoPen);
  p.setBrush(ic::yellow);
  p.drawPath(smear);
  p.setPen(inkPen());
  p.setBrush(Qt::NoBrush);
  p.drawPath(blade);
  p.setPen(inkPen(1.3));
  p.drawLine(QPointF(-2.5, 0.0), QPointF(2.0, 0.0));
  p.restore();
  p.save();
  p.translate(16.0, 14.0);
  p.rotate(-40.0);
  shape(p, roundedRect(2.0, -2.2, 11.0, 4.4, 2.0), ic::wood);
  p.restore();
}

// A fingertip pressing into paint, with the smear it leaves.
void finger(QPainter& p) {
  QPainterPath smear;
  smear.moveTo(5.0, 24.5);
  smear.cubicTo(8.0, 19.0, 12.0, 22.5, 15.0, 19.5);
  smear.lineTo(18.0, 23.0);
  smear.cubicTo(14.0, 26.0, 10.0, 23.5, 5.0, 24.5);
  p.setPen(Qt::NoPen);
  p.setBrush(ic::red);
  p.drawPath(smear);
  p.save();
  p.translate(19.0, 12.0);
  p.rotate(35.0);
  shape(p, roundedRect(-3.8, -10.0, 7.6, 18.0, 3.8), ic::skin);
  shape(p, roundedRect(-2.3, 2.0, 4.6, 4.6, 1.8), QColor(250, 228, 214));  // nail
  p.setPen(inkPen(0.8));
  p.drawLine(QPointF(-2.2, -3.0), QPointF(2.2, -3.0));  // knuckle
  p.restore();
}

// A sponge: a soft yellow block with pores.
void sponge(QPainter& p) {
  QPainterPath block;
  block.addRoundedRect(QRectF(6.5, 8.5, 19.0, 13.0), 3.5, 3.5);
  QLinearGradient g(0.0, 8.0, 0.0, 22.0);
  g.setColorAt(0.0, QColor(246, 214, 110));
  g.setColorAt(1.0, QColor(222, 178, 62));
  p.setPen(inkPen());
  p.setBrush(g);
  p.drawPath(block);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(188, 140, 40));
  const QRectF pores[] = {{9.5, 11.0, 2.6, 2.0}, {14.0, 10.5, 2.0, 1.8}, {19.0, 11.2, 2.8, 2.2},
                          {11.5, 15.0, 2.0, 2.0}, {16.0, 14.5, 3.0, 2.4}, {21.5, 15.5, 1.8, 1.8},
                          {8.8, 18.2, 1.8, 1.6}, {13.5, 18.5, 2.4, 1.8}, {19.5, 18.8, 2.2, 1.6}};
  for (const QRectF& r : pores) p.drawEllipse(r);
}

// A two-tone eraser block lying at an angle, with crumbs.
void eraser(QPainter& p) {
  p.save();
  p.translate(16.0, 13.0);
  p.rotate(-30.0);
  QPainterPath left = roundedRect(-10.5, -4.5, 10.0, 9.0, 1.5);
  QPainterPath right = roundedRect(-1.5, -4.5, 12.0, 9.0, 1.5);
  shape(p, right, QColor(110, 150, 200));
  shape(p, left, QColor(236, 150, 158));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 90));
  p.drawRect(QRectF(-10.0, -4.0, 20.5, 2.5));
  p.restore();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(236, 150, 158));
  p.drawEllipse(QPointF(6.5, 23.0), 1.0, 1.0);
  p.drawEllipse(QPointF(10.0, 24.5), 0.9, 0.9);
  p.drawEllipse(QPointF(4.0, 25.0), 0.8, 0.8);
}

// A paint bucket tipped to the right, paint running over its rim.
void fill(QPainter& p) {
  p.save();
  p.translate(13.0, 14.5);
  p.rotate(40.0);
  QPainterPath bucket;
  bucket.moveTo(-6.5, -5.0);
  bucket.lineTo(-5.0, 7.0);
  bucket.quadTo(0.0, 9.0, 5.0, 7.0);
  bucket.lineTo(6.5, -5.0);
  bucket.closeSubpath();
  QLinearGradient g(-6.5, 0.0, 6.5, 0.0);
  g.setColorAt(0.0, QColor(222, 226, 232));
  g.setColorAt(1.0, ic::metalDark);
  p.setPen(inkPen());
  p.setBrush(g);
  p.drawPath(bucket);
  p.setBrush(ic::blue);
  p.drawEllipse(QRectF(-6.5, -7.2, 13.0, 4.4));  // the open top, full of paint
  p.setPen(inkPen(0.9));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(-8.0, -12.0, 16.0, 14.0), 20 * 16, 140 * 16);  // wire handle
  p.restore();
  QPainterPath run;  // paint over the rim and a drip falling from it
  run.moveTo(19.0, 10.0);
  run.cubicTo(22.5, 10.5, 23.5, 13.0, 23.5, 16.5);
  run.cubicTo(23.5, 18.0, 21.5, 18.0, 21.5, 16.5);
  run.cubicTo(21.5, 14.5, 20.5, 13.5, 18.0, 13.0);
  run.closeSubpath();
  shape(p, run, ic::blue);
  QPainterPath drop;
  drop.moveTo(22.5, 19.5);
  drop.cubicTo(23.5, 21.0, 24.5, 22.0, 24.5, 23.0);
  drop.cubicTo(24.5, 25.0, 20.5, 25.0, 20.5, 23.0);
  drop.cubicTo(20.5, 22.0, 21.5, 21.0, 22.5, 19.5);
  shape(p, drop, ic::blue);
}

}  // namespace

void drawPaintToolIcon(QPainter& p, ToolIcon icon) {
  switch (icon) {
    case ToolIcon::TubePaint: tubePaint(p); break;
    case ToolIcon::PaintBrush: paintBrush(p); break;
    case ToolIcon::SprayPaint: sprayPaint(p); break;
    case ToolIcon::GelBrush: gelBrush(p); break;
    case ToolIcon::Knife: knife(p); break;
    case ToolIcon::Finger: finger(p); break;
    case ToolIcon::Sponge: sponge(p); break;
    case ToolIcon::Eraser: eraser(p); break;
    case ToolIcon::Fill: fill(p); break;
    default: break;
  }
}

}  // namespace sc::artwork
