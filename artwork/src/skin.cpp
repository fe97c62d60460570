// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainterPath>
#include <QStringList>

namespace sc::artwork {

namespace {

const char* const kFontFolder = "/usr/share/fonts/truetype/dejavu/";
const char* const kFontFiles[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"};

QString& fontFamily() {
  static QString family;
  return family;
}

}  // namespace

bool loadSkinFonts(QString* error) {
  for (const char* file : kFontFiles) {
    const QString path = QString::fromLatin1(kFontFolder) + QString::fromLatin1(file);
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0) {
      if (error) *error = QStringLiteral("cannot load %1 (install fonts-dejavu-core)").arg(path);
      return false;
    }
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
      if (error) *error = QStringLiteral("%1 names no font family").arg(path);
      return false;
    }
    fontFamily() = families.first();
  }
  return true;
}

QFont skinFont(int pixelSize, bool bold) {
  QFont font(fontFamily());
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias |
                                             QFont::NoFontMerging));
  font.setKerning(true);
  return font;
}

QImage blankPicture(int width, int height, const QColor& fill) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

void preparePainter(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void drawLabel(QPainter& p, const QRect& r, const QString& text, const QFont& font,
               const QColor& colour, int flags) {
  p.save();
  p.setFont(font);
  p.setPen(colour);
  p.drawText(r, flags, text);
  p.restore();
}

void drawFrame(QPainter& p, const QRect& r, const QColor& colour) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawRect(QRect(r.left(), r.top(), r.width(), 1));
  p.drawRect(QRect(r.left(), r.bottom(), r.width(), 1));
  p.drawRect(QRect(r.left(), r.top(), 1, r.height()));
  p.drawRect(QRect(r.right(), r.top(), 1, r.height()));
  p.restore();
}

void drawWell(QPainter& p, const QRect& r, const QColor& fill) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(r, fill);
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), colours::line);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), colours::line);
  p.fillRect(QRect(r.left() + 1, r.top() + 1, r.width() - 1, 1), colours::shadow);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colours::faceHigh);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), colours::faceHigh);
  p.restore();
}

void drawButtonFace(QPainter& p, const QRect& r, bool pressed) {
  p.save();
  const QRectF body(r.left() + 1.5, r.top() + 1.5, r.width() - 3.0, r.height() - 3.0);
  QPainterPath path;
  path.addRoundedRect(body, 3.0, 3.0);
  if (pressed) {
    p.fillPath(path, colours::accentFace);
    // A shadow along the top and left inner edge makes the face read as sunk.
    p.save();
    p.setClipPath(path);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(r.left() + 2, r.top() + 2, r.width() - 4, 2), QColor(172, 192, 209));
    p.fillRect(QRect(r.left() + 2, r.top() + 2, 1, r.height() - 4), QColor(184, 202, 218));
    p.restore();
    p.setPen(QPen(colours::accentLine, 1.0));
  } else {
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0.0, colours::faceHigh);
    g.setColorAt(1.0, QColor(226, 222, 215));
    p.fillPath(path, g);
    p.setPen(QPen(colours::line, 1.0));
  }
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.restore();
}

QImage drawTab(int width, int height, const QString& text, bool selected) {
  // The strip colour shows around the tab's rounded top; row height-1 is the
  // row of the page's top edge, which the selected tab opens.
  QImage image = blankPicture(width, height, colours::strip);
  QPainter p(&image);
  preparePainter(p);
  const double top = selected ? 0.5 : 2.5;
  QPainterPath body;
  body.moveTo(0.5, height + 1.0);
  body.lineTo(0.5, top + 3.0);
  body.quadTo(0.5, top, 3.5, top);
  body.lineTo(width - 3.5, top);
  body.quadTo(width - 0.5, top, width - 0.5, top + 3.0);
  body.lineTo(width - 0.5, height + 1.0);
  if (selected) {
    p.fillPath(body, colours::face);
  } else {
    QLinearGradient g(0, top, 0, height);
    g.setColorAt(0.0, QColor(225, 221, 214));
    g.setColorAt(1.0, QColor(214, 210, 202));
    p.fillPath(body, g);
  }
  p.setPen(QPen(colours::line, 1.0));
  p.drawPath(body);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRect(1, height - 1, width - 2, 1), selected ? colours::face : colours::line);
  if (selected) {
    p.fillRect(QRect(2, 1, width - 4, 1), colours::accentLine);
    p.fillRect(QRect(3, 0, width - 6, 1), colours::accentLine);
  }
  const QRect textBox(0, selected ? 1 : 2, width, height - (selected ? 1 : 2));
  drawLabel(p, textBox, text, skinFont(10, true), selected ? colours::ink : colours::inkMuted,
            Qt::AlignCenter);
  return image;
}

void drawTabStrip(QPainter& p, int width, int height) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRect(0, 0, width, height), colours::strip);
  p.fillRect(QRect(0, height - 1, width, 1), colours::line);
  p.restore();
}

void drawGroove(QPainter& p, int x0, int x1, int y) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRect(x0, y, x1 - x0 + 1, 1), colours::line);
  p.fillRect(QRect(x0, y + 1, x1 - x0 + 1, 1), colours::faceHigh);
  p.restore();
}

}  // namespace sc::artwork
