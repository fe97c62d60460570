// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record of the running program below its panels: the documents, the
// undo copy, the preset lists, the windows, the pointers, where the files
// are, and the flags through which the parts signal one another. The program
// owns one (its main function) and hands it down; nothing reaches it any
// other way.
#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "app/document_write_hook.h"
#include "app/painting.h"
#include "app/pointer_state.h"
#include "app/run_paths.h"
#include "engine/canvas.h"
#include "formats/options_file.h"
#include "formats/picture_export.h"
#include "formats/preset_lists.h"
#include "platform/windows.h"
#include "tools/brush_settings.h"
#include "tools/tool_state.h"

namespace sc {

// The windows of the running program (kNoWindow until made). The frame itself
// is ShellState::frameWindow.
struct ShellWindows {
    platform::WindowId documentArea = platform::kNoWindow;  // holds the canvas window
    platform::WindowId canvas = platform::kNoWindow;
    platform::WindowId toolsPanel = platform::kNoWindow;
    platform::WindowId coloursPanel = platform::kNoWindow;
    platform::WindowId propertiesPanel = platform::kNoWindow;
    platform::WindowId palettePanel = platform::kNoWindow;
    platform::WindowId stylesPanel = platform::kNoWindow;
    platform::WindowId layersPanel = platform::kNoWindow;
};

// What the canvas view keeps between messages.
struct CanvasViewState {
    float zoom = 1.0f;                         // window pixels per cell
    platform::Point canvasPosition{90, 10};    // canvas window in the document area
    platform::Point lastCursor;                // Hand Tool anchor, screen pixels
    std::array<std::uint8_t, 256> keyState{};  // by platform::Key: 1 while held
    bool temporaryHand = false;                // Space substitutes the Hand Tool
    bool pointerOverCanvas = false;            // between a move in the canvas window and its leave notice
    std::uint8_t savedTool = 0;
    // Document size for the status line.
    std::uint32_t statusWidth = 0;
    std::uint32_t statusHeight = 0;
    std::uint64_t statusBytes = 0;
    // Smooth Strokes: where the tool was last applied in this stroke (window
    // pixels), valid once the stroke's first application is done.
    platform::Point lastApplied;
    bool appliedInStroke = false;
};

struct ShellState {
    Painting painting;  // the document, its undo copy and history, saved, its file
    Canvas preview;     // the 128 x 128 brush preview

    bool quitRequested = false;
    bool pressArmed = false;
    bool leaveTracking = false;
    bool colourChanged = false;
    bool previewDirty = false;

    // The palette panel's brush presets and stroke presets.
    BrushPresetList brushPresets;
    StrokePresetList strokePresets;
    // The main frame window, owner of the dialogs and of some messages.
    platform::WindowId frameWindow = platform::kNoWindow;
    // The frame's menu check marks by command (the desktop shows them).
    std::map<int, bool> menuChecks;
    // Step Backward and Step Forward as the menu shows them (made greyed).
    std::array<bool, 2> historyItemsEnabled{};

    ShellWindows windows;
    PointerStates pointers;
    bool paintPageApplies = true;  // styles panel pages the current tool uses
    bool texturePageApplies = true;
    CanvasViewState view;
    Surface splash;          // the "splash" picture, shown again by About
    std::string statusHint;  // last part of the status line

    RunPaths paths;                         // where the program's and the user's files are
    Options options;                        // the user's "options.txt", loaded at start-up
    std::string lastChosenPath;             // where the next file chooser starts
    int jpegQuality = kDefaultJpegQuality;  // Export Image's last JPEG quality, offered again
    bool pictureFailureShown = false;       // "An image failed to load!" was shown

    // The tools' shared state: settings, mask, offsets, grain images, the
    // random generator, and the notice writeHook points at this record.
    ToolState tools;

    // The tools announce their changes to this record; last, so that it is
    // the first member to go when the record does.
    DocumentWriteHook writeHook;
};

}  // namespace sc
