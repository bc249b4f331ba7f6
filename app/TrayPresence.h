#pragma once
// The notification-area icon as the user finds it. At sign-in a "-run" start may come before
// the shell takes icons, and no "TaskbarCreated" need follow: the add is tried again every
// second until the shell takes it, and balloons asked for meanwhile wait for the icon. Windows
// 11 puts a new icon in the overflow flyout, so the first time the window is ever hidden a
// balloon says where the icon is and how to keep it in view.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/DialogShell.h"
#include "seam/UserRegistry.h"
#include "seam/WindowHost.h"

namespace tressel {

inline constexpr std::uintptr_t kTrayRetryTimer = 12;
inline constexpr std::uint32_t kTrayRetryMs = 1000;

// Where the per-user store remembers that the user was told where the icon is.
inline constexpr wchar_t kTrayToldSection[] = L"Tray";
inline constexpr wchar_t kTrayToldEntry[] = L"WhereaboutsTold";
inline constexpr wchar_t kStillRunningTitle[] = L"Tressel is still running";
inline constexpr wchar_t kStillRunningText[] =
    L"Its icon is in the notification area of the taskbar. If you do not see it, click the "
    L"arrow next to the clock and drag the icon onto the taskbar to keep it in view.";

// Balloons of the icon: shown now when the icon is there, else as soon as it is.
class TrayBalloons {
  public:
    virtual void ShowBalloon(const std::wstring& title, const std::wstring& text) = 0;

  protected:
    ~TrayBalloons() = default;
};

class TrayPresence : public TrayBalloons {
  public:
    TrayPresence(WindowHost& window, DialogShell& shell, UserRegistry& registry)
        : window_(window), shell_(shell), registry_(registry) {}

    // Puts the icon into the notification area, now or, while the shell refuses it, on the
    // retry timer (kTrayRetryTimer). At start and when the shell restarted ("TaskbarCreated").
    void Add();
    void OnRetryTimer();
    void ShowBalloon(const std::wstring& title, const std::wstring& text) override;
    // The user hid the window: the first time ever, where the icon is.
    void OnWindowHidden();

  private:
    WindowHost& window_;
    DialogShell& shell_;
    UserRegistry& registry_;
    bool present_ = false;
    bool retrying_ = false;
    bool toldWhereabouts_ = false;
    std::vector<std::pair<std::wstring, std::wstring>> held_;
};

}  // namespace tressel
