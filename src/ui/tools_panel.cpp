// The tools panel's window: sized from its heading and button pictures and
// drawn from its "toolsview" skin.
#include "app/assets.h"
#include "app/shell_state.h"
#include "ui/floating_windows.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"
#include "ui/pointer_state.h"
#include "ui/status_line.h"

namespace sc {
namespace {

struct ToolsPanel {
    Surface brushes, tools, effects, brush0;
    Surface view;  // background and back buffer
};

ToolsPanel& panel() {
    static ToolsPanel p;
    return p;
}

}  // namespace

void createToolsPanel() {
    ToolsPanel& p = panel();
    loadColourAsset(p.brushes, "brushes");
    loadColourAsset(p.tools, "tools");
    loadColourAsset(p.effects, "effects");
    loadColourAsset(p.brush0, "brush0");
    const int hb = static_cast<int>(p.brushes.height());
    shell().windows.toolsPanel =
        createFloatingWindow(" Tools", 10, 65, 68, 3 * hb + 232, "ToolsWindowClass", &toolsPanelProc);
    loadColourAsset(p.view, "toolsview");
}

void selectTool() {
    repaintPanel(shell().windows.toolsPanel);
    updateStatusLine();
}

void toolsPanelProc(const platform::Message& m) {
    if (!panelCommonMessage(m, kToolsPointer, PanelButtons::ToolsPanel)) return;
    if (m.kind == platform::MessageKind::Paint) paintPanel(m.window, panel().view);
}


}  // namespace sc
