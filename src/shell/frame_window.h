// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame window: the maximised main window titled with the painting
// ("NAME - Smudgecraft" once it has a file, "Smudgecraft" before, both with
// a leading "*" while it has unsaved changes) with the menu bar, the document area holding the canvas window, the
// status bar and the floating panels. Its procedure routes the menu commands, accepts dropped files and the hand-over
// from a second start, and asks about unsaved changes before either replaces the painting and on closing.
#include <string>
#include <vector>

#include "platform/furniture.h"
#include "platform/windows.h"

namespace sc {

struct Program;
struct RunPaths;
struct ShellState;

enum FrameCommand : int {
    kCmdNew = 1000,
    kCmdOpen = 1001,
    kCmdSave = 1002,
    kCmdExportImage = 1004,
    kCmdImportImage = 1005,
    kCmdPageSetup = 1006,
    kCmdPrint = 1007,
    kCmdExit = 1009,
    kCmdToolsPanel = 1100,
    kCmdColoursPanel = 1101,
    kCmdPropertiesPanel = 1102,
    kCmdPalettePanel = 1103,
    kCmdLayersPanel = 1104,
    kCmdPenDialog = 1110,
    kCmdUndo = 1200,
    kCmdStepBackward = 1201,
    kCmdStepForward = 1202,
    kCmdHighQuality = 1250,
    kCmdLighting = 1252,
    kCmdZoom25 = 1258,
    kCmdZoom400 = 1263,
    kCmdSmoothStrokes = 1270,
    kCmdImageSize = 1280,
    kCmdNewLayer = 1600,
    kCmdDuplicateLayer = 1601,
    kCmdDeleteLayer = 1602,
    kCmdMergeDown = 1603,
    kCmdMoveLayerUp = 1604,
    kCmdMoveLayerDown = 1605,
    kCmdImportAsLayer = 1606,
    kCmdRenameLayer = 1607,
    kCmdAbout = 1400,
    kCmdHelp = 1401,
    kCmdWebSite = 1403,
};

inline constexpr const char* kFrameTitle = "Smudgecraft";
inline constexpr const char* kFrameClass = "MainWindowClass";

// Makes the frame (hidden), its document area, status bar and panels. False
// when the frame itself could not be made.
bool createFrameWindow(Program& p);
void frameWindowProc(Program& p, const platform::Message& m);

// The menu bar, in display order.
std::vector<platform::MenuItem> frameMenu(const RunPaths& paths);
// The menu's check marks as the program keeps them; the desktop shows them.
void checkMenuItem(ShellState& s, int command, bool checked);
bool menuItemChecked(const ShellState& s, int command);
// Carries out a menu command; false for an id the frame does not handle.
bool runFrameCommand(Program& p, int id);
// The frame's answer to a close request: the unsaved-changes question, then
// the frame's destruction, unless the answer keeps the painting.
void closeFrame(Program& p);
// Loads a painting handed over by a drop or a second start, after asking
// about unsaved changes as Open does; like an opened one it counts as saved.
void openHandedOverPainting(Program& p, const std::string& path);
// The frame's title for the painting as it stands.
std::string frameTitle(const ShellState& s);
// Sets the frame's title when the painting's file or saved state changed.
void syncFrameTitle(Program& p);

}  // namespace sc
