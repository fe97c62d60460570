#pragma once
// The seam between the program and the desktop. Everything outside
// src/platform talks to windows, dialogs and the clock only through these
// plain functions and records. Two implementations exist, chosen at link
// time: platform_qt.cpp (the desktop) and platform_headless.cpp (tests and
// the batch tool).
#include <cstdint>
#include <optional>
#include <string>

namespace sc::platform {

using WindowId = std::uint32_t;
inline constexpr WindowId kNoWindow = 0;

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Error, Exclamation, Information, Question };
enum class Answer { Ok, Cancel, Yes, No };

// A modal message box; returns the button the user chose.
Answer messageBox(WindowId owner, const std::string& caption, const std::string& text,
                  Buttons buttons = Buttons::Ok, Icon icon = Icon::None);

}  // namespace sc::platform
