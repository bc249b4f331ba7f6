#pragma once
// The mouse as the raw input shows it, for telling a hook the system removed: every press of
// the six inputs reaches WM_INPUT whatever the low-level hooks do with it.

#include <windows.h>

#include <vector>

#include "config/ButtonId.h"

namespace tressel {

// Asks for the mouse's raw input in `window`, in front or not (RIDEV_INPUTSINK).
bool RegisterRawMouse(HWND window);
// The inputs pressed in one WM_INPUT (its lParam): a button going down, or a wheel turned by a
// whole notch. Input with no device (what SendInput sends, on Windows) counts for none.
std::vector<ButtonId> RawMousePresses(LPARAM rawInput);

}  // namespace tressel
