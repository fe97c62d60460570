// The styles panel: a child window filling the lower 280 x 80 pixels of the
// brush properties panel, drawn from its "styles" skin.
#include "app/assets.h"
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

void createStylesPanel() {
    ShellState& s = shell();
    loadColourAsset(background(), "styles");
    platform::WindowSpec spec;
    spec.kind = platform::WindowKind::Child;
    spec.className = "StylesClassName";
    spec.parent = s.windows.propertiesPanel;
    spec.x = 0;
    spec.y = 160;
    spec.width = 280;
    spec.height = 80;
    spec.proc = &stylesPanelProc;
    s.windows.stylesPanel = platform::createWindow(spec);
    if (s.windows.stylesPanel == platform::kNoWindow) {
        platform::messageBox(s.frameWindow, "Error", "Failed To Create Palette Window");
    }
}

void repaintStylesPanel() { repaintPanel(shell().windows.stylesPanel); }

void stylesPanelProc(const platform::Message& m) {
    if (!panelCommonMessage(m, kStylesPointer)) return;
    if (m.kind == platform::MessageKind::Paint) paintPanel(m.window, background());
}

}  // namespace sc
