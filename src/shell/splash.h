#pragma once
// The splash window: the "splash" picture centred on the screen, shown while
// the assets load at start-up and again by Help, About.

namespace sc {

class Surface;

// Shows the picture. With autoClose it goes after 3 seconds; any key, mouse
// button or loss of focus closes it sooner. onShown (may be null) runs once
// the window is visible, while it stays up. When the splash cannot be shown
// its message appears and onShown still runs, so that start-up still loads
// what it needs.
void showSplash(const Surface* picture, bool autoClose, void (*onShown)());

}  // namespace sc
