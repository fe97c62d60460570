// The brush properties panel's window: the "properties" skin with the brush
// preview canvas at (10, 12).
#include "app/assets.h"
#include "app/shell_state.h"
#include "engine/renderer.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"
#include "ui/pointer_state.h"

namespace sc {
namespace {

struct PropertiesPanel {
    Surface background;
    Surface backBuffer;
};

PropertiesPanel& panel() {
    static PropertiesPanel p;
    return p;
}

void compose() {
    PropertiesPanel& p = panel();
    if (!p.backBuffer.valid()) return;
    p.background.blitToSurface(0, 0, p.backBuffer);
    shell().preview.surface.blitToSurface(10, 12, p.backBuffer);
}

}  // namespace

void setUpPropertiesPanel() {
    PropertiesPanel& p = panel();
    shell().preview.allocate(128, 128);
    if (p.backBuffer.create32(280, 240)) p.backBuffer.clearWhite();
    loadColourAsset(p.background, "properties");
    renderBrushPreview();
}

void propertiesFrameUpdate() {}

void renderBrushPreview() {
    ShellState& s = shell();
    if (s.preview.hasCells()) renderAll(s.preview);
    compose();
    s.previewDirty = false;
}

void propertiesPanelProc(const platform::Message& m) {
    if (!panelCommonMessage(m, kPropertiesPointer)) return;
    if (m.kind == platform::MessageKind::Paint) paintPanel(m.window, panel().backBuffer);
}

}  // namespace sc
