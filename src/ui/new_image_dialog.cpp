// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/new_image_dialog.h"

#include <cstdint>
#include <cstdio>

#include "app/assets.h"
#include "app/shell_state.h"
#include "engine/numeric.h"
#include "engine/surface.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "platform/furniture.h"
#include "ui/floating_windows.h"
#include "ui/skin_button.h"

namespace sc {
namespace {

using platform::Message;
using platform::MessageKind;
using platform::WindowId;

constexpr int kClientWidth = 234;
constexpr int kClientHeight = 149;
constexpr int kOkButton = 0;
constexpr int kCancelButton = 1;
// The buttons' size by the artwork's layout, for pictures that did not load.
constexpr int kButtonWidth = 74;
constexpr int kButtonHeight = 24;

// The dialog while it runs (one at a time: every other window is disabled).
struct DialogState {
    WindowId window = platform::kNoWindow;
    NewImageSize result;
    bool done = false;
    bool down = false;  // the dialog's own pointer record
    int x = 0;
    int y = 0;
    SkinButtonTable buttons;
    Surface background;
};

void showBackground(const DialogState& d) {
    if (d.background.valid()) platform::blit(d.window, d.background, 0, 0);
}

// The frame, its document area and every floating panel, on or off.
void enableOtherWindows(const ShellState& s, const FloatingWindows& floating, bool enable) {
    if (s.frameWindow != platform::kNoWindow) platform::enableWindow(s.frameWindow, enable);
    if (s.windows.documentArea != platform::kNoWindow) platform::enableWindow(s.windows.documentArea, enable);
    for (int i = 0; i < floating.count; ++i) {
        const WindowId w = floating.windows[static_cast<std::size_t>(i)];
        if (w != platform::kNoWindow) platform::enableWindow(w, enable);
    }
}

void addButton(DialogState& d, int index, int x, const Surface& normal, const Surface& pressed) {
    d.buttons.add(index, x, 100, &normal, &normal, &pressed, kPushButton);
    if (d.buttons[index].width == 0) {
        d.buttons[index].width = kButtonWidth;
        d.buttons[index].height = kButtonHeight;
    }
}

std::string numberText(int v) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", v);
    return text;
}

void newImageDialogProc(DialogState& d, const Message& m) {
    switch (m.kind) {
        case MessageKind::Activate: showBackground(d); break;
        case MessageKind::Paint:
            platform::beginPaint(m.window);
            d.buttons.drawTo(m.window);
            break;
        case MessageKind::Close:
            d.done = true;
            d.result.width = kNewImageCancelled;
            break;
        case MessageKind::KeyDown:
            // As in any dialog: Escape cancels, Enter answers OK.
            if (m.key == platform::Key::Escape) {
                d.done = true;
                d.result.width = kNewImageCancelled;
            } else if (m.key == platform::Key::Enter) {
                d.done = true;
            }
            break;
        case MessageKind::EditChanged:
            if (m.command == kWidthFieldId) {
                d.result.width = fieldNumber(platform::editText(m.window, kWidthFieldId));
                d.result.height = fieldNumber(platform::editText(m.window, kHeightFieldId));
            } else if (m.command == kHeightFieldId) {
                d.result.height = fieldNumber(platform::editText(m.window, kHeightFieldId));
            }
            break;
        case MessageKind::MouseMove:
            d.x = m.x;
            d.y = m.y;
            break;
        case MessageKind::LeftDown: d.down = true; break;
        case MessageKind::LeftUp: d.down = false; break;
        default: break;
    }
}

}  // namespace

int fieldNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i == text.size()) return 0;
    std::uint64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return 0;
        v = v * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (v > 0xffffffffull) return 0;
    }
    return static_cast<int>(static_cast<std::uint32_t>(v));
}

NewImageSize runNewImageDialog(ShellState& s, const FloatingWindows& floating, int width, int height) {
    DialogState d;
    loadGreyAsset(s, d.background, "filenew");

    const platform::Rect desk = platform::desktopClientArea();
    platform::WindowSpec windowSpec;
    windowSpec.kind = platform::WindowKind::Floating;
    windowSpec.className = kNewImageClass;
    windowSpec.caption = kNewImageCaption;
    windowSpec.parent = s.windows.documentArea;
    windowSpec.x = truncToInt((desk.width() - kClientWidth) * 0.5);
    windowSpec.y = truncToInt((desk.height() - kClientHeight) * 0.5 - 50);
    windowSpec.width = kClientWidth;
    windowSpec.height = kClientHeight;
    windowSpec.closeBox = true;
    windowSpec.proc = [&d](const Message& m) { newImageDialogProc(d, m); };
    d.window = platform::createWindow(windowSpec);
    if (d.window == platform::kNoWindow) {
        platform::messageBox(s.frameWindow, "Error", "Failed To Create Palette Window");
        // Without a window nothing could end the dialog: it counts as cancelled.
        return {kNewImageCancelled, height};
    }
    for (const auto& [id, y] : {std::pair{kWidthFieldId, 22}, std::pair{kHeightFieldId, 52}}) {
        if (!platform::createEditField(d.window, id, 90, y, 40, 16)) {
            platform::messageBox(platform::kNoWindow, "Error", "Edit Box Failed.", platform::Buttons::Ok,
                                 platform::Icon::Error);
        }
    }

    enableOtherWindows(s, floating, false);
    platform::enableWindow(d.window, true);
    platform::setEditText(d.window, kHeightFieldId, numberText(height));
    platform::setEditText(d.window, kWidthFieldId, numberText(width));
    d.result = {width, height};

    Surface okay0, okay1, cancel0, cancel1;
    loadGreyAsset(s, okay0, "okay0");
    loadGreyAsset(s, okay1, "okay1");
    loadGreyAsset(s, cancel0, "cancel0");
    loadGreyAsset(s, cancel1, "cancel1");
    addButton(d, kOkButton, 30, okay0, okay1);
    addButton(d, kCancelButton, 130, cancel0, cancel1);
    showBackground(d);
    platform::bringToFront(d.window);

    const bool ended = platform::runModalLoop(d.window, 5, [&d] {
        const int r = d.buttons.hitTest(d.x, d.y, d.down);
        platform::invalidateWindow(d.window);
        platform::updateWindow(d.window);
        if (r == kOkButton) d.done = true;
        if (r == kCancelButton) {
            d.done = true;
            d.result.width = kNewImageCancelled;
        }
        return !d.done;
    });
    // Destroyed from outside (the program is closing): cancelled.
    if (!ended) d.result.width = kNewImageCancelled;

    platform::destroyWindow(d.window);
    if (s.frameWindow != platform::kNoWindow) platform::bringToFront(s.frameWindow);
    enableOtherWindows(s, floating, true);
    return d.result;
}

}  // namespace sc
