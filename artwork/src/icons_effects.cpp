// SPDX-License-Identifier: GPL-3.0-or-later
// Icons of the tools that pick, move the view, or rework finished paint.
#include <QPainterPath>
#include <QtMath>

#include "icons.h"

namespace sc::artwork {

namespace ic = iconColours;

namespace {

void shape(QPainter& p, const QPainterPath& path, const QColor& fill) {
  p.setPen(inkPen());
  p.setBrush(fill);
  p.drawPath(path);
}

// A pipette: rubber bulb at the upper right, glass tube holding paint, a drop at the tip.
void eyeDropper(QPainter& p) {
  p.save();
  p.translate(17.0, 13.0);
  p.rotate(-45.0);
  QPainterPath tube;
  tube.moveTo(-11.0, 0.0);
  tube.lineTo(-8.0, -1.8);
  tube.lineTo(3.0, -1.8);
  tube.lineTo(3.0, 1.8);
  tube.lineTo(-8.0, 1.8);
  tube.closeSubpath();
  shape(p, tube, QColor(232, 240, 246));
  p.setPen(Qt::NoPen);
  p.setBrush(ic::green);
  p.drawRect(QRectF(-7.5, -1.3, 6.0, 2.6));
  p.setPen(inkPen());
  p.setBrush(Qt::NoBrush);
  p.drawPath(tube);
  QPainterPath collar;
  collar.addRoundedRect(QRectF(2.5, -3.0, 2.5, 6.0), 0.8, 0.8);
  shape(p, collar, ic::metal);
  QPainterPath bulb;
  bulb.addRoundedRect(QRectF(5.0, -3.5, 7.5, 7.0), 3.5, 3.5);
  shape(p, bulb, QColor(84, 84, 90));
  p.restore();
  p.setPen(Qt::NoPen);
  p.setBrush(ic::green);
  p.drawEllipse(QPointF(8.2, 23.2), 1.3, 1.5);
}

// An open hand, palm towards the viewer.
void handTool(QPainter& p) {
  QPainterPath hand;
  hand.addRoundedRect(QRectF(10.0, 12.5, 13.0, 12.0), 4.0, 4.0);
  const double fingerX[4] = {10.2, 13.5, 16.8, 20.1};
  const double fingerTop[4] = {6.0, 4.0, 4.5, 7.0};
  for (int i = 0; i < 4; ++i) {
    QPainterPath f;
    f.addRoundedRect(QRectF(fingerX[i], fingerTop[i], 3.2, 17.0 - fingerTop[i]), 1.6, 1.6);
    hand = hand.united(f);
  }
  QPainterPath thumb;
  thumb.moveTo(11.0, 21.0);
  thumb.lineTo(6.5, 15.5);
  thumb.cubicTo(5.2, 13.8, 7.0, 12.0, 8.6, 13.4);
  thumb.lineTo(12.0, 17.0);
  thumb.closeSubpath();
  hand = hand.united(thumb).simplified();
  shape(p, hand, ic::skin);
  p.setPen(QPen(QColor(196, 150, 120), 0.8));
  for (int i = 1; i < 4; ++i) {
    const double x = fingerX[i] - 0.05;
    p.drawLine(QPointF(x, 12.5), QPointF(x, 15.5));
  }
}

// The sun: brighten.
void brighten(QPainter& p) {
  const QPointF c(16.0, 14.0);
  QPen ray(ic::ink, 1.4);
  ray.setCapStyle(Qt::RoundCap);
  p.setPen(ray);
  for (int i = 0; i < 8; ++i) {
    const double a = qDegreesToRadians(45.0 * i);
    p.drawLine(c + QPointF(std::cos(a) * 7.5, std::sin(a) * 7.5),
               c + QPointF(std::cos(a) * 10.0, std::sin(a) * 10.0));
  }
  p.setPen(inkPen());
  p.setBrush(ic::yellow);
  p.drawEllipse(c, 5.0, 5.0);
}

// A crescent moon with two small stars: darken.
void darken(QPainter& p) {
  QPainterPath disc;
  disc.addEllipse(QPointF(15.0, 14.5), 8.5, 8.5);
  QPainterPath bite;
  bite.addEllipse(QPointF(19.5, 11.0), 7.5, 7.5);
  shape(p, disc.subtracted(bite), QColor(92, 100, 138));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(92, 100, 138));
  auto star = [&p](QPointF c, double r) {
    QPainterPath s;
    s.moveTo(c.x(), c.y() - r);
    s.quadTo(c.x(), c.y(), c.x() + r, c.y());
    s.quadTo(c.x(), c.y(), c.x(), c.y() + r);
    s.quadTo(c.x(), c.y(), c.x() - r, c.y());
    s.quadTo(c.x(), c.y(), c.x(), c.y() - r);
    p.drawPath(s);
  };
  star(QPointF(22.5, 7.0), 2.6);
  star(QPointF(25.5, 13.5), 1.8);
}

QPainterPath sparkle(QPointF c, double r) {
  QPainterPath s;
  const double k = 0.22 * r;  // how far in the sides curve
  s.moveTo(c.x(), c.y() - r);
  s.quadTo(c.x() + k, c.y() - k, c.x() + r, c.y());
  s.quadTo(c.x() + k, c.y() + k, c.x(), c.y() + r);
  s.quadTo(c.x() - k, c.y() + k, c.x() - r, c.y());
  s.quadTo(c.x() - k, c.y() - k, c.x(), c.y() - r);
  return s;
}

// Glints on a glossy surface: shine.
void shine(QPainter& p) {
  QRadialGradient g(QPointF(14.0, 14.0), 9.0);
  g.setColorAt(0.0, ic::white);
  g.setColorAt(1.0, QColor(250, 226, 150));
  p.setPen(inkPen());
  p.setBrush(g);
  p.drawPath(sparkle(QPointF(14.0, 14.5), 9.5));
  p.setBrush(ic::white);
  p.drawPath(sparkle(QPointF(23.5, 7.0), 4.0));
  p.drawPath(sparkle(QPointF(23.0, 21.5), 2.8));
}

// The same glint, dulled and struck through: matte.
void matte(QPainter& p) {
  p.setPen(inkPen());
  p.setBrush(QColor(188, 184, 178));
  p.drawPath(sparkle(QPointF(15.0, 14.0), 9.5));
  QPen slash(ic::ink, 2.0);
  slash.setCapStyle(Qt::RoundCap);
  p.setPen(QPen(QColor(240, 238, 234), 4.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(7.0, 22.0), QPointF(24.0, 5.5));
  p.setPen(slash);
  p.drawLine(QPointF(7.0, 22.0), QPointF(24.0, 5.5));
}

// Ground line with a mound (raise) or a hollow (lower), and an arrow.
void relief(QPainter& p, bool raise) {
  QPainterPath ground;
  const double baseY = raise ? 21.5 : 17.5;
  ground.moveTo(5.0, baseY);
  if (raise) {
    ground.cubicTo(11.0, baseY, 12.0, 14.5, 16.0, 14.5);
    ground.cubicTo(20.0, 14.5, 21.0, baseY, 27.0, baseY);
  } else {
    ground.cubicTo(11.0, baseY, 12.0, 24.5, 16.0, 24.5);
    ground.cubicTo(20.0, 24.5, 21.0, baseY, 27.0, baseY);
  }
  ground.lineTo(27.0, 25.5);
  ground.lineTo(5.0, 25.5);
  ground.closeSubpath();
  QLinearGradient g(0.0, 13.0, 0.0, 26.0);
  g.setColorAt(0.0, QColor(214, 150, 102));
  g.setColorAt(1.0, QColor(168, 104, 66));
  p.setPen(inkPen());
  p.setBrush(g);
  p.drawPath(ground);
  // The arrow: up above the mound, down into the hollow.
  QPen shaft(ic::ink, 1.6);
  shaft.setCapStyle(Qt::RoundCap);
  shaft.setJoinStyle(Qt::RoundJoin);
  p.setPen(shaft);
  p.setBrush(Qt::NoBrush);
  if (raise) {
    p.drawLine(QPointF(16.0, 11.0), QPointF(16.0, 3.5));
    p.drawPolyline(QPolygonF({QPointF(12.5, 7.0), QPointF(16.0, 3.5), QPointF(19.5, 7.0)}));
  } else {
    p.drawLine(QPointF(16.0, 3.0), QPointF(16.0, 13.5));
    p.drawPolyline(QPolygonF({QPointF(12.5, 10.0), QPointF(16.0, 13.5), QPointF(19.5, 10.0)}));
  }
}

}  // namespace

void drawEffectToolIcon(QPainter& p, ToolIcon icon) {
  switch (icon) {
    case ToolIcon::EyeDropper: eyeDropper(p); break;
    case ToolIcon::HandTool: handTool(p); break;
    case ToolIcon::Brighten: brighten(p); break;
    case ToolIcon::Darken: darken(p); break;
    case ToolIcon::Shine: shine(p); break;
    case ToolIcon::Matte: matte(p); break;
    case ToolIcon::Raise: relief(p, true); break;
    case ToolIcon::Lower: relief(p, false); break;
    default: break;
  }
}

void drawToolIcon(QPainter& p, ToolIcon icon) {
  p.save();
  if (icon <= ToolIcon::Fill) {
    drawPaintToolIcon(p, icon);
  } else {
    drawEffectToolIcon(p, icon);
  }
  p.restore();
}

}  // namespace sc::artwork
