#pragma once
// The main dialog's own window, as the dialog logic needs it: control texts (the captions),
// show commands, timers and invalidation.

#include <cstdint>
#include <string>

#include "seam/Types.h"

namespace tressel {

// ShowWindow commands used by the program.
namespace show_command {
inline constexpr int kHide = 0;        // SW_HIDE
inline constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
inline constexpr int kShow = 5;        // SW_SHOW
inline constexpr int kMinimize = 6;    // SW_MINIMIZE
}  // namespace show_command

class WindowHost {
  public:
    virtual ~WindowHost() = default;
    virtual WindowHandle Handle() = 0;
    virtual void SetControlText(int controlId, const std::wstring& text) = 0;
    virtual std::wstring GetControlText(int controlId) = 0;
    virtual void ShowWindow(int showCommand) = 0;
    virtual void SetForegroundWindow() = 0;
    virtual void SetTimer(std::uintptr_t timerId, std::uint32_t milliseconds) = 0;
    virtual void KillTimer(std::uintptr_t timerId) = 0;
    // A control's window rectangle in screen coordinates.
    virtual Rect GetControlWindowRect(int controlId) = 0;
    virtual Rect ScreenToClient(const Rect& screen) = 0;
    virtual void InvalidateRect(const Rect& client, bool erase) = 0;
};

}  // namespace tressel
