#pragma once
// The main dialog's logic: every piece of the program's state and every handler. The Win32
// dialog (app/win32) unpacks window messages into these calls and implements the seams.

#include <array>
#include <cstdint>
#include <string>

#include "actions/ButtonDispatcher.h"
#include "actions/HeldInputLedger.h"
#include "app/DialogShell.h"
#include "app/TrayCallback.h"
#include "app/TrayPresence.h"
#include "config/AssignmentCommands.h"
#include "config/SettingsFile.h"
#include "config/ButtonId.h"
#include "config/ButtonSetting.h"
#include "foreground/ForegroundProgram.h"
#include "hookwatch/HookWatch.h"
#include "keeping/SettingsKeeper.h"
#include "macros/MacroCompiler.h"
#include "macros/PlaybackWorkers.h"
#include "programs/ProgramSettings.h"
#include "programs/ProgramSettingsFile.h"
#include "programs/ProgramSwitch.h"
#include "programs/ProgramView.h"
#include "seam/FileSystem.h"
#include "seam/HookLibraries.h"
#include "seam/InputSystem.h"
#include "seam/ProcessInfo.h"
#include "seam/ProfileStore.h"
#include "seam/SystemActions.h"
#include "seam/UserRegistry.h"
#include "seam/WindowHost.h"
#include "seam/WorkerThreads.h"

namespace tressel {

// Everything the dialog reaches of the platform.
struct DialogPlatform {
    WindowHost& window;
    DialogShell& shell;
    HookLibraries& hooks;
    InputSystem& input;
    SystemActions& system;
    WorkerThreads& threads;
    ProfileStore& profiles;
    FileSystem& files;
    UserRegistry& registry;
    ProcessInfo& process;
};

// The start timer: one second after the start the window may be shown.
inline constexpr std::uintptr_t kStartTimer = 10;
// The hook watch's grace time (HookWatch).
inline constexpr std::uintptr_t kHookWatchTimer = 11;

// Tray and window command ids.
namespace command_id {
inline constexpr int kOk = 1;
inline constexpr int kHideApplication = 32779;
inline constexpr int kShowApplication = 32780;
inline constexpr int kStartWithWindows = 32781;
inline constexpr int kExitApplication = 32782;
inline constexpr int kReset = 32784;
inline constexpr int kSaveAndHide = 1007;
// The function menu's first item while a program's own settings are shown.
inline constexpr int kAsAllPrograms = 32790;
}  // namespace command_id

inline constexpr int kTrayIconId = 100;
inline constexpr std::uint32_t kTrayCallbackMessage = 0x0400 + 100;  // WM_USER + 100
inline constexpr wchar_t kMainWindowTitle[] = L"Tressel-corvane";
inline constexpr wchar_t kTrayTip[] = L"Tressel V3.4";
inline constexpr wchar_t kScriptRefusedTitle[] = L"Tressel: macro script not loaded";

// Why the program ends. Every way out passes through CZornMouseApplicationDlg::EndProgram.
enum class EndReason {
    ExitCommand,  // the tray menu's "Exit Application": saves whether or not a save is pending
    Cancel,       // the cancel command: Esc, Alt+F4, the system menu's Close
    SessionEnd,   // Windows ends the session (WM_ENDSESSION with TRUE)
};

class CZornMouseApplicationDlg : public AssignmentHost {
  public:
    explicit CZornMouseApplicationDlg(const DialogPlatform& platform);

    // The start-up sequence, run once when the dialog initialises (after its controls exist).
    bool OnInitDialog();
    void FitLayoutToDpi();

    void OnTimer(std::uintptr_t timerId);
    // Returns true when the command id was one of the dialog's own.
    bool OnCommand(int commandId);
    // The icon's callback message (version-4 form, app/TrayCallback.h).
    void OnTrayNotify(std::uintptr_t wParam, std::uintptr_t lParam);
    // The shell restarted ("TaskbarCreated"): the icon goes back.
    void OnShellRestarted() { tray_.Add(); }
    // WM_WINDOWPOSCHANGING after the default processing; `flags` is the change's SWP_ flags.
    void OnWindowPosChanging(std::uint32_t& flags);
    void OnInputButtonClicked(int controlId);
    void OnProgramsButtonClicked();
    // The input's hook took a press; `pressTime` is its message's time, when the press came.
    void OnButtonMessage(ButtonId input, std::uint32_t pressTime);
    void OnButtonMessage(ButtonId input) { OnButtonMessage(input, programSwitch_.Since()); }
    // The cancel command (IDCANCEL).
    void OnCancel();
    // Another program's window came to the front: the records in force follow it.
    void OnForegroundChanged(const ForegroundProgram& program) {
        programSwitch_.OnForegroundChanged(program, p_.window.Handle());
    }
    bool InputPasses(ButtonId input) const { return programSwitch_.Passes(input); }
    // The session was locked or unlocked; an unlock puts every hook back, as Windows may have
    // removed one meanwhile.
    void OnSessionLockChanged(bool locked);
    // A press the raw input shows (WM_INPUT).
    void OnRawMousePress(ButtonId input);
    // A physical release the raw input shows, at the message's time: the input's hook forgets a
    // press it took before then, whose release it may never see (one let through while the
    // dispatch had the hook lifted for a click, or while the hook was away).
    void OnRawMouseRelease(ButtonId input, std::uint32_t time) {
        p_.hooks.ReleaseSeen(input, time);
    }
    // Removes and installs again every hook that should be installed (after sleep, at unlock).
    void ReinstallHooks();
    // How many hooks Windows took away and the program put back since the start.
    int HooksRestored() const { return hooksRestored_; }
    // WM_QUERYENDSESSION: the program never holds the end of a session up.
    bool OnQueryEndSession() { return true; }
    // WM_ENDSESSION. The process may be killed as soon as this returns, so the end steps run
    // here; `ending` false (the end was called off) changes nothing.
    void OnEndSession(bool ending);

    // The end steps, the one place every way of ending the program passes through: what the
    // program's input holds released, a save the save timer still had pending or that failed
    // run (the Exit command always saves; when it fails, the user is asked whether to try
    // again), the tray icon removed, then the process ended with exit code 0. Runs once; a
    // later call does nothing, except that a session end while the user is being asked ends
    // the program at once.
    void EndProgram(EndReason reason);
    // The program is crashing, on whatever thread: what it still holds down is released (once
    // the input ledger can be had, within half a second) and the tray icon removed, so that
    // neither a held key nor an icon of a program that is gone is left behind. Nothing is saved
    // from a state that can no longer be trusted; the crash then takes its usual course.
    void OnCrash();

    void HideToTray();
    void ShowFromTray();
    void ResetButtons();
    void ExitApplication();
    void ToggleStartWithWindows();
    void SaveAndHide();

    void DispatchButtonEvent(ButtonId input);
    void LoadButtonSettings();
    void SaveButtonSettings();
    // What the latest save did or where it failed, for the window to tell the user.
    const SaveResult& LastSave() const { return keeper_.LastSave(); }
    // What loading and saving the settings file need of the dialog (its SettingsHost): all
    // programs' settings, whichever the window shows.
    std::wstring Caption(ButtonId input) { return view_.AllProgramsCaption(input); }
    void CompileScriptFor(ButtonId input, const std::wstring& scriptFile);
    void InstallHookUnguarded(ButtonId input);

    // AssignmentHost: what the assignment commands need of the dialog; they edit the settings
    // the window shows.
    int SelectedButton() override { return selectedButton; }
    ButtonSetting& Record(ButtonId input) override { return view_.Record(input); }
    void SetCaption(ButtonId input, const std::wstring& caption) override {
        view_.SetCaption(input, caption);
    }
    // Installing and removing a hook, guarded by and paired with the input's flag.
    void InstallHook(ButtonId input) override;
    void RemoveHook(ButtonId input) override;
    void CompileMacroScript(const std::wstring& scriptFile) override;
    std::optional<std::wstring> PickProgramFile() override { return p_.shell.PickProgramFile(); }
    WindowHost& Window() override { return p_.window; }
    void ScheduleSave(std::uint32_t delayMs) override;

    int selectedButton = 0;
    std::wstring programFolder;
    bool showAllowed = false;
    double dpiScale = 1.0;

  private:
    DialogPlatform p_;
    ButtonDispatcher::Records records_{};
    // All synthesised input goes through it, so that the end can release what is still held.
    HeldInputLedger heldInput_;
    // Worker threads may outlive a press by seconds; the dialog lives for the whole process.
    PlaybackWorkers workers_;
    ButtonDispatcher dispatcher_;
    // Programs' own settings and the records in force for the program in front.
    ProgramSettingsTable programs_;
    ProgramSwitch programSwitch_{records_, programs_, p_.hooks};
    StoredProgramSettings storedPrograms_{programs_,
                                          [this] { programSwitch_.Refresh(p_.window.Handle()); }};
    ProgramView view_{records_, programs_, programSwitch_, p_.window, p_.shell};
    // The script each input's macro was last compiled from: a program's own script function is
    // compiled when its press comes.
    std::array<std::wstring, kButtonCount> compiledScripts_{};
    void DispatchRecord(ButtonId input, const ButtonSetting& record);
    HookWatch hookWatch_;
    TrayPresence tray_{p_.window, p_.shell, p_.registry};
    TrayClicks trayClicks_;
    bool hookWatchTimer_ = false;
    int hooksRestored_ = 0;
    void WatchHooks();
    void RestoreHooks(const std::vector<ButtonId>& missed);
    // Removes and installs the input's hook again, if it should be installed.
    bool ReinstallHook(ButtonId input);
    // The settings file's view of the dialog.
    class AllProgramsHost final : public SettingsHost {
      public:
        explicit AllProgramsHost(CZornMouseApplicationDlg& d) : d_(d) {}
        ButtonSetting& Record(ButtonId input) override { return d_.records_[ToIndex(input)]; }
        std::wstring Caption(ButtonId input) override { return d_.Caption(input); }
        void SetCaption(ButtonId input, const std::wstring& caption) override {
            d_.view_.SetAllProgramsCaption(input, caption);
        }
        void CompileScriptFor(ButtonId input, const std::wstring& scriptFile) override {
            d_.CompileScriptFor(input, scriptFile);
        }
        void InstallHookUnguarded(ButtonId input) override { d_.InstallHookUnguarded(input); }
        SettingsExtension* Extension() override { return &d_.storedPrograms_; }

      private:
        CZornMouseApplicationDlg& d_;
    };
    AllProgramsHost settingsHost_{*this};
    SettingsKeeper keeper_;
    bool ended_ = false;
    bool exiting_ = false;
    bool trayIconAdded_ = false;
    // The first script refused before the tray icon existed, and how many more were.
    ScriptCompileResult pendingRefusal_ = ScriptCompileResult::Compiled;
    std::wstring pendingScript_;
    int morePendingRefusals_ = 0;
};

}  // namespace tressel
