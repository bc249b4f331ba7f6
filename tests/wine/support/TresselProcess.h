#pragma once
// Starting the real Tressel.exe for a test: from a private copy of the ready-to-run folder (so
// each test has its own settings file), finding its window, ending it.

#include <windows.h>

#include <chrono>
#include <string>

#include "framework/UniqueHandle.h"

namespace tressel::testing {

// A fresh copy of the build's out folder (Tressel.exe, hook DLLs, ScriptsMacros) in a new
// temporary folder; returns the folder.
std::wstring MakeTestInstallation(const std::wstring& name);

// Removes the per-user traces a run leaves in the registry (store key, Run value).
void ForgetUserSettings();

class TresselProcess {
  public:
    // Starts `folder`\Tressel.exe with `arguments` appended to its quoted path.
    static TresselProcess Start(const std::wstring& folder, const std::wstring& arguments = L"");
    // Starts `commandLine` as it stands (as Windows runs a Run entry at logon), in the test's
    // own current folder.
    static TresselProcess StartCommand(const std::wstring& commandLine);

    TresselProcess() = default;
    TresselProcess(TresselProcess&&) = default;
    TresselProcess& operator=(TresselProcess&&) = default;
    ~TresselProcess();

    // The process's top-level window titled "Tressel-corvane" once it exists (null on timeout).
    HWND WaitForWindow(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Waits until the window has finished its start-up (tray icon added) and the dialog's message
    // loop has gone idle once: the modal loop shows the window when its queue first runs empty,
    // so a command posted before that point can be undone by that show.
    bool WaitForStartUp(HWND window, std::chrono::milliseconds timeout = std::chrono::seconds(20));
    bool WaitForExit(DWORD& exitCode, std::chrono::milliseconds timeout = std::chrono::seconds(20));
    bool Running() const;
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.get(); }
    void Terminate();

  private:
    static TresselProcess Launch(const std::wstring& commandLine, const wchar_t* currentFolder);

    UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// Whether the notification area holds Tressel's icon for `window`: modifying an icon succeeds
// only when the shell knows it. The icon is added last in the start-up sequence, so this also
// tells that the window has finished starting.
bool TrayIconPresent(HWND window);

// Where a user sees the icon. Wine 8's shell has no Shell_NotifyIconGetRect; its taskbar draws
// the notification icons from its right end inward, each a small icon plus a 2-pixel border on
// either side, and a fresh prefix has only Tressel's.
POINT TrayIconCentre();

// Posts to `window` what the shell sends for an event of Tressel's icon, in the version-4 form
// the program asks for: the event and the icon's id in lParam, the anchor point in wParam.
void PostTrayEvent(HWND window, UINT event, POINT anchor);

// Which inputs the program of `window` lets pass to the program in front now, one bit per input
// (ButtonId's index; the test build answers this message).
LRESULT PassingInputs(HWND window);

// Every top-level window titled "Tressel-corvane", of any process.
int CountMainWindows();

}  // namespace tressel::testing
