// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture formats the program reads and writes.

namespace sc {

enum class PictureFormat { kUnknown, kBmp, kPng, kJpeg, kTiff };

}  // namespace sc
