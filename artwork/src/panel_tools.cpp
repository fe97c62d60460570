// SPDX-License-Identifier: GPL-3.0-or-later
// The tools panel: its background, the three headings and a normal and a
// pressed button for every tool (Fill included, which no button shows).
#include "catalog.h"
#include "icons.h"
#include "layout.h"
#include "skin.h"

namespace sc::artwork {

namespace {

using namespace layout;

struct ToolButton {
  const char* stem;  // asset name without its 0 / 1
  ToolIcon icon;
};

const ToolButton kToolButtons[] = {
    {"brush", ToolIcon::TubePaint},   {"pbrush", ToolIcon::PaintBrush},
    {"spray", ToolIcon::SprayPaint},  {"water", ToolIcon::GelBrush},
    {"knife", ToolIcon::Knife},       {"finger", ToolIcon::Finger},
    {"sponge", ToolIcon::Sponge},     {"erase", ToolIcon::Eraser},
    {"fill", ToolIcon::Fill},         {"dropper", ToolIcon::EyeDropper},
    {"hand", ToolIcon::HandTool},     {"sun", ToolIcon::Brighten},
    {"moon", ToolIcon::Darken},       {"shine", ToolIcon::Shine},
    {"unshine", ToolIcon::Matte},     {"raise", ToolIcon::Raise},
    {"lower", ToolIcon::Lower},
};

QImage toolButton(ToolIcon icon, bool pressed) {
  QImage image = blankPicture(kToolW, kToolH, colours::face);
  QPainter p(&image);
  preparePainter(p);
  drawButtonFace(p, QRect(0, 0, kToolW, kToolH), pressed);
  // A pressed button's icon sits one pixel lower and to the right, as if pushed in.
  if (pressed) p.translate(1.0, 1.0);
  drawToolIcon(p, icon);
  return image;
}

QImage heading(const QString& text) {
  QImage image = blankPicture(kHeadingW, kHeadingH, colours::face);
  QPainter p(&image);
  preparePainter(p);
  QFont font = skinFont(9, true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);  // whole pixels keep the gaps even
  drawLabel(p, QRect(0, 1, kHeadingW, kHeadingH - 5), text, font, colours::inkMuted, Qt::AlignCenter);
  // A groove under the word starts the section.
  drawGroove(p, 3, kHeadingW - 4, kHeadingH - 4);
  return image;
}

QImage toolsView() {
  QImage image = blankPicture(kToolsViewW, kToolsViewH, colours::face);
  QPainter p(&image);
  p.fillRect(QRect(0, 0, kToolsViewW, 1), colours::faceHigh);
  p.fillRect(QRect(0, 0, 1, kToolsViewH), colours::faceHigh);
  p.fillRect(QRect(0, kToolsViewH - 1, kToolsViewW, 1), colours::line);
  p.fillRect(QRect(kToolsViewW - 1, 0, 1, kToolsViewH), colours::line);
  return image;
}

}  // namespace

void addToolsPanelPictures(PictureList& out) {
  out.push_back({"", "toolsview", false, toolsView()});
  out.push_back({"", "brushes", false, heading("BRUSHES")});
  out.push_back({"", "tools", false, heading("TOOLS")});
  out.push_back({"", "effects", false, heading("EFFECTS")});
  for (const ToolButton& b : kToolButtons) {
    out.push_back({"", QString::fromLatin1(b.stem) + "0", false, toolButton(b.icon, false)});
    out.push_back({"", QString::fromLatin1(b.stem) + "1", false, toolButton(b.icon, true)});
  }
}

}  // namespace sc::artwork
