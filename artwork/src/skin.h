// SPDX-License-Identifier: GPL-3.0-or-later
// The skin's shared look: its colours, its fonts and the few drawing helpers
// every panel picture is built from (faces, wells, frames, labels, tabs).
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

namespace sc::artwork {

// A calm, light, warm-grey skin. The panels' fixed veils (a 50 % wash of
// (212, 208, 200) or of white) and the black-and-grey slider track sit well on it.
namespace colours {
inline const QColor face{231, 228, 222};      // panel background
inline const QColor faceHigh{245, 243, 239};  // raised faces, selected tab
inline const QColor strip{211, 207, 199};     // tab strip, bottom bar
inline const QColor well{219, 215, 208};      // inset areas
inline const QColor wellDeep{196, 191, 183};  // inset areas seen through gaps
inline const QColor line{170, 164, 155};      // hairlines and frames
inline const QColor lineDark{122, 116, 107};  // strong frames
inline const QColor shadow{204, 199, 191};    // soft inner shadows
inline const QColor ink{52, 50, 47};          // labels and icon outlines
inline const QColor inkMuted{112, 107, 100};  // secondary labels
inline const QColor accent{56, 104, 138};     // the selected look
inline const QColor accentFace{205, 220, 233};
inline const QColor accentLine{86, 128, 160};
}  // namespace colours

// Loads DejaVu Sans (regular and bold) from its file so the output never
// depends on which face fontconfig would choose. False when a file is missing.
bool loadSkinFonts(QString* error);

// The skin font at a pixel size; hinted, grey anti-aliasing only.
QFont skinFont(int pixelSize, bool bold = false);

// A picture of the given size filled with one colour, ready for QPainter.
QImage blankPicture(int width, int height, const QColor& fill);

// Configures a painter for the skin: anti-aliasing on, crisp text.
void preparePainter(QPainter& p);

// Text in a rectangle with the given alignment and colour.
void drawLabel(QPainter& p, const QRect& r, const QString& text, const QFont& font,
               const QColor& colour, int flags = Qt::AlignLeft | Qt::AlignVCenter);

// A one-pixel rectangle outline covering exactly the pixels of r's border.
void drawFrame(QPainter& p, const QRect& r, const QColor& colour);

// An inset area: darker fill, a shadowed top-left edge and a light bottom-right.
void drawWell(QPainter& p, const QRect& r, const QColor& fill);

// A rounded button face inside r (one pixel of margin is left on every side).
// Pressed faces are tinted, shadowed on top and framed in the accent colour.
void drawButtonFace(QPainter& p, const QRect& r, bool pressed);

// One tab of a tab strip, drawn into a picture of exactly the tab's size.
// The selected tab joins the page below it; the other sits back in the strip.
QImage drawTab(int width, int height, const QString& text, bool selected);

// The tab strip of a paged panel: rows 0 .. height-1 with the page's top edge.
void drawTabStrip(QPainter& p, int width, int height);

// Horizontal hairline from x0 to x1 inclusive at row y, with a light line under it.
void drawGroove(QPainter& p, int x0, int x1, int y);

}  // namespace sc::artwork
