// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seam: the desktop's services: connecting to it, the browser, the
// program's path and helpers, the single instance, the clock and the pacing
// of the main loop.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows.h"

namespace sc::platform {

// ---- Connection ----------------------------------------------------------

// Connects to the desktop. Takes the options meant for it out of the
// arguments; the rest are the program's. False when there is no desktop.
bool initialise(int& argc, char** argv);
// Lets the desktop show what was drawn, without handling any input (for a
// window that must appear before a long piece of work).
void flushDisplay();
// Closes every window and disconnects from the desktop (before the program
// returns from main).
void shutdown();

// ---- Services ------------------------------------------------------------

// Opens a web address or a local file in the user's browser.
bool openUrl(const std::string& address);
// The full path of the running program.
std::string programPath();
// Starts a helper program without waiting for it; false if it cannot start.
bool startDetached(const std::string& program, const std::vector<std::string>& arguments);

// ---- A picture of the screen ----------------------------------------------

// Writes a PNG picture of the program's shown windows as they lie on the
// screen, and beside it (PATH.txt) one line "x y width height caption" for
// each of them, bottom of the stack first, for documentation. False when the
// desktop has no picture to give or a file cannot be written.
bool saveScreenPicture(const std::string& path);

// ---- Single instance -----------------------------------------------------

enum class InstanceRole { First, Second };
// Takes the per-user lock of the given name. The first instance also starts
// listening for hand-over notices; each one received is queued as a
// HandOver message to `notifyWindow` (set later with setHandOverWindow).
InstanceRole acquireSingleInstance(const std::string& name);
void setHandOverWindow(WindowId window);
// From a second instance: tells the first that the hand-over file is ready.
// False when no first instance answers.
bool notifyFirstInstance(const std::string& name);
void releaseSingleInstance();
// The path of a file of that name in the user's private runtime directory
// (the user's own, closed to everyone else), where the instances meet
// whatever directory each was started from; empty when there is none.
std::string runtimeFilePath(const std::string& fileName);

// ---- Clock and pacing ----------------------------------------------------

// Seconds on a monotonic clock (extended precision).
long double clockSeconds();
std::uint32_t tickMilliseconds();
void sleepMilliseconds(int milliseconds);
// Ends a main-loop pass: returns once the clock reaches `deadline` (sleeping,
// with a short final spin). When `mayBlock` and nothing is pending it then
// waits, without using the processor, until the desktop has an event or,
// when `wakeAt` is not 0, until the clock reaches `wakeAt`.
void endPass(long double deadline, bool mayBlock, long double wakeAt = 0.0L);

}  // namespace sc::platform
