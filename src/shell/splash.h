// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The splash window: the "splash" picture centred on the screen, shown while
// the assets load at start-up and again by Help, About.
#include <functional>

namespace sc {

class Surface;

// What the splash window shows and whether it was asked to close. The
// program has one: a splash shown from inside another (About while one is
// up) takes it over until it closes.
struct SplashState {
    const Surface* picture = nullptr;
    bool closed = false;
};

// Shows the picture. With autoClose it goes after 3 seconds; any key, mouse
// button or loss of focus closes it sooner. onShown (may be empty) runs once
// the window is visible, while it stays up. When the splash cannot be shown
// its message appears and onShown still runs, so that start-up still loads
// what it needs.
void showSplash(SplashState& splash, const Surface* picture, bool autoClose, const std::function<void()>& onShown);

}  // namespace sc
