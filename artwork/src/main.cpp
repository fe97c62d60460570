// SPDX-License-Identifier: GPL-3.0-or-later
// smudgecraft-artwork: draws every picture the program loads by name and
// writes them as 24-bit bitmaps under a WorkData/ folder; optionally also a
// contact sheet that shows the whole set at a glance, and the program's icon
// as a hicolor theme folder (PNG pictures of each size and an SVG).
//
//   smudgecraft-artwork [--cache DATA_DIR] [--contact-sheet SHEET.png] [--icons ICON_DIR] [WORKDATA_DIR]
//
// The output is the same bytes on every run. A picture whose file already
// holds those bytes is not rewritten; with --cache, the program's cached copy
// (DATA_DIR/<name>.jgi) of every picture that did change is removed, so the
// program imports the new picture on its next start.
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <cstdlib>

#include "app_icon.h"
#include "bmp_file.h"
#include "catalog.h"
#include "contact_sheet.h"
#include "skin.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: smudgecraft-artwork [--cache DATA_DIR] [--contact-sheet SHEET.png] "
               "[--icons ICON_DIR] [WORKDATA_DIR]\n");
  return 2;
}

// ICON_DIR/hicolor/NxN/apps/smudgecraft.png for every size and
// ICON_DIR/hicolor/scalable/apps/smudgecraft.svg. False when one failed.
bool writeIcons(const QString& iconDir) {
  for (const int size : sc::artwork::kIconSizes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const QString path = QString("%1/hicolor/%2x%2/apps/smudgecraft.png").arg(iconDir).arg(size);
    if (!sc::artwork::iconPicture(size).save(&buffer, "PNG") ||
        sc::artwork::writeIfChanged(path, png) == sc::artwork::WriteResult::Failed) {
      std::fprintf(stderr, "smudgecraft-artwork: cannot write %s\n", qPrintable(path));
      return false;
    }
  }
  const QString svg = iconDir + "/hicolor/scalable/apps/smudgecraft.svg";
  if (sc::artwork::writeIfChanged(svg, sc::artwork::iconSvg()) == sc::artwork::WriteResult::Failed) {
    std::fprintf(stderr, "smudgecraft-artwork: cannot write %s\n", qPrintable(svg));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QString outDir, cacheDir, sheetPath, iconDir;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if ((arg == "--cache" || arg == "--contact-sheet" || arg == "--icons") && i + 1 < argc) {
      (arg == "--cache" ? cacheDir : arg == "--icons" ? iconDir : sheetPath) = QString::fromLocal8Bit(argv[++i]);
    } else if (arg.startsWith("-") || !outDir.isEmpty()) {
      return usage();
    } else {
      outDir = arg;
    }
  }
  if (outDir.isEmpty() && sheetPath.isEmpty() && iconDir.isEmpty()) return usage();

  // Drawing needs no display; the offscreen platform serves unless told otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  QString error;
  if (!sc::artwork::loadSkinFonts(&error)) {
    std::fprintf(stderr, "smudgecraft-artwork: %s\n", qPrintable(error));
    return 1;
  }
  // The icon alone needs none of the other pictures.
  const sc::artwork::PictureList pictures =
      outDir.isEmpty() && sheetPath.isEmpty() ? sc::artwork::PictureList{} : sc::artwork::drawAllPictures();

  int written = 0;
  if (!outDir.isEmpty()) {
    for (const sc::artwork::Picture& picture : pictures) {
      const QString path = outDir + "/" + picture.folder + picture.name + ".bmp";
      const auto result =
          sc::artwork::writeIfChanged(path, sc::artwork::encodeBmp(picture.image, picture.grey));
      if (result == sc::artwork::WriteResult::Failed) {
        std::fprintf(stderr, "smudgecraft-artwork: cannot write %s\n", qPrintable(path));
        return 1;
      }
      if (result == sc::artwork::WriteResult::Written) {
        ++written;
        if (!cacheDir.isEmpty()) QFile::remove(cacheDir + "/" + picture.name + ".jgi");
      }
    }
    std::printf("smudgecraft-artwork: %d pictures, %d written to %s\n",
                static_cast<int>(pictures.size()), written, qPrintable(outDir));
  }
  if (!iconDir.isEmpty() && !writeIcons(iconDir)) return 1;
  if (!sheetPath.isEmpty()) {
    if (!sc::artwork::contactSheet(pictures).save(sheetPath, "PNG")) {
      std::fprintf(stderr, "smudgecraft-artwork: cannot write %s\n", qPrintable(sheetPath));
      return 1;
    }
  }
  return 0;
}
