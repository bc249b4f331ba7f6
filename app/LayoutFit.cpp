#include "app/LayoutFit.h"

namespace tressel {
namespace {

// Position of an input button in the per-resolution factor rows: R, M, WD, X2, X1, WU. The
// programs button (1010) sits just above R's box and moves with it, so that the gap between
// them stays as the template has it.
int InputIndex(int controlId) {
    switch (controlId) {
        case 1000:
        case 1010:
            return 0;
        case 1001:
            return 1;
        case 1004:
            return 2;
        case 1003:
            return 3;
        case 1002:
            return 4;
        case 1005:
            return 5;
        default:
            return -1;
    }
}

}  // namespace

FitFactors FitFactorsFor(int controlId, int dpiY, double dpiScale) {
    const double plain = 1.0 / dpiScale;
    if (controlId == 1007) return {plain, plain};
    const int input = InputIndex(controlId);
    if (controlId != 1 && input < 0) return {1.0, 1.0};  // not a fitted control: left alone
    switch (dpiY) {
        case 120: {
            // M, X1 and WU sit lower in the template than the skin's boxes at this resolution.
            const bool raised = controlId == 1001 || controlId == 1002 || controlId == 1005;
            return {1.0 / 1.32, raised ? 1.0 / 1.23 : plain};
        }
        case 144: {
            if (controlId == 1) return {1.0 / 1.5, plain};
            constexpr double fy[6] = {1.53, 1.52, 1.53, 1.54, 1.54, 1.53};
            return {1.0 / 1.5, 1.0 / fy[input]};
        }
        case 192: {
            if (controlId == 1) return {0.5, 0.5};
            constexpr double fy[6] = {1.96, 1.95, 1.94, 1.94, 1.93, 1.92};
            return {0.5, 1.0 / fy[input]};
        }
        default:
            return {plain, plain};
    }
}

Point FitWindowSize(std::int32_t width, std::int32_t height, double dpiScale) {
    return {static_cast<std::int32_t>(width / dpiScale),
            static_cast<std::int32_t>(height / dpiScale)};
}

Rect FitControlRect(const Rect& rect, FitFactors f) {
    return {static_cast<std::int32_t>(rect.left * f.fx), static_cast<std::int32_t>(rect.top * f.fy),
            static_cast<std::int32_t>(rect.right * f.fx),
            static_cast<std::int32_t>(rect.bottom * f.fy)};
}

}  // namespace tressel
