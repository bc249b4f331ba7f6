#pragma once
// Finding another process's popup menus on screen and the places of their entries, so that a
// test can walk a menu with physical clicks.

#include <windows.h>

#include <vector>

namespace tressel::testing {

// The visible popup menu windows (class "#32768") of the process, in no particular order.
std::vector<HWND> VisibleMenuWindows(DWORD processId);

// The screen rectangle of entry `index` of the popup in `menuWindow`, which has `count`
// entries. Asks the system first (MN_GETHMENU and GetMenuItemRect); where the menu belongs to
// another process and the system cannot answer (Wine), it divides the menu window's client area
// evenly among the entries, which holds for menus whose entries all have the same height.
RECT MenuEntryRect(HWND owner, HWND menuWindow, int index, int count);

// The rectangles of every entry of `menu`, relative to the top-left corner of its popup window,
// measured by showing the menu briefly in this process: the system lays a menu out only when
// it shows it, and another process's menu cannot be asked (Wine). A popup of the same menu
// resource in another process has the same layout, separators included.
std::vector<RECT> MeasureMenuEntries(HMENU menu);

// Waits until exactly one of the process's popup menus is open and returns it (null when that
// does not happen in time).
HWND AwaitOnlyMenu(DWORD processId);

// Presses the right button at `at` with the physical pointer, waits for the process's one menu
// and releases the button beside it: Wine pushes a menu that would leave the screen back over the
// pointer (Windows opens it beside the pointer), where the release would choose the entry under
// it. Returns the menu, null when none opened or the pointer could not be moved.
HWND OpenMenuByRightPress(DWORD processId, POINT at);

// Clicks entry `index` of `menu` (of `count` entries) with the physical pointer and returns the
// submenu of the process that opened (null when none did).
HWND OpenSubmenuByClick(DWORD processId, HWND owner, HWND menu, int index, int count);

inline POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace tressel::testing
