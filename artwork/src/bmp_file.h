// SPDX-License-Identifier: GPL-3.0-or-later
// 24-bit bottom-up Windows bitmaps: the source format of every picture.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace sc::artwork {

// The complete file: 14-byte file header, 40-byte info header (no
// compression, 2835 pixels per metre), then rows bottom-up, each blue, green,
// red per pixel and padded to a multiple of 4 bytes. A grey picture stores its
// red channel in all three components.
QByteArray encodeBmp(const QImage& image, bool grey);

enum class WriteResult { Unchanged, Written, Failed };

// Writes bytes to path unless the file already holds exactly these bytes, so
// an unchanged picture keeps its time stamp. Missing folders are made.
WriteResult writeIfChanged(const QString& path, const QByteArray& bytes);

}  // namespace sc::artwork
