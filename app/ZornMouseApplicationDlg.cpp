#include "app/ZornMouseApplicationDlg.h"

#include "app/CommandLine.h"
#include "app/LayoutFit.h"
#include "app/StartWithWindows.h"
#include "config/HookGuard.h"
#include "macros/MacroCompiler.h"
#include "macros/MacroPlayer.h"

namespace tressel {
namespace {
constexpr std::uint32_t kStartDelayMs = 1000;
constexpr std::uint32_t kSwpShowWindow = 0x0040;  // SWP_SHOWWINDOW
}  // namespace

CZornMouseApplicationDlg::CZornMouseApplicationDlg(const DialogPlatform& platform)
    : p_(platform),
      heldInput_(p_.input),
      workers_(p_.threads, heldInput_),
      dispatcher_(records_, p_.hooks, heldInput_, p_.system,
                  [this](ButtonId input) { workers_.StartIfIdle(input); }),
      keeper_(settingsHost_,
              {p_.window, p_.shell, tray_, p_.profiles, p_.files, p_.registry, p_.process},
              LocalTimeText) {}

bool CZornMouseApplicationDlg::OnInitDialog() {
    showAllowed = ShowAllowedByCommandLine(p_.process.CommandLine());
    programFolder = FolderOf(p_.process.ModuleFileName());
    p_.shell.SetWindowIcons();
    p_.shell.SetMainWindowTitle(kMainWindowTitle);
    p_.shell.RemoveCaptionStyle();
    p_.shell.MakeLayered();
    for (ButtonId id : kAllButtons) p_.shell.SetCaptionColour(ControlIdOf(id), kCaptionColour);
    for (ButtonId id : kAllButtons) p_.shell.SetHoverColour(ControlIdOf(id), kHoverColour);
    p_.shell.SetCaptionColour(kProgramsControlId, kCaptionColour);
    p_.shell.SetHoverColour(kProgramsControlId, kHoverColour);
    p_.shell.LoadImageButtons();
    FitLayoutToDpi();
    p_.shell.CenterWindow();
    p_.shell.LoadSkin();
    LoadButtonSettings();
    RefreshRunEntryAtStart(p_.registry, p_.files, p_.process.ModuleFileName());
    tray_.Add();
    trayIconAdded_ = true;
    // Scripts refused while the settings loaded are told now that there is an icon to tell it,
    // in one balloon: a newer balloon of the same icon would replace the older one.
    if (pendingRefusal_ != ScriptCompileResult::Compiled) {
        std::wstring others;
        if (morePendingRefusals_ == 1) others = L" 1 other macro script was not loaded either.";
        if (morePendingRefusals_ > 1)
            others = L" " + std::to_wstring(morePendingRefusals_) +
                     L" other macro scripts were not loaded either.";
        tray_.ShowBalloon(kScriptRefusedTitle,
                          ScriptRefusalText(pendingRefusal_, pendingScript_, others));
    }
    pendingRefusal_ = ScriptCompileResult::Compiled;
    pendingScript_.clear();
    morePendingRefusals_ = 0;
    keeper_.TellStartNotices();
    p_.window.SetTimer(kStartTimer, kStartDelayMs);
    return true;
}

void CZornMouseApplicationDlg::FitLayoutToDpi() {
    const DisplayResolution dpi = p_.shell.ReadResolution();
    dpiScale = dpi.dpiX / 96.0;
    const Rect outer = p_.shell.OuterWindowRect();
    const Point size = FitWindowSize(outer.Width(), outer.Height(), dpiScale);
    p_.shell.ResizeWindow(size.x, size.y);
    for (int controlId : kFittedControls) {
        const Rect fitted = FitControlRect(p_.shell.ControlClientRect(controlId),
                                           FitFactorsFor(controlId, dpi.dpiY, dpiScale));
        p_.shell.MoveControl(controlId, fitted);
    }
}

void CZornMouseApplicationDlg::OnTimer(std::uintptr_t timerId) {
    if (timerId == kSaveTimerId) {
        keeper_.OnSaveTimer();
    } else if (timerId == kStartTimer) {
        p_.window.KillTimer(kStartTimer);
        showAllowed = true;
    } else if (timerId == kHookWatchTimer) {
        p_.window.KillTimer(kHookWatchTimer);
        hookWatchTimer_ = false;
        RestoreHooks(hookWatch_.TakeMissed());
    } else if (timerId == kTrayRetryTimer) {
        tray_.OnRetryTimer();
    } else if (const auto input = MacroTimerButton(timerId)) {
        // Nothing in the program starts these; they play an input's macro on this thread.
        p_.window.KillTimer(timerId);
        PlayMacroLines(*input, heldInput_);
    }
}

bool CZornMouseApplicationDlg::OnCommand(int commandId) {
    switch (commandId) {
        case command_id::kOk:
        case command_id::kHideApplication:
            HideToTray();
            return true;
        case command_id::kShowApplication:
            ShowFromTray();
            return true;
        case command_id::kReset:
            ResetButtons();
            return true;
        case command_id::kStartWithWindows:
            ToggleStartWithWindows();
            return true;
        case command_id::kExitApplication:
            ExitApplication();
            return true;
        case command_id::kSaveAndHide:
            SaveAndHide();
            return true;
        case command_id::kAsAllPrograms:
            if (const auto input = ButtonFromInt(selectedButton); input && view_.ShowsAProgram()) {
                view_.DropOwn(*input);
                ScheduleSave(kSaveDelayMs);
            }
            return true;
        default:
            return RunAssignmentCommand(*this, commandId);
    }
}

void CZornMouseApplicationDlg::OnTrayNotify(std::uintptr_t wParam, std::uintptr_t lParam) {
    const TrayCallback callback = DecodeTrayCallback(wParam, lParam);
    // While the end asks about a failed save, the icon offers nothing more.
    if (callback.iconId != kTrayIconId || ended_) return;
    const TrayAction action = trayClicks_.OnEvent(callback.event);
    if (action == TrayAction::ShowWindow) {
        ShowFromTray();
    } else if (action == TrayAction::OpenMenu) {
        // The menu's window must be in front, or the menu does not close when the user clicks
        // elsewhere (TrackPopupMenu, Remarks).
        p_.window.SetForegroundWindow();
        p_.shell.TrackTrayMenu(callback.anchor,
                               IsStartWithWindowsOn(p_.registry, p_.process.ModuleFileName()));
    }
}

void CZornMouseApplicationDlg::OnWindowPosChanging(std::uint32_t& flags) {
    if (showAllowed) return;
    if (flags & kSwpShowWindow) {
        flags &= ~kSwpShowWindow;
        p_.window.ShowWindow(show_command::kHide);
    }
}

void CZornMouseApplicationDlg::HideToTray() {
    p_.window.ShowWindow(show_command::kMinimize);
    p_.window.ShowWindow(show_command::kHide);
    tray_.OnWindowHidden();
}

// Shown first, then brought to the front: a hidden window cannot come to the front. The tray's
// click or the menu's choice gave this process the right to take the foreground
// (https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setforegroundwindow: the
// calling process received the last input event).
void CZornMouseApplicationDlg::ShowFromTray() {
    showAllowed = true;
    p_.window.ShowWindow(show_command::kShow);
    p_.window.ShowWindow(show_command::kShowNormal);
    p_.window.SetForegroundWindow();
}

void CZornMouseApplicationDlg::ResetButtons() {
    if (view_.ShowsAProgram()) {
        view_.DropAllOwn();
        SaveButtonSettings();
        return;
    }
    for (ButtonId id : kAllButtons) {
        SetCaption(id, std::wstring(InfoOf(id).defaultCaption));
        RemoveHook(id);
    }
    RedrawInputButtons(p_.window);
    SaveButtonSettings();
}

void CZornMouseApplicationDlg::ExitApplication() { EndProgram(EndReason::ExitCommand); }

void CZornMouseApplicationDlg::OnCancel() { EndProgram(EndReason::Cancel); }

void CZornMouseApplicationDlg::OnEndSession(bool ending) {
    if (ending) EndProgram(EndReason::SessionEnd);
}

void CZornMouseApplicationDlg::EndProgram(EndReason reason) {
    // Windows may end the process as soon as the session end returns: it cannot wait for the
    // user's answer to a failed save.
    const bool sessionEndsWhileAsking =
        ended_ && reason == EndReason::SessionEnd && keeper_.Asking();
    if (ended_ && !sessionEndsWhileAsking) return;
    ended_ = true;
    // First, so that no key or button stays down in any program, whatever happens next; a
    // worker still playing can press nothing from here on.
    heldInput_.ReleaseAllAndClose();
    // Before the icon goes, so that the program is still there while the user is asked.
    keeper_.SaveBeforeEnd(reason == EndReason::ExitCommand, reason != EndReason::SessionEnd);
    // A session end that came while the user was asked has ended the process already.
    if (exiting_) return;
    exiting_ = true;
    p_.shell.DeleteTrayIcon();
    // Ends every other thread before anything they use could be released (see ARCHITECTURE.md,
    // "The end of the program").
    p_.process.ExitProcess(0);
}

void CZornMouseApplicationDlg::OnCrash() {
    // The crash may have cut a send off in the middle; a thread still sending is done within
    // microseconds, so half a second is plenty.
    heldInput_.ReleaseAllAndCloseWithin(std::chrono::milliseconds(500));
    p_.shell.DeleteTrayIcon();
}

void CZornMouseApplicationDlg::ScheduleSave(std::uint32_t delayMs) { keeper_.Schedule(delayMs); }

void CZornMouseApplicationDlg::ToggleStartWithWindows() {
    tressel::ToggleStartWithWindows(p_.registry, p_.process.ModuleFileName());
}

void CZornMouseApplicationDlg::SaveAndHide() {
    HideToTray();
    SaveButtonSettings();
}

void CZornMouseApplicationDlg::OnInputButtonClicked(int controlId) {
    const auto input = ButtonFromInt(controlId - 999);
    if (!input) return;
    selectedButton = ToInt(*input);
    const Rect r = p_.window.GetControlWindowRect(controlId);
    p_.shell.ShowFunctionMenu({r.left + 15, r.bottom + 2}, view_.ShowsAProgram());
}

void CZornMouseApplicationDlg::OnProgramsButtonClicked() {
    const ProgramsMenuChoices choices(programs_, view_.Shown(), p_.shell.ProgramsWithWindows());
    const Rect r = p_.window.GetControlWindowRect(kProgramsControlId);
    const int chosen = p_.shell.ShowProgramsMenu({r.left, r.bottom}, choices.Menu());
    if (view_.Run(choices.Choice(chosen), [this] { return p_.shell.PickProgramFile(); }))
        ScheduleSave(kSaveDelayMs);
}

void CZornMouseApplicationDlg::OnButtonMessage(ButtonId input, std::uint32_t pressTime) {
    hookWatch_.OnHookReport(input);
    DispatchRecord(input, programSwitch_.ForTakenPress(input, pressTime));
}

void CZornMouseApplicationDlg::DispatchButtonEvent(ButtonId input) {
    DispatchRecord(input, programSwitch_.ForTakenPress(input, programSwitch_.Since()));
}

void CZornMouseApplicationDlg::DispatchRecord(ButtonId input, const ButtonSetting& record) {
    if (record.category == MouseButton) {
        const auto imitated = InputImitatedBy(record.mouseAction);
        if (imitated && programSwitch_.Installed(*imitated)) hookWatch_.OnSynthesised(*imitated);
        WatchHooks();
    }
    if (programSwitch_.IsNativeJob(record))
        return dispatcher_.DispatchNativeJob(record.mouseAction, p_.window.Handle());
    if (record.category == KeyOrCommand && record.keyAction == Script &&
        compiledScripts_[ToIndex(input)] != record.scriptFile) {
        const int selected = selectedButton;  // the function menu may be open for another input
        CompileScriptFor(input, record.scriptFile);
        selectedButton = selected;
    }
    if (auto refusal = dispatcher_.DispatchButtonEvent(input, record, p_.window.Handle()))
        p_.shell.ShowTrayBalloon(refusal->title, refusal->text);
}

void CZornMouseApplicationDlg::OnSessionLockChanged(bool locked) {
    heldInput_.SetSessionLocked(locked);
    if (!locked) ReinstallHooks();
}

void CZornMouseApplicationDlg::OnRawMousePress(ButtonId input) {
    hookWatch_.OnRawPress(input, programSwitch_.Taken(input));
    WatchHooks();
}

void CZornMouseApplicationDlg::WatchHooks() {
    if (!hookWatch_.Waiting() || hookWatchTimer_) return;
    p_.window.SetTimer(kHookWatchTimer, HookWatch::kGraceMs);
    hookWatchTimer_ = true;
}

bool CZornMouseApplicationDlg::ReinstallHook(ButtonId input) {
    if (!programSwitch_.Installed(input)) return false;
    p_.hooks.Remove(input, p_.window.Handle());
    p_.hooks.Install(input, p_.window.Handle());
    return true;
}

void CZornMouseApplicationDlg::RestoreHooks(const std::vector<ButtonId>& missed) {
    int restored = 0;
    for (ButtonId input : missed) restored += ReinstallHook(input) ? 1 : 0;
    if (restored == 0) return;
    hooksRestored_ += restored;
    p_.shell.SetTrayTip(std::wstring(kTrayTip) + L"\nhooks restored: " +
                        std::to_wstring(hooksRestored_));
}

void CZornMouseApplicationDlg::ReinstallHooks() {
    for (ButtonId input : kAllButtons) ReinstallHook(input);
}

void CZornMouseApplicationDlg::LoadButtonSettings() { keeper_.Load(); }

void CZornMouseApplicationDlg::SaveButtonSettings() { keeper_.SaveNow(); }

void CZornMouseApplicationDlg::CompileScriptFor(ButtonId input, const std::wstring& scriptFile) {
    selectedButton = ToInt(input);
    CompileMacroScript(scriptFile);
}

void CZornMouseApplicationDlg::InstallHookUnguarded(ButtonId input) {
    programSwitch_.InstallForAllProgramsUnguarded(input, p_.window.Handle());
}

void CZornMouseApplicationDlg::CompileMacroScript(const std::wstring& scriptFile) {
    const auto input = ButtonFromInt(selectedButton);
    if (!input) return;
    compiledScripts_[ToIndex(*input)] = scriptFile;
    const ScriptCompileResult result = tressel::CompileMacroScript(
        MacroLinesOf(*input), *input, ScriptPath(programFolder, scriptFile));
    // A script that plays nothing, or only part of itself, must not look like one that works.
    if (result == ScriptCompileResult::Compiled) return;
    if (trayIconAdded_) {
        tray_.ShowBalloon(kScriptRefusedTitle, ScriptRefusalText(result, scriptFile));
    } else if (pendingRefusal_ == ScriptCompileResult::Compiled) {
        pendingRefusal_ = result;
        pendingScript_ = scriptFile;
    } else {
        ++morePendingRefusals_;
    }
}

void CZornMouseApplicationDlg::InstallHook(ButtonId input) { view_.InstallHook(input); }

void CZornMouseApplicationDlg::RemoveHook(ButtonId input) { view_.RemoveHook(input); }

}  // namespace tressel
