#pragma once
// Bringing the window and its nine visible controls back to their 96-dpi size: the dialog
// template grows with the screen resolution, the skin is a fixed picture.

#include <array>
#include <cstdint>

#include "seam/Types.h"

namespace tressel {

struct FitFactors {
    double fx;
    double fy;
};

// The controls moved by the fit, in the order they are moved.
inline constexpr std::array<int, 9> kFittedControls = {1007, 1,    1000, 1001, 1004,
                                                       1003, 1002, 1005, 1010};

// Horizontal and vertical factor for one of the fitted controls, by the vertical resolution
// `dpiY` and `dpiScale` (horizontal resolution / 96).
FitFactors FitFactorsFor(int controlId, int dpiY, double dpiScale);

// The window's new outer size: each side divided by `dpiScale`, truncated.
Point FitWindowSize(std::int32_t width, std::int32_t height, double dpiScale);

// A control rectangle in client coordinates scaled by the factors, each edge truncated toward 0.
Rect FitControlRect(const Rect& rect, FitFactors factors);

}  // namespace tressel
