// The main window's part in what the system tells: the session's lock and unlock, the return
// from sleep, raw mouse input (for telling a hook Windows took away), the window in front, and
// the test build's questions.
#include <windows.h>

#include <wtsapi32.h>

#include "app/win32/MainDialog.h"
#include "app/win32/RawMousePresses.h"
#include "app/win32/TestSwitches.h"
#include "hooks/TarnhookExports.h"

namespace tressel {

void MainDialog::MapSystemEvents() {
    // The lock screen takes no synthesised input: the ledger keeps what it refused owed until
    // the unlock, and macros wait (WM_WTSSESSION_CHANGE, learn.microsoft.com/windows/win32/
    // termserv/wm-wtssession-change; registered in OnInitDialog).
    OnMessage(WM_WTSSESSION_CHANGE, [this](WPARAM w, LPARAM) {
        if (w == WTS_SESSION_LOCK || w == WTS_SESSION_UNLOCK)
            logic_.OnSessionLockChanged(w == WTS_SESSION_LOCK);
        return Result{0, true};
    });
    // "When a window no longer requires these notifications, it must call
    // WTSUnRegisterSessionNotification before being destroyed" (learn.microsoft.com/windows/
    // win32/api/wtsapi32/nf-wtsapi32-wtsregistersessionnotification).
    OnMessage(WM_DESTROY, [this](WPARAM, LPARAM) {
        WTSUnRegisterSessionNotification(hwnd());
        return Result{0, false};
    });
    // After sleep, Windows may have taken hooks away (PBT_APMRESUMEAUTOMATIC,
    // learn.microsoft.com/windows/win32/power/pbt-apmresumeautomatic): put them all back.
    OnMessage(WM_POWERBROADCAST, [this](WPARAM w, LPARAM) {
        if (w == PBT_APMRESUMEAUTOMATIC) logic_.ReinstallHooks();
        return Result{TRUE, true};
    });
    OnMessage(WM_INPUT, [this](WPARAM, LPARAM l) {
        const RawMouseButtons buttons = ReadRawMouseButtons(l);
        for (ButtonId input : buttons.pressed) logic_.OnRawMousePress(input);
        // The message time and the hooks' event times (MSLLHOOKSTRUCT.time) are both the
        // system's tick count: "They all use the 32-bit timer provided by the GetTickCount
        // function" (devblogs.microsoft.com/oldnewthing/20140122-00/?p=2013; learn.microsoft.com/
        // windows/win32/api/winuser/nf-winuser-getmessagetime).
        const auto time = static_cast<std::uint32_t>(GetMessageTime());
        for (ButtonId input : buttons.released) {
            logic_.OnRawMouseRelease(input, time);
#ifdef TRESSEL_TEST_SWITCHES
            ++rawReleases_[ToIndex(input)];
#endif
        }
        return Result{0, false};  // DefWindowProc cleans the raw input up
    });
#ifdef TRESSEL_TEST_SWITCHES
    // The test build removes an input's hook as Windows removes one that missed its timeout,
    // and tells how many hooks the program put back.
    OnMessage(RegisterWindowMessageW(L"Tressel test: lose hook"), [](WPARAM w, LPARAM) {
        constexpr void (*kLose[])() = {losehook_R,  losehook_M,  losehook_X1,
                                       losehook_X2, losehook_WD, losehook_WU};
        if (w < kButtonCount) kLose[w]();
        return Result{0, true};
    });
    OnMessage(RegisterWindowMessageW(L"Tressel test: hooks restored"), [this](WPARAM, LPARAM) {
        return Result{logic_.HooksRestored(), true};
    });
    // The test build tells how many releases of an input (wParam) the raw input showed the
    // program and it told the input's hook of.
    OnMessage(RegisterWindowMessageW(L"Tressel test: raw releases"), [this](WPARAM w, LPARAM) {
        return Result{w < kButtonCount ? rawReleases_[w] : 0, true};
    });
    // The test build answers which inputs pass to the program in front (bit per input).
    OnMessage(RegisterWindowMessageW(L"Tressel test: passing inputs"), [this](WPARAM, LPARAM) {
        LRESULT bits = 0;
        for (ButtonId id : kAllButtons)
            if (logic_.InputPasses(id)) bits |= LRESULT{1} << ToIndex(id);
        return Result{bits, true};
    });
    // The width of the icon the notification area is given.
    OnMessage(RegisterWindowMessageW(L"Tressel test: tray icon width"), [this](WPARAM, LPARAM) {
        ICONINFO info{};
        if (!GetIconInfo(trayIcon_.Icon(), &info)) return Result{0, true};
        BITMAP bitmap{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        return Result{bitmap.bmWidth, true};
    });
    // The test build tells the window thread's COM apartment before its first window.
    OnMessage(RegisterWindowMessageW(L"Tressel test: apartment"), [](WPARAM, LPARAM) {
        return Result{test_switches::StartApartment(), true};
    });
#endif
}

void MainDialog::StartSystemEvents() {
    // Without it the program still works, only without owing refused releases to the unlock:
    // the next accepted event sends them.
    WTSRegisterSessionNotification(hwnd(), NOTIFY_FOR_THIS_SESSION);
    // Run elevated, the program would otherwise not hear Explorer's restart from Explorer, which
    // runs at a lower integrity level (learn.microsoft.com/windows/win32/api/winuser/
    // nf-winuser-changewindowmessagefilterex).
    ChangeWindowMessageFilterEx(hwnd(), taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
    // Without raw input a hook Windows removed stays unnoticed, as before.
    RegisterRawMouse(hwnd());
    foregroundWatch_.emplace(
        [this](const ForegroundProgram& program) { logic_.OnForegroundChanged(program); });
}

}  // namespace tressel
