#pragma once
// A push button without a face of its own: it shows the parent's pixels under it and draws its
// caption over them, in one colour when idle and another while the pointer is on it.

#include <windows.h>

#include "framework/Control.h"

namespace tressel {

class CTransParentButton : public win::Control {
public:
    void SetCaptionColour(COLORREF colour) { captionColour_ = colour; }
    void SetHoverColour(COLORREF colour) { hoverColour_ = colour; }
    // Paints the face now, outside a paint cycle.
    void RedrawFace() {
        if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
    }

private:
    COLORREF captionColour_ = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF hoverColour_ = GetSysColor(COLOR_HIGHLIGHT);
};

}  // namespace tressel
