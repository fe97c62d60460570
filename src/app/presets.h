#pragma once
// The palette's two preset lists as the program uses them: loading and
// saving their files, adding with a limit, deleting with confirmation,
// drawing and the sample thumbnails. The lists live in shell().
#include <string>

#include "formats/preset_lists.h"

namespace sc {

class Surface;

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
void provideStartingLists();

// Brush list.
void loadBrushPresets(const std::string& path);
bool saveBrushPresets(const std::string& path);
void addBrushPreset();
void deleteBrushPreset(int index);
void drawBrushPresets(Surface& target);
void rebuildBrushThumbnails();
void renderBrushThumbnail(int slot);

// Stroke list.
void loadStrokePresets(const std::string& path);
bool saveStrokePresets(const std::string& path);
void addStrokePreset(const StrokeDynamics& stroke);
void deleteStrokePreset(int index);
void drawStrokePresets(Surface& target);
void rebuildStrokeThumbnails();
void renderStrokeThumbnail(int slot);
void showSelectedStroke();
void storeSelectedStroke();

// The strokes page's three check boxes and five sliders, installed by the
// palette panel; null where no panel exists.
struct StrokePageControls {
    void (*show)(const StrokeDynamics& stroke) = nullptr;        // boxes, values and enabled states
    void (*read)(StrokeDynamics& stroke) = nullptr;              // switches and values from the controls
    void (*followSwitches)(const StrokeDynamics& stroke) = nullptr;  // sliders enabled by the switches
};
extern StrokePageControls strokePageControls;

}  // namespace sc
