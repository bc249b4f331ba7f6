#pragma once
// The mouse as the raw input shows it: every press and release of the six inputs reaches
// WM_INPUT whatever the low-level hooks do with it. Presses tell a hook the system removed;
// releases tell a hook that a press it took has had its release, seen by it or not.

#include <windows.h>

#include <vector>

#include "config/ButtonId.h"

namespace tressel {

// Asks for the mouse's raw input in `window`, in front or not (RIDEV_INPUTSINK).
bool RegisterRawMouse(HWND window);

struct RawMouseButtons {
    std::vector<ButtonId> pressed;   // a button going down, or a wheel turned by a whole notch
    std::vector<ButtonId> released;  // a button going up
};

// The inputs pressed and released in one WM_INPUT (its lParam). Input the program sent itself
// counts for none: on Windows what SendInput sends comes with no device, and Wine, which gives it
// a device, passes the events' extra information on, where the dispatch's clicks carry their mark.
RawMouseButtons ReadRawMouseButtons(LPARAM rawInput);

}  // namespace tressel
