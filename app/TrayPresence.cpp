#include "app/TrayPresence.h"

namespace tressel {

void TrayPresence::Add() {
    present_ = shell_.AddTrayIcon();
    if (!present_) {
        if (!retrying_) window_.SetTimer(kTrayRetryTimer, kTrayRetryMs);
        retrying_ = true;
        return;
    }
    if (retrying_) window_.KillTimer(kTrayRetryTimer);
    retrying_ = false;
    // In the order asked for: the shell queues balloons and shows one at a time
    // (https://learn.microsoft.com/windows/win32/api/shellapi/ns-shellapi-notifyicondataw,
    // Remarks).
    for (const auto& [title, text] : held_) shell_.ShowTrayBalloon(title, text);
    held_.clear();
}

void TrayPresence::OnRetryTimer() {
    if (retrying_) Add();
}

void TrayPresence::ShowBalloon(const std::wstring& title, const std::wstring& text) {
    if (present_) {
        shell_.ShowTrayBalloon(title, text);
    } else {
        held_.emplace_back(title, text);
    }
}

void TrayPresence::OnWindowHidden() {
    if (toldWhereabouts_) return;
    toldWhereabouts_ = true;
    if (registry_.ReadProfileValue(kTrayToldSection, kTrayToldEntry).value_or(L"") == L"1") return;
    registry_.WriteProfileValue(kTrayToldSection, kTrayToldEntry, L"1");
    ShowBalloon(kStillRunningTitle, kStillRunningText);
}

}  // namespace tressel
