// SPDX-License-Identifier: GPL-3.0-or-later
// The contact sheet: one PNG that shows every picture at its own size with
// its name, mock-ups of the panels put together as the program shows them,
// and every paint style and texture, so the whole set can be reviewed at once.
#pragma once

#include <QImage>

#include "catalog.h"

namespace sc::artwork {

QImage contactSheet(const PictureList& pictures);

}  // namespace sc::artwork
