// SPDX-License-Identifier: GPL-3.0-or-later
// Mock-ups of the panels put together from the pictures the way the program
// composes them (buttons at their places, the built-in slider track under the
// knob picture, thumbnails in their grids), for the contact sheet.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

#include "catalog.h"

namespace sc::artwork {

struct Mockup {
  QImage image;
  QString title;
};

std::vector<Mockup> panelMockups(const PictureList& pictures);

}  // namespace sc::artwork
