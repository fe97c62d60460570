// SPDX-License-Identifier: GPL-3.0-or-later
// The tool icons. Each draws into a 32 x 28 button picture, centred on
// (16, 14), over a face drawn by the caller. Icons use one shared palette and
// a one-pixel ink outline so the whole set reads as one family.
#pragma once

#include <QColor>
#include <QPainter>

namespace sc::artwork {

enum class ToolIcon {
  TubePaint, PaintBrush, SprayPaint, GelBrush, Knife, Finger, Sponge, Eraser, Fill,
  EyeDropper, HandTool, Brighten, Darken, Shine, Matte, Raise, Lower,
};

namespace iconColours {
inline const QColor ink{58, 55, 52};
inline const QColor metal{196, 200, 206};
inline const QColor metalDark{130, 136, 145};
inline const QColor wood{200, 150, 96};
inline const QColor woodDark{160, 112, 66};
inline const QColor red{206, 74, 60};
inline const QColor blue{60, 104, 182};
inline const QColor green{68, 152, 92};
inline const QColor yellow{236, 186, 58};
inline const QColor skin{240, 204, 172};
inline const QColor white{252, 251, 249};
}  // namespace iconColours

void drawToolIcon(QPainter& p, ToolIcon icon);

// Icons of the paint-laying and paint-moving tools, and of the others.
void drawPaintToolIcon(QPainter& p, ToolIcon icon);
void drawEffectToolIcon(QPainter& p, ToolIcon icon);

// Shared pen for outlines.
QPen inkPen(double width = 1.0);

}  // namespace sc::artwork
