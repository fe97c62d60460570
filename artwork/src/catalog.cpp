// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog.h"

namespace sc::artwork {

PictureList drawAllPictures() {
  PictureList list;
  addSplashPicture(list);
  addToolsPanelPictures(list);
  addPropertiesPictures(list);
  addColoursPictures(list);
  addPalettePictures(list);
  addStylesPictures(list);
  addLayersPictures(list);
  addNewImagePictures(list);
  addGrainPictures(list);
  // The program reads a grey picture through its red channel alone; keep
  // exactly that, so the files, the contact sheet and the screen agree.
  for (Picture& picture : list) {
    if (!picture.grey) continue;
    QImage& image = picture.image;
    for (int y = 0; y < image.height(); ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) row[x] = qRgb(qRed(row[x]), qRed(row[x]), qRed(row[x]));
    }
  }
  return list;
}

const Picture* findPicture(const PictureList& list, const QString& name) {
  for (const Picture& picture : list) {
    if (picture.name == name) return &picture;
  }
  return nullptr;
}

}  // namespace sc::artwork
