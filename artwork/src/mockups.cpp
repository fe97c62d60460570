// SPDX-License-Identifier: GPL-3.0-or-later
#include "mockups.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "layout.h"

namespace sc::artwork {

namespace {

using namespace layout;

class Composer {
 public:
  explicit Composer(const PictureList& pictures) : pictures_(pictures) {}

  QImage pic(const char* name) const {
    const Picture* p = findPicture(pictures_, QString::fromLatin1(name));
    return p ? p->image : QImage();
  }

  static void blit(QImage& dst, const QImage& src, int x, int y) {
    QPainter p(&dst);
    p.drawImage(x, y, src);
  }

  // The program's slider: a black-over-grey two-pixel track and the knob
  // picture; a disabled slider shows both washed half-way to white.
  void slider(QImage& dst, int x, int y, int length, double value, bool enabled) const {
    QImage knob = pic("tab");
    QImage track(length, 2, QImage::Format_RGB32);
    for (int i = 0; i < length; ++i) {
      track.setPixel(i, 0, qRgb(0, 0, 0));
      track.setPixel(i, 1, qRgb(128, 128, 128));
    }
    if (!enabled) {
      wash(track);
      wash(knob);
    }
    blit(dst, track, x, y);
    const int kx = static_cast<int>(value * 0.01 * length + x - knob.width() / 2);
    blit(dst, knob, kx, y - knob.height() / 2 + 1);
  }

  static void wash(QImage& image) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb c = image.pixel(x, y);
        auto half = [](int v) { return v + (255 - v) / 2; };
        image.setPixel(x, y, qRgb(half(qRed(c)), half(qGreen(c)), half(qBlue(c))));
      }
  }

  // Moves every pixel of [l, r) x [t, b) half-way to a colour.
  static void tint(QImage& image, int l, int t, int r, int b, QColor to) {
    for (int y = std::max(0, t); y < std::min(b, image.height()); ++y)
      for (int x = std::max(0, l); x < std::min(r, image.width()); ++x) {
        const QRgb c = image.pixel(x, y);
        image.setPixel(x, y, qRgb((qRed(c) + to.red()) / 2, (qGreen(c) + to.green()) / 2,
                                  (qBlue(c) + to.blue()) / 2));
      }
  }

  // A dab of paint with the grain of a paint style: what a thumbnail shows.
  QImage dab(int w, int h, QColor colour, int style, double radius) const {
    const QImage grain = pic(qPrintable(QStringLiteral("paint%1").arg(style)));
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const double d = std::hypot((x - w / 2.0) / radius, (y - h / 2.0) / (h < 20 ? 3.0 : radius));
        if (d > 1.0 && h >= 20) continue;
        if (h < 20 && (x < 8 || x > w - 8)) continue;
        const int g = qRed(grain.pixel(x % grain.width(), y % grain.height()));
        auto c = [&](int v) { return std::min(255, static_cast<int>(v * 0.95) + g); };
        image.setPixel(x, y, qRgb(c(colour.red()), c(colour.green()), c(colour.blue())));
      }
    for (int x = 0; x < w; ++x) image.setPixel(x, 0, 0), image.setPixel(x, h - 1, 0);
    for (int y = 0; y < h; ++y) image.setPixel(0, y, 0), image.setPixel(w - 1, y, 0);
    return image;
  }

  QImage toolsPanel() const {
    QImage panel = pic("toolsview");
    const int hb = pic("brushes").height(), hr = pic("brush0").height();
    const int ht = pic("tools").height(), he = pic("effects").height();
    struct Row { int y; const char* left; const char* right; };
    const Row rows[] = {
        {hb + 2, "pbrush1", "brush0"},       {hb + hr + 2, "spray0", "water0"},
        {hb + 2 * hr + 2, "knife0", "finger0"}, {hb + 3 * hr + 2, "sponge0", "erase0"},
        {hb + 4 * hr + ht + 4, "hand0", "dropper0"}, {hb + 5 * hr + ht + he + 6, "sun0", "moon0"},
        {hb + 6 * hr + ht + he + 6, "shine0", "unshine0"}, {hb + 7 * hr + ht + he + 6, "raise0", "lower0"},
    };
    blit(panel, pic("brushes"), 2, 2);
    blit(panel, pic("tools"), 2, hb + 4 * hr + 4);
    blit(panel, pic("effects"), 2, hb + 5 * hr + ht + 6);
    for (const Row& r : rows) {
      blit(panel, pic(r.left), kToolColumnLeft, r.y);
      blit(panel, pic(r.right), kToolColumnRight, r.y);
    }
    return panel;
  }

  QImage stylesPanel(int page, bool usable) const {
    QImage panel = pic("styles");
    const int w = pic("tpaint0").width();
    blit(panel, pic(page == 0 ? "tpaint1" : "tpaint0"), 3, 1);
    blit(panel, pic(page == 1 ? "ttexture1" : "ttexture0"), w + 2, 1);
    blit(panel, pic(page == 2 ? "tshape0" : "tshape1"), 2 * w + 1, 1);
    if (page == 2) {
      blit(panel, pic("shape"), 0, kPageTop);
      slider(panel, kHardnessSliderX, kHardnessSliderY, kHardnessSliderLength, 35.0, true);
      QImage profile(kProfileSize, kProfileSize, QImage::Format_RGB32);
      profile.fill(Qt::white);
      QPainter p(&profile);
      p.setRenderHint(QPainter::Antialiasing);
      QPainterPath curve;
      curve.moveTo(2, 50);
      curve.cubicTo(14, 50, 16, 6, 27, 6);
      curve.cubicTo(38, 6, 40, 50, 52, 50);
      p.setPen(QPen(Qt::black, 1.0));
      p.drawPath(curve);
      p.end();
      blit(panel, profile, kProfileX, kProfileY);
      return panel;
    }
    for (int i = 0; i < 18; ++i) {
      const QString name = QString::fromLatin1(page == 0 ? "paint%1" : "bump%1").arg(i);
      const int x = kGridX + kCell * (i % 9), y = kGridY + kCell * (i / 9);
      blit(panel, pic(qPrintable(name)).copy(0, 0, kThumb, kThumb), x, y);
      if (i == (page == 0 ? 2 : 3)) tint(panel, x, y, x + 29, y + 29, Qt::red);
    }
    if (!usable) tint(panel, 5, 19, 285, 99, Qt::white);
    return panel;
  }

  QImage propertiesPanel(bool enabled) const {
    QImage panel(kPropertiesW, kPropertiesH + kStylesH, QImage::Format_RGB32);
    panel.fill(Qt::black);
    blit(panel, pic("properties"), 0, 0);
    blit(panel, dab(kPreviewSize, kPreviewSize, QColor(0, 200, 45), 2, 34.0), kPreviewX, kPreviewY);
    const double values[4] = {30.0, 50.0, 90.0, 100.0};
    for (int i = 0; i < 4; ++i)
      slider(panel, kPropertySliderX, kPropertySliderY[i], kPropertySliderLength, values[i], enabled || i < 2);
    blit(panel, stylesPanel(0, enabled), 0, kPropertiesH);
    return panel;
  }

  QImage coloursPanel() const {
    QImage panel = pic("colordlg");
    const double values[3] = {0.0, 78.4, 17.6};
    for (int i = 0; i < 3; ++i)
      slider(panel, kColourSliderX, kColourSliderY[i], kColourSliderLength, values[i], true);
    QImage swatch(kSwatchSize, kSwatchSize, QImage::Format_RGB32);
    swatch.fill(Qt::black);
    for (int y = 1; y < 19; ++y)
      for (int x = 1; x < 19; ++x) swatch.setPixel(x, y, qRgb(0, 200, 45));
    blit(panel, swatch, kSwatchX, kSwatchY);
    return panel;
  }

  QImage palettePanel(bool strokesPage) const {
    QImage panel = pic("palette");
    const int w = pic("tbrushes0").width();
    blit(panel, pic(strokesPage ? "tbrushes0" : "tbrushes1"), 3, 1);
    blit(panel, pic(strokesPage ? "tstrokes1" : "tstrokes0"), w + 2, 1);
    if (!strokesPage) {
      const QColor colours[7] = {{0, 200, 45}, {200, 40, 30}, {30, 60, 160}, {230, 180, 40},
                                 {120, 60, 20}, {20, 20, 20}, {240, 240, 240}};
      for (int i = 0; i < 7; ++i)
        blit(panel, dab(30, 30, colours[i], i * 2, 11.0), kGridX + 30 * i, kGridY);
      tint(panel, 5, 19, 35, 49, Qt::red);
    } else {
      blit(panel, pic("strokes"), 0, kPageTop);
      const bool checks[3] = {true, false, true};
      for (int i = 0; i < 3; ++i) blit(panel, pic(checks[i] ? "check1" : "check0"), kCheckX, kCheckY[i]);
      for (int i = 0; i < 3; ++i)
        blit(panel, dab(kStrokeRowW, kStrokeRowH, Qt::black, 0, 60.0), kGridX, kGridY + kStrokeRowH * i);
      tint(panel, 5, 19 + 15, 137, 34 + 15, Qt::red);
      const double values[5] = {60, 40, 20, 50, 70};
      const bool enabled[5] = {true, false, true, true, true};
      for (int i = 0; i < 5; ++i)
        slider(panel, kStrokeSliderX[i], kStrokeSliderY[i], kStrokeSliderLength[i], values[i], enabled[i]);
      tint(panel, 5, 19, 137, 34, QColor(212, 208, 200));
    }
    blit(panel, pic("savelist0"), kSaveListX, kBottomButtonY);
    blit(panel, pic("loadlist0"), kLoadListX, kBottomButtonY);
    blit(panel, pic("delete0"), kDeleteX, kBottomButtonY);
    blit(panel, pic("add1"), kAddX, kBottomButtonY);
    return panel;
  }

  QImage newImageDialog() const {
    QImage panel = pic("filenew");
    QPainter p(&panel);
    p.setPen(Qt::black);
    p.drawText(QRect(kFieldX + 2, kWidthFieldY, kFieldW, kFieldH), Qt::AlignVCenter, "600");
    p.drawText(QRect(kFieldX + 2, kHeightFieldY, kFieldW, kFieldH), Qt::AlignVCenter, "600");
    p.end();
    blit(panel, pic("okay0"), kOkayX, kDialogButtonY);
    blit(panel, pic("cancel0"), kCancelX, kDialogButtonY);
    return panel;
  }

 private:
  const PictureList& pictures_;
};

}  // namespace

std::vector<Mockup> panelMockups(const PictureList& pictures) {
  const Composer c(pictures);
  return {
      {c.toolsPanel(), "Tools (Paint Brush down)"},
      {c.propertiesPanel(true), "Brush Properties: Paint Brush"},
      {c.propertiesPanel(false), "Brush Properties: Eraser"},
      {c.stylesPanel(1, true), "Styles: textures"},
      {c.stylesPanel(2, true), "Styles: shape"},
      {c.coloursPanel(), "Colors"},
      {c.palettePanel(false), "Palette: brushes"},
      {c.palettePanel(true), "Palette: strokes"},
      {c.newImageDialog(), "New Image"},
  };
}

}  // namespace sc::artwork
