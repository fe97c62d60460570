// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The styles panel's record: its page tabs, the three pages' pictures and
// the hardness slider.
#include <array>

#include "engine/surface.h"
#include "ui/skin_button.h"
#include "ui/slider.h"

namespace sc {

enum StylesPage { kPaintStylesPage = 0, kTexturesPage = 1, kShapePage = 2 };

inline constexpr int kStyleItemCount = 18;

struct StylesPanel {
    SkinButtonTable tabs;
    std::array<Surface, 6> tabPictures;  // tpaint0/1, ttexture0/1, tshape0/1
    int page = kPaintStylesPage;
    Slider hardness;
    Surface background;
    Surface backBuffer;
    Surface shape;
    std::array<Surface, kStyleItemCount> styleThumbs;
    std::array<Surface, kStyleItemCount> textureThumbs;
    // An update is running: the Paint its redraw sends back must not start
    // another (see stylesPanelProc).
    bool updating = false;
};

}  // namespace sc
