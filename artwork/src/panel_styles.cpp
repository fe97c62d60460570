// SPDX-License-Identifier: GPL-3.0-or-later
// The styles panel: the grid background of the paint-style and texture
// pages, the shape page and the three tabs.
//
// The shape tab pairs its pictures the other way round from the other tabs:
// the panel shows "tshape1" while the tab is not selected and "tshape0" while
// it is. So "tshape0" has the selected look and "tshape1" the unselected one.
#include <QRadialGradient>

#include "catalog.h"
#include "layout.h"
#include "skin.h"

namespace sc::artwork {

namespace {

using namespace layout;

QImage stylesPage() {
  QImage image = blankPicture(kStylesW, kStylesH, colours::face);
  QPainter p(&image);
  preparePainter(p);
  drawTabStrip(p, kStylesW, kPageTop);
  // The thumbnails are 29 pixels on a 30-pixel pitch: the bed shows through
  // the gaps as a grid.
  p.fillRect(QRect(kGridX, kGridY, kStyleColumns * kCell, kStyleRows * kCell), colours::wellDeep);
  return image;
}

QImage shapePage() {
  QImage image = blankPicture(kShapeW, kShapeH, colours::face);
  QPainter p(&image);
  preparePainter(p);
  const int top = kPageTop;  // this picture is drawn at (0, 18)
  drawWell(p, QRect(kProfileX - 1, kProfileY - 1 - top, kProfileSize + 2, kProfileSize + 2), colours::faceHigh);

  const int y = kHardnessSliderY - top;
  const int x0 = kHardnessSliderX, x1 = kHardnessSliderX + kHardnessSliderLength;
  drawLabel(p, QRect(x0 - 1, y - 19, 120, 13), "Hardness", skinFont(10, true), colours::ink);
  const QFont small = skinFont(9);
  drawLabel(p, QRect(x0 - 1, y + 7, 50, 12), "Soft", small, colours::inkMuted);
  drawLabel(p, QRect(x1 - 49, y + 7, 50, 12), "Hard", small, colours::inkMuted,
            Qt::AlignRight | Qt::AlignVCenter);
  // A soft dab left of the track and a hard one right of it.
  QRadialGradient soft(QPointF(x0 - 14.0, y + 1.0), 7.0);
  soft.setColorAt(0.0, colours::ink);
  soft.setColorAt(1.0, QColor(colours::face.red(), colours::face.green(), colours::face.blue(), 0));
  p.setPen(Qt::NoPen);
  p.setBrush(soft);
  p.drawEllipse(QPointF(x0 - 14.0, y + 1.0), 7.0, 7.0);
  p.setBrush(colours::ink);
  p.drawEllipse(QPointF(x1 + 14.0, y + 1.0), 5.0, 5.0);
  return image;
}

}  // namespace

void addStylesPictures(PictureList& out) {
  out.push_back({"", "styles", false, stylesPage()});
  out.push_back({"", "shape", false, shapePage()});
  out.push_back({"", "tpaint0", false, drawTab(kTabW, kTabH, "Paint", false)});
  out.push_back({"", "tpaint1", false, drawTab(kTabW, kTabH, "Paint", true)});
  out.push_back({"", "ttexture0", false, drawTab(kTabW, kTabH, "Texture", false)});
  out.push_back({"", "ttexture1", false, drawTab(kTabW, kTabH, "Texture", true)});
  out.push_back({"", "tshape0", false, drawTab(kTabW, kTabH, "Shape", true)});
  out.push_back({"", "tshape1", false, drawTab(kTabW, kTabH, "Shape", false)});
}

}  // namespace sc::artwork
