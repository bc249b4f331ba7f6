#include "wine/support/DialogMetrics.h"

namespace tressel::testing {

RECT PixelsOf(DialogUnits units, POINT base) {
    const int left = MulDiv(units.x, base.x, 4);
    const int top = MulDiv(units.y, base.y, 8);
    return {left, top, left + MulDiv(units.cx, base.x, 4), top + MulDiv(units.cy, base.y, 8)};
}

RECT ClientRectOf(HWND dialog, int controlId) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, controlId), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT ScreenRectOf(HWND dialog, int controlId) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, controlId), &r);
    return r;
}

POINT DialogBaseUnits(HWND dialog) {
    constexpr DialogUnits kHoldButton = {190, 280, 60, 14};
    const RECT hold = ClientRectOf(dialog, 1006);
    for (LONG bx = 1; bx < 64; ++bx)
        for (LONG by = 1; by < 128; ++by) {
            const RECT r = PixelsOf(kHoldButton, {bx, by});
            if (EqualRect(&r, &hold)) return {bx, by};
        }
    return {0, 0};
}

}  // namespace tressel::testing
