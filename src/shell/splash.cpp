// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/splash.h"

#include "engine/surface.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "platform/windows.h"

namespace sc {
namespace {

using platform::Message;
using platform::MessageKind;

// A key, a mouse button or the loss of focus closes the splash.
void splashProc(SplashState& splash, const Message& m) {
    switch (m.kind) {
        case MessageKind::KeyDown:
        case MessageKind::LeftDown:
        case MessageKind::RightDown: splash.closed = true; break;
        case MessageKind::Activate:
            if (!m.flag) splash.closed = true;
            break;
        case MessageKind::Paint:
            if (!platform::beginPaint(m.window).empty() && splash.picture) {
                platform::blit(m.window, *splash.picture, 0, 0);
            }
            break;
        default: break;
    }
}

void failed(const char* text, const std::function<void()>& onShown) {
    platform::messageBox(platform::kNoWindow, "Error", text, platform::Buttons::Ok, platform::Icon::Error);
    if (onShown) onShown();
}

}  // namespace

void showSplash(SplashState& splash, const Surface* picture, bool autoClose, const std::function<void()>& onShown) {
    if (!picture || !picture->valid()) {
        failed("Failed To Load Bitmap", onShown);
        return;
    }
    const int w = static_cast<int>(picture->width());
    const int h = static_cast<int>(picture->height());
    const platform::Rect desk = platform::desktopClientArea();
    platform::WindowSpec windowSpec;
    windowSpec.kind = platform::WindowKind::Splash;
    windowSpec.className = "SplashWindowClass";
    windowSpec.caption = "Splash Screen";
    windowSpec.x = (desk.right - w) >> 1;
    windowSpec.y = (desk.bottom - h) >> 1;
    windowSpec.width = w;
    windowSpec.height = h;
    windowSpec.proc = [&splash](const Message& m) { splashProc(splash, m); };
    const platform::WindowId window = platform::createWindow(windowSpec);
    if (window == platform::kNoWindow) {
        failed("Splash Window Creation Failed.", onShown);
        return;
    }
    // A splash shown from inside another takes the state over until it closes.
    const SplashState outer = splash;
    splash.picture = picture;
    platform::bringToFront(window);
    platform::updateWindow(window);
    platform::flushDisplay();

    splash.closed = false;
    const std::uint32_t t0 = platform::tickMilliseconds();
    if (onShown) onShown();
    // Before each round: closed by the user, or (with autoClose) due to close
    // once the round after 3 seconds has run.
    const auto stillShown = [&] {
        if (splash.closed) return false;
        if (autoClose && platform::tickMilliseconds() - t0 > 3000u) splash.closed = true;
        return true;
    };
    if (platform::windowExists(window) && stillShown()) platform::runModalLoop(window, 10, stillShown);
    platform::destroyWindow(window);
    splash = outer;
}

}  // namespace sc
