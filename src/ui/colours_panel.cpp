// The colours panel's window, drawn from its "colordlg" skin.
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

void setUpColoursPanel() { loadColourAsset(background(), "colordlg"); }

bool coloursFrameUpdate() { return false; }

void applyColourSliders() {}

void syncColourPanel() { repaintPanel(shell().windows.coloursPanel); }

void coloursPanelProc(const platform::Message& m) {
    if (!panelCommonMessage(m, kColoursPointer)) return;
    if (m.kind == platform::MessageKind::Paint) paintPanel(m.window, background());
}

}  // namespace sc
