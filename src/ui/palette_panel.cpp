// The palette panel's window, drawn from its "palette" skin. Its set-up reads
// the preset lists, which the program writes back at exit.
#include "app/assets.h"
#include "app/presets.h"
#include "app/shell_state.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"
#include "ui/pointer_state.h"

namespace sc {
namespace {

Surface& background() {
    static Surface s;
    return s;
}

}  // namespace

void setUpPalettePanel() {
    loadColourAsset(background(), "palette");
    loadBrushPresets(kPaletteFile);
    loadStrokePresets(kStrokesFile);
    showSelectedStroke();
    storeSelectedStroke();
    repaintPanel(shell().windows.palettePanel);
}

void palettePanelProc(const platform::Message& m) {
    if (!panelCommonMessage(m, kPalettePointer)) return;
    if (m.kind == platform::MessageKind::Paint) paintPanel(m.window, background());
}

}  // namespace sc
