// SPDX-License-Identifier: GPL-3.0-or-later
#include "bmp_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace sc::artwork {

namespace {

void putU16(char* at, unsigned value) {
  at[0] = static_cast<char>(value & 0xFF);
  at[1] = static_cast<char>((value >> 8) & 0xFF);
}

void putU32(char* at, unsigned value) {
  putU16(at, value & 0xFFFF);
  putU16(at + 2, (value >> 16) & 0xFFFF);
}

}  // namespace

QByteArray encodeBmp(const QImage& source, bool grey) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const int width = image.width();
  const int height = image.height();
  const int stride = (width * 3 + 3) & ~3;
  const unsigned pixelBytes = static_cast<unsigned>(stride) * static_cast<unsigned>(height);
  QByteArray bytes(static_cast<qsizetype>(54 + pixelBytes), '\0');
  char* d = bytes.data();
  d[0] = 'B';
  d[1] = 'M';
  putU32(d + 2, 54 + pixelBytes);  // file size
  putU32(d + 10, 54);              // offset of the pixels
  putU32(d + 14, 40);              // info header size
  putU32(d + 18, static_cast<unsigned>(width));
  putU32(d + 22, static_cast<unsigned>(height));  // positive: bottom-up
  putU16(d + 26, 1);                              // planes
  putU16(d + 28, 24);                             // bits per pixel
  putU32(d + 34, pixelBytes);
  putU32(d + 38, 2835);
  putU32(d + 42, 2835);
  for (int row = 0; row < height; ++row) {
    const QRgb* src = reinterpret_cast<const QRgb*>(image.constScanLine(height - 1 - row));
    char* out = d + 54 + static_cast<qsizetype>(row) * stride;
    for (int x = 0; x < width; ++x) {
      const QRgb c = src[x];
      const int red = qRed(c);
      out[3 * x + 0] = static_cast<char>(grey ? red : qBlue(c));
      out[3 * x + 1] = static_cast<char>(grey ? red : qGreen(c));
      out[3 * x + 2] = static_cast<char>(red);
    }
  }
  return bytes;
}

WriteResult writeIfChanged(const QString& path, const QByteArray& bytes) {
  QFile existing(path);
  if (existing.open(QIODevice::ReadOnly)) {
    if (existing.size() == bytes.size() && existing.readAll() == bytes) return WriteResult::Unchanged;
    existing.close();
  }
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return WriteResult::Failed;
  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly)) return WriteResult::Failed;
  if (out.write(bytes) != bytes.size()) {
    out.cancelWriting();
    return WriteResult::Failed;
  }
  return out.commit() ? WriteResult::Written : WriteResult::Failed;
}

}  // namespace sc::artwork
