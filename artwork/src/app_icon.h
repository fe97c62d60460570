// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own icon: three thick, lit strokes of paint on a primed
// canvas tile, in the splash's colours. It is one list of vector layers,
// painted into PNG pictures of the hicolor sizes and written out as SVG, so
// every size and the scalable icon show the same drawing.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>

#include <vector>

namespace sc::artwork {

// The drawing's own square: 256 x 256 units.
inline constexpr int kIconUnits = 256;
// The pixel sizes installed under hicolor/NxN/apps/.
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

struct IconLayer {
  QPainterPath path;
  // A filled layer has width 0 and may fade from `colour` at the top to
  // `colourBottom`; a stroked one is drawn with round ends at `width` units.
  QColor colour;
  QColor colourBottom;
  double width = 0.0;
  QPointF offset;  // the layer is drawn moved by this much
};

std::vector<IconLayer> iconLayers();

// The icon at size x size pixels, transparent around the tile.
QImage iconPicture(int size);

// The same layers as an SVG document of kIconUnits x kIconUnits.
QByteArray iconSvg();

}  // namespace sc::artwork
