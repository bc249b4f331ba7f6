#include "app/win32/TrayIcon.h"

#include <commctrl.h>

#include "app/win32/TestSwitches.h"
#include "resource.h"

namespace tressel {

// The small icon at the system's small-icon size (SM_CXSMICON), drawn from the image of that
// size or scaled down from a larger one, so that it is sharp at every resolution; the large icon
// scaled down by the shell is not (https://learn.microsoft.com/windows/win32/api/commctrl/
// nf-commctrl-loadiconmetric).
TrayIcon::TrayIcon(UINT id, UINT callbackMessage, std::wstring tip) : tip_(std::move(tip)) {
    HICON small = nullptr;
    if (FAILED(LoadIconMetric(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON),
                              LIM_SMALL, &small)))
        small = nullptr;
    icon_.reset(small);
    // Windows Vista and later take the whole record (NOTIFYICONDATAW, Remarks).
    data_.cbSize = sizeof data_;
    data_.uID = id;
    data_.uCallbackMessage = callbackMessage;
}

bool TrayIcon::Add(HWND window) {
    data_.hWnd = window;
    if (test_switches::TrayRefused()) return false;
    NOTIFYICONDATAW add = data_;
    // In version 4 the shell shows the standard tooltip only when asked (NIF_SHOWTIP).
    add.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    add.hIcon = icon_.get();
    lstrcpynW(add.szTip, tip_.c_str(), ARRAYSIZE(add.szTip));
    // A shell that was slow to answer may have taken an earlier add it reported as failed: an
    // icon it then takes a change for is there.
    if (!Shell_NotifyIconW(NIM_ADD, &add) && !Shell_NotifyIconW(NIM_MODIFY, &add)) return false;
    // Once per add (Shell_NotifyIconW, NIM_SETVERSION).
    NOTIFYICONDATAW version = data_;
    version.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &version);
    return true;
}

void TrayIcon::Delete() { Shell_NotifyIconW(NIM_DELETE, &data_); }

void TrayIcon::SetTip(const std::wstring& tip) {
    tip_ = tip;
    NOTIFYICONDATAW change = data_;
    change.uFlags = NIF_TIP | NIF_SHOWTIP;
    lstrcpynW(change.szTip, tip_.c_str(), ARRAYSIZE(change.szTip));
    Shell_NotifyIconW(NIM_MODIFY, &change);
}

// NIF_INFO with text in szInfo shows a balloon (NOTIFYICONDATAW, uFlags).
void TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text) {
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    lstrcpynW(balloon.szInfoTitle, title.c_str(), ARRAYSIZE(balloon.szInfoTitle));
    lstrcpynW(balloon.szInfo, text.c_str(), ARRAYSIZE(balloon.szInfo));
    balloon.dwInfoFlags = NIIF_WARNING;
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

}  // namespace tressel
