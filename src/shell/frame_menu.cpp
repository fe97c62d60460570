// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's menu bar and its check marks.
#include "app/help_pages.h"
#include "app/shell_state.h"
#include "platform/furniture.h"
#include "shell/frame_window.h"
#include "shell/menu_shortcuts.h"

namespace sc {
namespace {

using platform::MenuItem;

MenuItem item(int command, const std::string& text, bool enabled = true) {
    MenuItem m;
    m.command = command;
    m.text = text;
    m.shortcut = shortcutTextOf(command);
    m.enabled = enabled;
    return m;
}

MenuItem separator() {
    MenuItem m;
    m.separator = true;
    return m;
}

MenuItem menu(const char* text, std::vector<MenuItem> items) {
    MenuItem m;
    m.text = text;
    m.items = std::move(items);
    return m;
}

}  // namespace

std::vector<MenuItem> frameMenu(const RunPaths& paths) {
    return {
        menu("&File",
             {item(kCmdNew, "&New"), item(kCmdOpen, "&Open"), item(kCmdImportImage, "&Import Image"), separator(),
              item(kCmdSave, "&Save"), item(kCmdExportImage, "&Export Image"), separator(),
              item(kCmdPageSetup, "&Page Setup"), item(kCmdPrint, "&Print"), separator(), item(kCmdExit, "E&xit")}),
        menu("&Edit", {item(kCmdUndo, "&Undo"), item(kCmdStepBackward, "Step &Backward", false),
                       item(kCmdStepForward, "Step &Forward", false)}),
        menu("&View", {item(kCmdHighQuality, "&High Quality (slow)"), separator(), item(kCmdLighting, "&Lighting"),
                       item(kCmdSmoothStrokes, "&Smooth Strokes"), separator(),
                       menu("&Zoom", {item(1258, "25%"), item(1259, "50%"), item(1260, "100%"), item(1261, "200%"),
                                      item(1262, "300%"), item(1263, "400%")})}),
        menu("&Image", {item(kCmdImageSize, "&Image Size"), separator(), item(1810, "&Flatten")}),
        menu("&Layer",
             {item(kCmdNewLayer, "&New Layer"), item(kCmdDuplicateLayer, "&Duplicate Layer"),
              item(kCmdDeleteLayer, "De&lete Layer", false), separator(), item(kCmdMergeDown, "&Merge Down", false),
              separator(), item(kCmdMoveLayerUp, "Move Layer &Up", false),
              item(kCmdMoveLayerDown, "Move Layer D&own", false), separator(),
              item(kCmdRenameLayer, "&Rename Layer..."), separator(), item(kCmdImportAsLayer, "&Import as Layer...")}),
        menu("&Filters",
             {menu("&Colors", {item(1305, "&Invert"), item(1315, "&Desaturate"), separator(), item(1320, "&Solarize"),
                               item(1330, "&Night"), item(1335, "&Aqua")}),
              menu("&Paint", {item(1500, "&Invert"), separator(), item(1840, "&Fill")}),
              menu("&Texture", {item(1310, "&Invert"), separator(), item(1845, "&Fill"), separator(),
                                item(1820, "&Inflate"), item(1300, "&Deflate"), separator(), item(1815, "&Outline")}),
              separator(), item(1830, "&Enhance"), item(1340, "&Sicken"), item(1325, "&Defenestrate"), separator(),
              item(1800, "&Clear")}),
        menu("&Window", {item(kCmdToolsPanel, " Tools"), item(kCmdPropertiesPanel, " Brush Properties"),
                         item(kCmdColoursPanel, " Colors"), item(kCmdPalettePanel, " Palette"),
                         item(kCmdLayersPanel, " Layers"), separator(), item(kCmdPenDialog, "&Pen...")}),
        menu("&Help", {item(kCmdHelp, "&Smudgecraft Help"), item(kCmdAbout, "&About Smudgecraft.."), separator(),
                       item(kCmdWebSite, webSiteItemAddress(paths))}),
    };
}

void checkMenuItem(ShellState& s, int command, bool checked) {
    s.menuChecks[command] = checked;
    platform::setMenuCheck(s.frameWindow, command, checked);
}

bool menuItemChecked(const ShellState& s, int command) {
    const auto& checks = s.menuChecks;
    const auto it = checks.find(command);
    return it != checks.end() && it->second;
}

}  // namespace sc
