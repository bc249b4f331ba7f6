#pragma once
// The notification-area icon of the main window: Shell_NotifyIconW for adding, removing, the
// tooltip and balloons. The dialog logic (app/TrayPresence) decides when.

#include <windows.h>
// The notification-icon record is declared here (left out by WIN32_LEAN_AND_MEAN).
#include <shellapi.h>

#include <string>

#include "framework/UniqueHandle.h"

namespace tressel {

class TrayIcon {
  public:
    TrayIcon(UINT id, UINT callbackMessage, std::wstring tip);

    // NIM_ADD, then NIM_SETVERSION for the version-4 callback form (app/TrayCallback.h); true
    // when the shell has the icon.
    bool Add(HWND window);
    void Delete();
    // The tooltip from now on (kept when the icon is added again).
    void SetTip(const std::wstring& tip);
    void ShowBalloon(const std::wstring& title, const std::wstring& text);
    // The icon the shell is given: the small one at the notification area's size.
    HICON Icon() const { return icon_.get(); }

  private:
    NOTIFYICONDATAW data_{};
    std::wstring tip_;
    UniqueIcon icon_;
};

}  // namespace tressel
