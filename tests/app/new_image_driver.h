// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers the New Image dialog the way a user would: types into its fields
// and clicks OK or Cancel, from the dialog's own message loop.
#include <optional>
#include <string>

#include "platform/test_queries.h"
#include "platform/platform_headless.h"
#include "ui/new_image_dialog.h"

namespace sc::testing {

enum class DialogEnd { Ok, Cancel, Close, EnterKey, EscapeKey };

inline platform::WindowId newImageWindow() { return platform::findWindow(kNewImageClass, kNewImageCaption); }

// Clicks a push button of the dialog: move over it, press, release.
inline void clickDialog(platform::WindowId w, int x, int y) {
    namespace hl = platform::headless;
    hl::postPointer(w, platform::MessageKind::MouseMove, x, y);
    hl::postPointer(w, platform::MessageKind::LeftDown, x, y);
    hl::postPointer(w, platform::MessageKind::LeftUp, x, y);
}

// Schedules the answer to the next dialog. `seen` (if given) is set when the
// dialog appeared. A late Close keeps a test from waiting forever should the
// answer go astray.
inline void answerNewImage(std::optional<std::string> width, std::optional<std::string> height, DialogEnd end,
                           bool* seen = nullptr) {
    namespace hl = platform::headless;
    const long double t = hl::now();
    hl::atTime(t + 0.05L, [=] {
        const platform::WindowId w = newImageWindow();
        if (w == platform::kNoWindow) return;
        if (seen) *seen = true;
        if (width) hl::typeIntoField(w, kWidthFieldId, *width);
        if (height) hl::typeIntoField(w, kHeightFieldId, *height);
        if (end == DialogEnd::Ok) clickDialog(w, 40, 110);
        if (end == DialogEnd::Cancel) clickDialog(w, 140, 110);
        if (end == DialogEnd::Close || end == DialogEnd::EnterKey || end == DialogEnd::EscapeKey) {
            platform::Message m;
            m.kind = end == DialogEnd::Close ? platform::MessageKind::Close : platform::MessageKind::KeyDown;
            m.key = end == DialogEnd::EnterKey ? platform::Key::Enter : platform::Key::Escape;
            m.window = w;
            platform::postMessage(m);
        }
    });
    hl::atTime(t + 60.0L, [] {
        const platform::WindowId w = newImageWindow();
        if (w == platform::kNoWindow) return;
        platform::Message m;
        m.kind = platform::MessageKind::Close;
        m.window = w;
        platform::postMessage(m);
    });
}

}  // namespace sc::testing
