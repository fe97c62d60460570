// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The palette's two preset lists as the program uses them: loading and
// saving their files, adding with a limit, deleting with confirmation,
// drawing and the sample thumbnails. The lists live in ShellState; what the
// strokes page's controls show of the selected stroke is the palette
// panel's business.
#include <string>

#include "formats/preset_lists.h"

namespace sc {

class Surface;
struct RunPaths;
struct ShellState;

inline constexpr const char* kPaletteFile = "data/palette.dat";
inline constexpr const char* kStrokesFile = "data/strokes.dat";
// The starting lists that come with the program (run_paths.h).
inline constexpr const char* kStartingPaletteFile = "presets/palette.dat";
inline constexpr const char* kStartingStrokesFile = "presets/strokes.dat";
inline constexpr const char* kBrushListFullText = "List has reached maximum limit! Try deleting a brush first.";
inline constexpr const char* kStrokeListFullText = "List has reached maximum limit! Try deleting a stroke first.";
inline constexpr const char* kDeleteBrushText = "Are you sure you'd like to delete this brush?";
inline constexpr const char* kDeleteStrokeText = "Are you sure you'd like to delete this stroke?";

inline constexpr int kBrushThumbnailSide = 30;
inline constexpr int kStrokeThumbnailWidth = 132;
inline constexpr int kStrokeThumbnailHeight = 15;

// A preset's settings made safe for the live settings: size within 1..100,
// style and texture within their image arrays. Everything else as stored.
BrushSettings settingsForLive(const BrushSettings& stored);

// A first start: each starting list that comes with the program is copied
// into the user's data/ folder when the user has no such list yet.
void provideStartingLists(const RunPaths& paths);

// Brush list.
void loadBrushPresets(ShellState& s, const std::string& path);
bool saveBrushPresets(const ShellState& s, const std::string& path);
void addBrushPreset(ShellState& s);
void deleteBrushPreset(ShellState& s, int index);
void drawBrushPresets(const ShellState& s, Surface& target);
void rebuildBrushThumbnails(ShellState& s);
void renderBrushThumbnail(ShellState& s, int slot);

// Stroke list. Adding and deleting (true when the list changed) and loading
// leave a stroke selected whose dynamics the strokes page's controls then
// show.
void loadStrokePresets(ShellState& s, const std::string& path);
bool saveStrokePresets(const ShellState& s, const std::string& path);
bool addStrokePreset(ShellState& s, const StrokeDynamics& stroke);
bool deleteStrokePreset(ShellState& s, int index);
void drawStrokePresets(const ShellState& s, Surface& target);
void rebuildStrokeThumbnails(ShellState& s);
void renderStrokeThumbnail(ShellState& s, int slot);
// The selected stroke's dynamics become the live ones, and its thumbnail is
// drawn again.
void useSelectedStroke(ShellState& s);

}  // namespace sc
