#pragma once
// How many GDI and USER objects another process holds, for leak checks across many repetitions.
//
// GetGuiResources answers where the system implements it. Wine 8 does not (it returns 0 with
// ERROR_CALL_NOT_IMPLEMENTED); there the GDI count is taken from the process's GDI handle table,
// which Wine keeps in shared memory named by the process's PEB (as Windows does), and the USER
// count is the number of the process's windows, top-level and child, visible or hidden.
// Wine's menus and icons live in the owning process and cannot be counted from outside; an icon
// or menu background that leaks still shows in the GDI count through its bitmaps.

#include <windows.h>

#include <chrono>

namespace tressel::testing {

struct GuiObjectCounts {
    long gdi = -1;  // -1: could not be measured
    long user = -1;
    bool fromSystem = false;  // true when GetGuiResources gave the numbers
};

GuiObjectCounts CountGuiObjects(DWORD processId);

// The counts once they have stopped moving: equal over `quiet` of successive reads. Objects a
// process frees lazily (cached DCs, a menu's bitmaps after the menu loop returns) would otherwise
// make a baseline taken a moment too early look like a leak or hide one. Returns the last counts
// read (gdi -1 when they could not be measured or never settled within `timeout`).
GuiObjectCounts SettledGuiObjects(DWORD processId,
                                  std::chrono::milliseconds quiet = std::chrono::milliseconds(600),
                                  std::chrono::milliseconds timeout = std::chrono::seconds(20));

}  // namespace tressel::testing
