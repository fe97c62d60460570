// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog.h"
#include "grain.h"
#include "layout.h"

namespace sc::artwork {

void addGrainPictures(PictureList& out) {
  for (int i = 0; i < layout::kGrainCount; ++i) {
    out.push_back({"Styles/", QStringLiteral("paint%1").arg(i), true, paintStyleImage(i)});
  }
  for (int i = 0; i < layout::kGrainCount; ++i) {
    out.push_back({"Textures/", QStringLiteral("bump%1").arg(i), true, textureImage(i)});
  }
}

}  // namespace sc::artwork
