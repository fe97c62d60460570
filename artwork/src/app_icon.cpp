// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon, drawn once as layers (see app_icon.h).
#include "app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

#include "skin.h"

namespace sc::artwork {

namespace {

struct Stroke {
  QPointF p0, c0, c1, p1;  // a cubic Bezier
  double width;
  QColor colour;
};

// The splash's blue, yellow and red, crossing the tile.
const Stroke kStrokes[] = {
    {{52, 176}, {86, 108}, {150, 204}, {204, 132}, 46, QColor(44, 82, 160)},
    {{86, 58}, {112, 104}, {150, 92}, {176, 176}, 36, QColor(226, 178, 52)},
    {{64, 96}, {108, 56}, {160, 52}, {206, 70}, 30, QColor(196, 64, 50)},
};

QPainterPath curve(const Stroke& s) {
  QPainterPath path(s.p0);
  path.cubicTo(s.c0, s.c1, s.p1);
  return path;
}

QString number(double v) { return QString::number(v, 'f', 2); }

QString svgColour(const QColor& c) { return c.name(QColor::HexRgb); }

// SVG path data of a painter path (moves, lines and cubic curves). A line
// back to the start that ends a subpath closes it.
QString pathData(const QPainterPath& path) {
  QString d;
  QPointF start;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    const bool lastOfSubpath = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
    if (e.isMoveTo()) {
      start = QPointF(e.x, e.y);
      d += "M" + number(e.x) + " " + number(e.y) + " ";
    } else if (e.isLineTo() && lastOfSubpath && QPointF(e.x, e.y) == start) {
      d += "Z ";
    } else if (e.isLineTo()) {
      d += "L" + number(e.x) + " " + number(e.y) + " ";
    } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
      const QPainterPath::Element c1 = path.elementAt(i + 1), end = path.elementAt(i + 2);
      d += "C" + number(e.x) + " " + number(e.y) + " " + number(c1.x) + " " + number(c1.y) + " " +
           number(end.x) + " " + number(end.y) + " ";
      i += 2;
    }
  }
  return d.trimmed();
}

}  // namespace

std::vector<IconLayer> iconLayers() {
  std::vector<IconLayer> layers;
  // The primed canvas tile with its frame.
  QPainterPath tile;
  tile.addRoundedRect(QRectF(18, 18, 220, 220), 34, 34);
  layers.push_back({tile, QColor(0, 0, 0, 60), QColor(0, 0, 0, 60), 0.0, {0, 6}});  // its shadow
  layers.push_back({tile, colours::faceHigh, colours::well, 0.0, {}});
  layers.push_back({tile, colours::line, {}, 5.0, {}});
  // Each stroke lit from the upper left as the program lights its relief:
  // a shadow below it, the paint, bristle grooves, a broad sheen and a
  // bright ridge on top.
  for (const Stroke& s : kStrokes) {
    const QPainterPath path = curve(s);
    const double w = s.width;
    QColor groove = s.colour.darker(150);
    groove.setAlpha(150);
    layers.push_back({path, QColor(0, 0, 0, 70), {}, w, {4, 7}});
    layers.push_back({path, s.colour, {}, w, {}});
    layers.push_back({path, groove, {}, w * 0.07, {w * 0.2, w * 0.24}});
    layers.push_back({path, groove, {}, w * 0.05, {w * 0.04, w * 0.06}});
    layers.push_back({path, QColor(255, 255, 255, 60), {}, w * 0.5, {-w * 0.12, -w * 0.14}});
    layers.push_back({path, QColor(255, 255, 255, 150), {}, w * 0.12, {-w * 0.2, -w * 0.22}});
  }
  return layers;
}

QImage iconPicture(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(static_cast<double>(size) / kIconUnits, static_cast<double>(size) / kIconUnits);
  for (const IconLayer& layer : iconLayers()) {
    p.save();
    p.translate(layer.offset);
    if (layer.width > 0.0) {
      p.setPen(QPen(layer.colour, layer.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
    } else {
      const QRectF box = layer.path.boundingRect();
      QLinearGradient fade(box.topLeft(), box.bottomLeft());
      fade.setColorAt(0.0, layer.colour);
      fade.setColorAt(1.0, layer.colourBottom);
      p.setPen(Qt::NoPen);
      p.setBrush(fade);
    }
    p.drawPath(layer.path);
    p.restore();
  }
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray iconSvg() {
  QString defs, body;
  int gradients = 0;
  for (const IconLayer& layer : iconLayers()) {
    QString style;
    if (layer.width > 0.0) {
      style = "fill=\"none\" stroke=\"" + svgColour(layer.colour) + "\" stroke-opacity=\"" +
              number(layer.colour.alphaF()) + "\" stroke-width=\"" + number(layer.width) +
              "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
    } else {
      const QRectF box = layer.path.boundingRect();
      const QString id = QString("fade%1").arg(++gradients);
      defs += "    <linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" +
              number(box.top()) + "\" x2=\"0\" y2=\"" + number(box.bottom()) + "\">\n" +
              "      <stop offset=\"0\" stop-color=\"" + svgColour(layer.colour) + "\" stop-opacity=\"" +
              number(layer.colour.alphaF()) + "\"/>\n" + "      <stop offset=\"1\" stop-color=\"" +
              svgColour(layer.colourBottom) + "\" stop-opacity=\"" + number(layer.colourBottom.alphaF()) +
              "\"/>\n    </linearGradient>\n";
      style = "fill=\"url(#" + id + ")\"";
    }
    body += "  <path transform=\"translate(" + number(layer.offset.x()) + " " + number(layer.offset.y()) +
            ")\" " + style + " d=\"" + pathData(layer.path) + "\"/>\n";
  }
  const QString units = QString::number(kIconUnits);
  const QString svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + units + "\" height=\"" + units +
                      "\" viewBox=\"0 0 " + units + " " + units + "\">\n  <defs>\n" + defs + "  </defs>\n" +
                      body + "</svg>\n";
  return svg.toUtf8();
}

}  // namespace sc::artwork
