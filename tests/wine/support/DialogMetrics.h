#pragma once
// The metrics the real window is laid out with: the resolution a program reads at its start,
// and the dialog base units its template was laid out with.

#include <windows.h>

#include "wine/support/UserRegistryValues.h"

namespace tressel::testing {

// The resolution ("LogPixels") the processes started from now on read, until the object goes
// out of scope.
class ScopedLogPixels {
  public:
    explicit ScopedLogPixels(DWORD dpi) : value_(L"Control Panel\\Desktop", L"LogPixels", dpi) {}

  private:
    ScopedUserValue value_;
};

// A rectangle of the template in dialog units: position and size.
struct DialogUnits {
    int x, y, cx, cy;
};

// Dialog units in pixels for the base units `base`: MulDiv(units, base, 4) across and
// MulDiv(units, base, 8) down (Win32 documentation of MapDialogRect,
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-mapdialogrect).
RECT PixelsOf(DialogUnits units, POINT base);

// A control's rectangle in the client coordinates of `dialog`, and on the screen.
RECT ClientRectOf(HWND dialog, int controlId);
RECT ScreenRectOf(HWND dialog, int controlId);

// The base units the template of the main window was laid out with, told by the hidden button
// 1006 that nothing moves (dialog units 190, 280, 60, 14); {0, 0} when no base units fit.
POINT DialogBaseUnits(HWND dialog);

}  // namespace tressel::testing
