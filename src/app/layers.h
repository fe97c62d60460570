// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layer commands and what the rest of the program asks of a painting's
// layers. Layers are numbered from 0 at the bottom (the background). Every
// command that changes the painting is one undo and history step; a command
// that cannot be done says why and changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/layer.h"

#include "tools/tool_outcome.h"

namespace sc {

struct Painting;
struct ToolState;

inline constexpr std::size_t kMaxLayers = 32;

inline constexpr const char* kTooManyLayersText = "A painting can have at most 32 layers!";
inline constexpr const char* kNoMemoryForLayerText = "Not enough memory for another layer!";
inline constexpr const char* kLastLayerText = "The last layer of a painting cannot be deleted!";
inline constexpr const char* kNothingBelowText = "There is no layer below to merge into!";
inline constexpr const char* kNoSuchLayerText = "There is no such layer!";
inline constexpr const char* kNoMemoryForLayersText = "Not enough memory for the layers!";

enum class LayerError : std::uint8_t { kNone, kTooMany, kNoMemory, kLastLayer, kNothingBelow, kNoSuchLayer };
// The message to show for an error; null for kNone.
const char* layerErrorText(LayerError error);

std::size_t layerCount(const Painting& p);
std::size_t activeLayer(const Painting& p);
const std::string& layerName(const Painting& p, std::size_t layer);
bool layerVisible(const Painting& p, std::size_t layer);
float layerOpacity(const Painting& p, std::size_t layer);

// A new empty layer directly above the active one, made active. An empty
// name gives "Layer N".
LayerError addLayer(Painting& p, const ToolState& tools, const std::string& name = std::string());
// A copy of the layer directly above it, made active.
LayerError duplicateLayer(Painting& p, const ToolState& tools, std::size_t layer);
// Removes the layer; the last one left cannot go.
LayerError deleteLayer(Painting& p, const ToolState& tools, std::size_t layer);
// Moves the layer to position `to` (the others close up around it).
LayerError moveLayer(Painting& p, const ToolState& tools, std::size_t layer, std::size_t to);
// Merges the layer into the one below; the picture does not change.
LayerError mergeLayerDown(Painting& p, const ToolState& tools, std::size_t layer);
// Makes the layer the one the tools and filters work on (not an undo step:
// the painting does not change).
LayerError selectLayer(Painting& p, std::size_t layer);
LayerError setLayerVisible(Painting& p, const ToolState& tools, std::size_t layer, bool visible);
// Opacity 0..1 (values outside are held to it).
LayerError setLayerOpacity(Painting& p, const ToolState& tools, std::size_t layer, float opacity);
LayerError renameLayer(Painting& p, const ToolState& tools, std::size_t layer, const std::string& name);
// Import as Layer: the picture (read as Import Image reads it) as a new,
// fully covering layer above the active one, made active. kNone with
// `pictureRead` false when the picture could not be read (nothing changes).
LayerError importAsLayer(Painting& p, const ToolState& tools, const std::string& path, bool& failureShown,
                         bool& pictureRead);

// Stacks the layers into the document's cells again, whole, and marks the
// document for a full render. Nothing for a painting of one plain layer.
void composeLayers(Painting& p);
// The same for cells [x0, x1) x [y0, y1) (clipped); no render, no flag.
void composeLayerCells(Painting& p, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);

// One application of the live tool at cell (x, y) on the painting: on the
// document itself for one plain layer; else on the active layer, the
// document's cells made again and rendered where it changed.
ToolOutcome applyToolToPainting(Painting& p, ToolState& tools, int x, int y);
// Runs the filter of this menu id on the active layer (the document for one
// plain layer), after its undo snapshot. False for an id that is no filter.
bool runFilterOnPainting(Painting& p, ToolState& tools, std::int32_t menuId);
// Image Size: every layer resampled. False, with nothing changed, when memory
// runs out.
bool resamplePainting(Painting& p, std::uint32_t width, std::uint32_t height);
// The painting's layers become these (none: the document is one plain layer,
// its cells as they are), the active one `active`. The document already has
// the layers' size; it is made again from them.
void replaceLayers(Painting& p, std::vector<Layer>&& layers, std::size_t active);

}  // namespace sc
