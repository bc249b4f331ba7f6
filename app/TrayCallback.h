#pragma once
// What the notification icon's callback message asks for. The icon runs in the shell's current
// form (NOTIFYICON_VERSION_4): LOWORD(lParam) is the event, HIWORD(lParam) the icon's id, and
// wParam the anchor point, the pointer for a mouse event and the icon's upper-left corner for
// one from the keyboard (https://learn.microsoft.com/windows/win32/api/shellapi/
// ns-shellapi-notifyicondataw, uCallbackMessage and uVersion).

#include <cstdint>

#include "seam/Types.h"

namespace tressel {

struct TrayCallback {
    std::uint32_t event = 0;
    std::uint32_t iconId = 0;
    Point anchor;
};

TrayCallback DecodeTrayCallback(std::uintptr_t wParam, std::uintptr_t lParam);

enum class TrayAction { None, OpenMenu, ShowWindow };

// Decides each event of the icon. The mouse keeps its old meaning: either button's press opens
// the menu, a left double click shows the window. The keyboard (Win+B, the arrow keys) opens
// the same menu with Enter or Space (NIN_KEYSELECT) and with the context-menu key
// (WM_CONTEXTMENU; Shell_NotifyIconW, Remarks). The shell follows a mouse click with events
// of its own: NIN_SELECT after a left button's release, WM_CONTEXTMENU after a right one's.
// Both come after a menu the press opened already, and neither opens it a second time.
class TrayClicks {
  public:
    TrayAction OnEvent(std::uint32_t event);

  private:
    // A right button went down or up over the icon just now: a WM_CONTEXTMENU next is its echo.
    bool rightClick_ = false;
};

}  // namespace tressel
