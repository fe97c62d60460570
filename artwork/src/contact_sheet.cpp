// SPDX-License-Identifier: GPL-3.0-or-later
#include "contact_sheet.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "grain.h"
#include "mockups.h"
#include "skin.h"

namespace sc::artwork {

namespace {

constexpr int kSheetW = 2520;
constexpr int kMargin = 24;
constexpr int kGap = 14;
constexpr int kCaption = 16;

struct Item {
  QImage image;
  QString caption;
  int scale = 1;
};

const QColor kSheetBack{96, 96, 100};
const QColor kCaptionInk{236, 236, 236};

// Lays items out left to right, wrapping at the sheet width; returns the bottom.
int flow(QPainter* p, const std::vector<Item>& items, int top) {
  int x = kMargin, y = top, rowH = 0;
  const QFont font = skinFont(11);
  for (const Item& item : items) {
    const int w = item.image.width() * item.scale, h = item.image.height() * item.scale;
    const int cellW = std::max(w, QFontMetrics(font).horizontalAdvance(item.caption));
    if (x + cellW > kSheetW - kMargin && x > kMargin) {
      x = kMargin;
      y += rowH + kGap;
      rowH = 0;
    }
    if (p) {
      p->setRenderHint(QPainter::SmoothPixmapTransform, false);
      p->drawImage(QRect(x, y, w, h), item.image);
      p->setFont(font);
      p->setPen(kCaptionInk);
      p->drawText(QRect(x, y + h + 2, cellW + 40, kCaption), Qt::AlignLeft | Qt::AlignTop,
                  item.caption);
    }
    x += cellW + kGap;
    rowH = std::max(rowH, h + kCaption + 2);
  }
  return y + rowH + kGap;
}

int heading(QPainter* p, const QString& text, int top) {
  if (p) {
    p->setFont(skinFont(18, true));
    p->setPen(kCaptionInk);
    p->drawText(QRect(kMargin, top, kSheetW, 28), Qt::AlignLeft | Qt::AlignVCenter, text);
  }
  return top + 36;
}

// Flat paint of three colours carrying a style's grain (colour plus grain,
// as the renderer adds it), to judge how a style looks on paint.
QImage paintSwatch(const QImage& grain) {
  const QColor bands[3] = {QColor(30, 52, 120), QColor(188, 52, 40), QColor(222, 192, 120)};
  QImage image(120, 120, QImage::Format_RGB32);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 120; ++x) {
      const QColor c = bands[y / 40];
      const int g = qRed(grain.pixel(x, y));
      auto ch = [g](int v) { return std::min(255, static_cast<int>((v + g) * 0.95346)); };
      image.setPixel(x, y, qRgb(ch(c.red()), ch(c.green()), ch(c.blue())));
    }
  return image;
}

// A texture as the relief it lays: its values as heights, lit from the upper left.
QImage reliefSwatch(const QImage& texture) {
  QImage image(120, 120, QImage::Format_RGB32);
  auto h = [&texture](int x, int y) { return qRed(texture.pixel((x + 400) % 400, (y + 400) % 400)) / 40.0; };
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 120; ++x) {
      const double gx = h(x + 1, y) - h(x - 1, y), gy = h(x, y + 1) - h(x, y - 1);
      const double n = std::sqrt(gx * gx + gy * gy + 1.0);
      const double light = std::max(0.0, (gx * 0.55 + gy * 0.6 + 0.58) / n);
      const int v = std::clamp(static_cast<int>(60 + 170 * light), 0, 255);
      image.setPixel(x, y, qRgb(v, v * 95 / 100, v * 85 / 100));
    }
  return image;
}

QString sizeCaption(const Picture& picture) {
  return QStringLiteral("%1%2  %3x%4%5")
      .arg(picture.folder, picture.name)
      .arg(picture.image.width())
      .arg(picture.image.height())
      .arg(picture.grey ? "  grey" : "");
}

// Everything on the sheet, drawn by p, or only measured when p is null.
int layoutSheet(QPainter* p, const PictureList& pictures) {
  std::vector<Item> mockups, skin, zoomed, styles, textures, swatches, reliefs;
  for (const Mockup& m : panelMockups(pictures)) mockups.push_back({m.image, m.title});
  for (const Picture& picture : pictures) {
    if (picture.folder == "Styles/") {
      const int index = picture.name.mid(5).toInt();
      styles.push_back({picture.image, sizeCaption(picture) + "  " + paintStyleTitle(index)});
      swatches.push_back({paintSwatch(picture.image), QString::number(index) + " " + paintStyleTitle(index)});
    } else if (picture.folder == "Textures/") {
      const int index = picture.name.mid(4).toInt();
      textures.push_back({picture.image, sizeCaption(picture) + "  " + textureTitle(index)});
      reliefs.push_back({reliefSwatch(picture.image), QString::number(index) + " " + textureTitle(index)});
    } else {
      skin.push_back({picture.image, sizeCaption(picture)});
      if (picture.image.width() <= 74 && picture.image.height() <= 28)
        zoomed.push_back({picture.image, picture.name, 3});
    }
  }
  int y = kMargin;
  y = heading(p, "Panels as the program composes them", y);
  y = flow(p, mockups, y);
  y = heading(p, "Every picture at its size", y);
  y = flow(p, skin, y);
  y = heading(p, "Buttons, tabs and knobs at 3x", y);
  y = flow(p, zoomed, y);
  y = heading(p, "Paint styles on flat paint, and textures as the relief they lay", y);
  y = flow(p, swatches, y);
  y = flow(p, reliefs, y);
  y = heading(p, "Paint styles (Styles/paint%d)", y);
  y = flow(p, styles, y);
  y = heading(p, "Textures (Textures/bump%d)", y);
  y = flow(p, textures, y);
  return y + kMargin;
}

}  // namespace

QImage contactSheet(const PictureList& pictures) {
  const int height = layoutSheet(nullptr, pictures);
  QImage sheet(kSheetW, height, QImage::Format_RGB32);
  sheet.fill(kSheetBack);
  QPainter p(&sheet);
  preparePainter(p);
  layoutSheet(&p, pictures);
  return sheet;
}

}  // namespace sc::artwork
