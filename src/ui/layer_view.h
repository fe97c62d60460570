// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the layers panel shows of a painting: each layer's name, eye,
// opacity and small picture, and the active layer.
#include "ui/layers_panel.h"

namespace sc {

struct Painting;

// With `pictures` false the rows have no pictures (cheap: for seeing whether
// anything but the pictures changed).
LayerView layerViewOf(const Painting& p, bool pictures = true);
// True when the two views differ in more than the pictures.
bool layerRowsDiffer(const LayerView& a, const LayerView& b);

}  // namespace sc
