#pragma once
// The Win32 main window: dialog 102 run modally. It unpacks window messages into the dialog
// logic's handlers and implements the window side of the seam (WindowHost, DialogShell).

#include <windows.h>

#include <array>
#include <memory>
#include <optional>

#include "app/DialogShell.h"
#include "app/ZornMouseApplicationDlg.h"
#include "app/win32/ForegroundWatch.h"
#include "app/win32/TrayIcon.h"
#include "controls/AccessibleName.h"
#include "controls/GdipButton.h"
#include "controls/TransParentButton.h"
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"
#include "seam/WindowHost.h"

namespace tressel {

class MainDialog : public win::Dialog, public WindowHost, public DialogShell {
  public:
    // `platform` supplies the seams that are not the window itself; the dialog fills in its
    // own two (window and shell).
    struct Services {
        HookLibraries& hooks;
        InputSystem& input;
        SystemActions& system;
        WorkerThreads& threads;
        ProfileStore& profiles;
        FileSystem& files;
        UserRegistry& registry;
        ProcessInfo& process;
    };
    explicit MainDialog(Services services);
    ~MainDialog() override;

    CZornMouseApplicationDlg& Logic() { return logic_; }
    // Deletes the window's GDI+ objects (the image buttons' pictures): the application calls it
    // before it shuts GDI+ down.
    void ReleaseGraphics();

    // WindowHost.
    WindowHandle Handle() override;
    void SetControlText(int controlId, const std::wstring& text) override;
    std::wstring GetControlText(int controlId) override;
    void ShowWindow(int showCommand) override;
    void SetForegroundWindow() override;
    void SetTimer(std::uintptr_t timerId, std::uint32_t milliseconds) override;
    void KillTimer(std::uintptr_t timerId) override;
    Rect GetControlWindowRect(int controlId) override;
    Rect ScreenToClient(const Rect& screen) override;
    void InvalidateRect(const Rect& client, bool erase) override;

    // DialogShell.
    void SetWindowIcons() override;
    void SetMainWindowTitle(const std::wstring& title) override;
    void RemoveCaptionStyle() override;
    void MakeLayered() override;
    void SetCaptionColour(int controlId, Colour colour) override;
    void SetHoverColour(int controlId, Colour colour) override;
    void LoadImageButtons() override;
    void CenterWindow() override;
    void LoadSkin() override;
    void EnsureSkin();
    DisplayResolution ReadResolution() override;
    Rect OuterWindowRect() override;
    void ResizeWindow(std::int32_t width, std::int32_t height) override;
    Rect ControlClientRect(int controlId) override;
    void MoveControl(int controlId, const Rect& client) override;
    bool AddTrayIcon() override;
    void DeleteTrayIcon() override;
    void SetTrayTip(const std::wstring& tip) override;
    bool AskToRetrySave(const std::wstring& title, const std::wstring& text) override;
    void ShowTrayBalloon(const std::wstring& title, const std::wstring& text) override;
    void TrackTrayMenu(Point at, bool startWithWindowsChecked) override;
    void ShowFunctionMenu(Point at, bool asAllPrograms) override;
    std::optional<std::wstring> PickProgramFile() override;
    int ShowProgramsMenu(Point at, const ProgramsMenu& menu) override;
    std::vector<RunningProgram> ProgramsWithWindows() override;

  private:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnUnmappedCommand(int commandId, int notifyCode) override;
    void MapMessages();
    // The system's notices (MainDialogSystemEvents.cpp): session lock, power, raw mouse input,
    // the window in front, and the test build's questions.
    void MapSystemEvents();
    void StartSystemEvents();
    Result OnEraseBackground(HDC dc);
    Result OnPaint();
    Result OnNcHitTest(LPARAM lParam);
    // The input buttons and the programs button, the buttons whose captions the logic colours.
    CTransParentButton* InputButton(int controlId);
    void RedrawInputButtons();

    CZornMouseApplicationDlg logic_;
    UniqueIcon icon_;
    UniqueBitmap skinBitmap_;
    bool skinWanted_ = false;
    UniqueBrush keyBrush_;
    UniqueFont captionFont_;  // the input buttons' captions; declared before the buttons
    TrayIcon trayIcon_;
    UINT taskbarCreatedMessage_ = 0;
    std::optional<ForegroundWatch> foregroundWatch_;  // from the dialog's start on
    std::array<CTransParentButton, kButtonCount> inputButtons_;
    CTransParentButton programsButton_;  // whose settings are shown; opens the programs menu
    CGdipButton saveButton_;
    CGdipButton closeButton_;
    std::array<AccessibleName, kButtonCount> inputNames_;
    AccessibleName programsName_;
    AccessibleName saveName_;
    AccessibleName closeName_;
#ifdef TRESSEL_TEST_SWITCHES
    std::array<unsigned char, kButtonCount> rawReleases_{};  // told to the hooks, per input
#endif
};

}  // namespace tressel
