#pragma once
// The main window's shell operations beyond plain window handling: its look at start-up, the
// resolution fit, the notification-area icon and the menus. The Win32 dialog implements them;
// the dialog logic decides when and in which order they run.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "programs/ProgramsMenu.h"
#include "seam/Types.h"

namespace tressel {

using Colour = std::uint32_t;  // COLORREF, 0x00BBGGRR

// The input buttons' captions: idle, under the pointer, and a program's view showing what all
// programs have for an input the program has nothing of its own for.
inline constexpr Colour kCaptionColour = 0xC8C8C8;
inline constexpr Colour kHoverColour = 0xFEFFFF;
inline constexpr Colour kInheritedCaptionColour = 0x808080;

// The button above the six boxes: whose settings the window shows; a click opens the programs
// menu.
inline constexpr int kProgramsControlId = 1010;

struct DisplayResolution {
    int dpiX = 96;
    int dpiY = 96;
};

class DialogShell {
  public:
    virtual ~DialogShell() = default;

    // Start-up look.
    virtual void SetWindowIcons() = 0;  // icon 128 as big and small icon
    virtual void SetMainWindowTitle(const std::wstring& title) = 0;
    virtual void RemoveCaptionStyle() = 0;
    virtual void MakeLayered() = 0;
    virtual void SetCaptionColour(int controlId, Colour colour) = 0;  // redraws at once
    virtual void SetHoverColour(int controlId, Colour colour) = 0;    // redraws at once
    virtual void LoadImageButtons() = 0;  // PNG 145 into 1007, PNG 147 into IDOK
    virtual void CenterWindow() = 0;
    virtual void LoadSkin() = 0;  // bitmap 140

    // Resolution fit.
    virtual DisplayResolution ReadResolution() = 0;
    virtual Rect OuterWindowRect() = 0;
    virtual void ResizeWindow(std::int32_t width, std::int32_t height) = 0;  // keeps position
    virtual Rect ControlClientRect(int controlId) = 0;
    virtual void MoveControl(int controlId, const Rect& client) = 0;  // repaints it

    // Notification area. The add answers whether the shell took the icon: at sign-in it may not
    // take icons yet.
    virtual bool AddTrayIcon() = 0;
    virtual void DeleteTrayIcon() = 0;
    // A balloon notification from the notification-area icon (warning icon).
    virtual void ShowTrayBalloon(const std::wstring& title, const std::wstring& text) = 0;
    // The icon's tooltip from now on (kept when the icon is added again).
    virtual void SetTrayTip(const std::wstring& tip) = 0;
    // A warning message box with Retry and Cancel; true when the user chose Retry.
    virtual bool AskToRetrySave(const std::wstring& title, const std::wstring& text) = 0;
    // Loads menu 151, checks "Start With Windows" when asked, tracks it at `at` and destroys it;
    // the chosen command reaches the dialog as a command message.
    virtual void TrackTrayMenu(Point at, bool startWithWindowsChecked) = 0;

    // Function menu and the program picker of "Run Software". While a program's own settings
    // are shown, the menu starts with "As All Programs" (command_id::kAsAllPrograms).
    virtual void ShowFunctionMenu(Point at, bool asAllPrograms) = 0;
    virtual std::optional<std::wstring> PickProgramFile() = 0;

    // The programs menu, opened at `at` (its top left corner) and tracked until it closes; the
    // chosen item's id, or 0 when it closed without a choice.
    virtual int ShowProgramsMenu(Point at, const ProgramsMenu& menu) = 0;
    // The programs that have a visible, unowned window now, each once, this program left out.
    virtual std::vector<RunningProgram> ProgramsWithWindows() = 0;
};

}  // namespace tressel
