// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue of every picture the program loads by name: where it goes
// under WorkData/, whether it is a grey picture, and the image itself.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace sc::artwork {

struct Picture {
  QString folder;  // "" for WorkData/ itself, else "Styles/" or "Textures/"
  QString name;    // the asset name, without ".bmp"
  bool grey = false;
  QImage image;    // exactly the contract size, Format_RGB32
};

using PictureList = std::vector<Picture>;

// Each painter module appends its pictures.
void addToolsPanelPictures(PictureList& out);
void addPropertiesPictures(PictureList& out);
void addColoursPictures(PictureList& out);
void addPalettePictures(PictureList& out);
void addStylesPictures(PictureList& out);
void addLayersPictures(PictureList& out);
void addNewImagePictures(PictureList& out);
void addSplashPicture(PictureList& out);
void addGrainPictures(PictureList& out);

// Every picture, in a fixed order.
PictureList drawAllPictures();

// The picture named name in list, or nullptr.
const Picture* findPicture(const PictureList& list, const QString& name);

}  // namespace sc::artwork
