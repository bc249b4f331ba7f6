#pragma once
// A push button drawn entirely from a PNG picture, alpha included, over the piece of the parent
// window's background that lies under it.

#include <windows.h>

#include "framework/Control.h"

namespace tressel {

class CGdipButton : public win::Control {
public:
    // Loads the button's picture from the program's resources (type "PNG").
    bool LoadImage(int resourceId, const wchar_t* resourceType) {
        (void)resourceId;
        (void)resourceType;
        return false;
    }
    // Takes the button's background from `dc` (the parent's off-screen picture).
    void CaptureBackground(HDC dc) { (void)dc; }
};

}  // namespace tressel
