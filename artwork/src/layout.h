// SPDX-License-Identifier: GPL-3.0-or-later
// Sizes of the pictures and the panel positions they are drawn to fit.
// artwork/README.md is the contract; these constants are its numbers.
#pragma once

namespace sc::artwork::layout {

// Tools panel: two columns of tool buttons under three headings.
constexpr int kToolW = 32, kToolH = 28;          // every tool button image
constexpr int kHeadingW = 64, kHeadingH = 18;    // "brushes", "tools", "effects"
constexpr int kToolsViewW = 68;
constexpr int kToolsViewH = 3 * kHeadingH + 232;  // 286
constexpr int kToolColumnLeft = 2, kToolColumnRight = 34;

// Brush properties panel (upper part; the styles panel covers the rest).
constexpr int kPropertiesW = 280, kPropertiesH = 160;
constexpr int kPreviewX = 10, kPreviewY = 12, kPreviewSize = 128;
constexpr int kPropertySliderX = 160, kPropertySliderLength = 100;
constexpr int kPropertySliderY[4] = {30, 54, 78, 116};

// Slider knob: drawn with its top at y - height/2 + 1, centred on the track.
constexpr int kKnobW = 7, kKnobH = 12;

// Colours panel.
constexpr int kColoursW = 205, kColoursH = 94;
constexpr int kSpectrumX = 4, kSpectrumY = 76, kSpectrumW = 197, kSpectrumH = 16;
constexpr int kSwatchX = 6, kSwatchY = 7, kSwatchSize = 20;
constexpr int kColourSliderX = 50, kColourSliderLength = 140;
constexpr int kColourSliderY[3] = {10, 32, 54};

// Tabs of the palette and styles panels: at (3, 1), (W + 2, 1), (2W + 1, 1).
constexpr int kTabW = 64, kTabH = 17;
constexpr int kPageTop = 18;  // first row below the tab strip

// Palette panel.
constexpr int kPaletteW = 280, kPaletteH = 200;
constexpr int kStrokesH = 160;  // "strokes", drawn at (0, 18)
constexpr int kGridX = 5, kGridY = 19, kCell = 30;
constexpr int kBrushColumns = 9, kBrushRows = 5;
constexpr int kStrokeRowW = 132, kStrokeRowH = 15, kStrokeRows = 10;
constexpr int kBottomButtonY = 178, kBottomButtonH = 18;
constexpr int kListButtonW = 66, kSmallButtonW = 30;
constexpr int kSaveListX = 8, kLoadListX = 78, kDeleteX = 213, kAddX = 245;
constexpr int kCheckSize = 13, kCheckX = 144;
constexpr int kCheckY[3] = {27, 51, 75};
constexpr int kStrokeSliderX[5] = {170, 170, 180, 180, 180};
constexpr int kStrokeSliderY[5] = {45, 69, 111, 135, 159};
constexpr int kStrokeSliderLength[5] = {100, 100, 90, 90, 90};

// Styles panel (a child of the brush properties panel, below the preview).
constexpr int kStylesW = 280, kStylesH = 80;
constexpr int kShapeW = 280, kShapeH = 62;  // "shape", drawn at (0, 18)
constexpr int kThumb = 29, kStyleColumns = 9, kStyleRows = 2;
constexpr int kProfileX = 4, kProfileY = 22, kProfileSize = 54;  // panel coordinates
constexpr int kHardnessSliderX = 90, kHardnessSliderY = 54, kHardnessSliderLength = 110;

// Layers panel: a list of six rows (eye toggle, thumbnail, name), scroll
// buttons beside it, the opacity slider and a row of command buttons.
constexpr int kLayersW = 280, kLayersH = 226;
constexpr int kLayerListX = 5, kLayerListY = 5, kLayerRowW = 256, kLayerRowH = 26, kLayerRows = 6;
constexpr int kEyeX = 8, kEyeDy = 4, kEyeSize = 18;
constexpr int kLayerThumbX = 30, kLayerThumbDy = 2, kLayerThumbW = 32, kLayerThumbH = 22;
constexpr int kLayerNameX = 68;
constexpr int kLayerScrollX = 263, kLayerScrollSize = 13;
constexpr int kOpacityGrooveY = 166, kOpacitySliderX = 70, kOpacitySliderY = 178, kOpacitySliderLength = 150;
constexpr int kLayerButtonGrooveY = 192, kLayerButtonY = 198, kLayerButtonW = 30, kLayerButtonH = 22;
constexpr int kLayerButtonCount = 7;
constexpr int kLayerButtonX[kLayerButtonCount] = {8, 40, 72, 112, 144, 184, 242};
// The letters the panels write names with: one cell a character from ' ' to
// '~', its advance marked in the cell's first row.
constexpr int kGlyphFirst = 32, kGlyphCount = 95, kGlyphW = 12, kGlyphH = 14;

// New Image dialog (grey pictures).
constexpr int kFileNewW = 234, kFileNewH = 149;
constexpr int kFieldX = 90, kFieldW = 40, kFieldH = 16;
constexpr int kWidthFieldY = 22, kHeightFieldY = 52;
constexpr int kDialogButtonW = 74, kDialogButtonH = 24;
constexpr int kOkayX = 30, kCancelX = 130, kDialogButtonY = 100;

// Splash picture.
constexpr int kSplashW = 480, kSplashH = 300;

// Paint-style and texture images.
constexpr int kGrainSize = 400;
constexpr int kGrainCount = 18;

}  // namespace sc::artwork::layout
