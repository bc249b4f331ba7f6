#include "app/TrayCallback.h"

namespace tressel {
namespace {
constexpr std::uint32_t kContextMenu = 0x007B;      // WM_CONTEXTMENU
constexpr std::uint32_t kLeftButtonDown = 0x0201;   // WM_LBUTTONDOWN
constexpr std::uint32_t kLeftDoubleClick = 0x0203;  // WM_LBUTTONDBLCLK
constexpr std::uint32_t kRightButtonDown = 0x0204;  // WM_RBUTTONDOWN
constexpr std::uint32_t kRightButtonUp = 0x0205;    // WM_RBUTTONUP
constexpr std::uint32_t kKeySelect = 0x0400 | 0x1;  // NIN_KEYSELECT: NIN_SELECT | NINF_KEY

// The signed 16-bit halves of a packed point (GET_X_LPARAM, GET_Y_LPARAM).
std::int32_t Low(std::uintptr_t packed) { return static_cast<std::int16_t>(packed & 0xFFFF); }
std::int32_t High(std::uintptr_t packed) {
    return static_cast<std::int16_t>((packed >> 16) & 0xFFFF);
}
}  // namespace

TrayCallback DecodeTrayCallback(std::uintptr_t wParam, std::uintptr_t lParam) {
    return {static_cast<std::uint32_t>(lParam & 0xFFFF),
            static_cast<std::uint32_t>((lParam >> 16) & 0xFFFF),
            {Low(wParam), High(wParam)}};
}

TrayAction TrayClicks::OnEvent(std::uint32_t event) {
    const bool echoDue = rightClick_;
    rightClick_ = event == kRightButtonDown || event == kRightButtonUp;
    switch (event) {
        case kLeftButtonDown:
        case kRightButtonDown:
        case kKeySelect:
            return TrayAction::OpenMenu;
        case kContextMenu:
            return echoDue ? TrayAction::None : TrayAction::OpenMenu;
        case kLeftDoubleClick:
            return TrayAction::ShowWindow;
        default:
            return TrayAction::None;
    }
}

}  // namespace tressel
