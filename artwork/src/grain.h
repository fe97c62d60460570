// SPDX-License-Identifier: GPL-3.0-or-later
// The 18 paint-style images ("paint%d": the grain laid paint carries, added
// to its brightness) and the 18 texture images ("bump%d": how thick paint is
// laid, bright = thick). All are 400 x 400 grey pictures that tile seamlessly.
#pragma once

#include <QImage>

namespace sc::artwork {

QImage paintStyleImage(int index);  // 0 .. 17
QImage textureImage(int index);     // 0 .. 17; 0 is smooth (one flat value)
const char* paintStyleTitle(int index);
const char* textureTitle(int index);

}  // namespace sc::artwork
