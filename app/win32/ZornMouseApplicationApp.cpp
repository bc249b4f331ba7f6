#include "app/win32/ZornMouseApplicationApp.h"

#include <commctrl.h>
#include "controls/GdiPlus.h"

#include "app/ZornMouseApplicationDlg.h"
#include "app/win32/MainDialog.h"
#include "seam/win32/Win32FileSystem.h"
#include "seam/win32/Win32HookLibraries.h"
#include "seam/win32/Win32InputSystem.h"
#include "seam/win32/Win32ProcessInfo.h"
#include "seam/win32/Win32ProfileStore.h"
#include "seam/win32/Win32SystemActions.h"
#include "seam/win32/Win32UserRegistry.h"
#include "seam/win32/Win32WorkerThreads.h"

namespace tressel {
namespace {

constexpr wchar_t kMutexName[] = L"zornOneRun";
constexpr wchar_t kStoreName[] = L"Corvane Tressel";

// The executable's file name without folder and extension: the per-user store's application name.
std::wstring ApplicationName(const std::wstring& moduleFileName) {
    std::wstring name = moduleFileName.substr(moduleFileName.find_last_of(L"\\/") + 1);
    if (const auto dot = name.rfind(L'.'); dot != std::wstring::npos) name.resize(dot);
    return name;
}

}  // namespace

int CZornMouseApplicationApp::Run() {
    InitInstance();
    return ExitInstance();
}

bool CZornMouseApplicationApp::InitInstance() {
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);

    // One call decides first or second instance: a separate open-then-create would let two
    // simultaneous starts both believe they were first.
    instanceMutex.reset(CreateMutexW(nullptr, TRUE, kMutexName));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        HWND running = FindWindowW(nullptr, kMainWindowTitle);
        ShowWindow(running, SW_SHOW);
        ShowWindow(running, SW_SHOWNORMAL);
        SetForegroundWindow(running);
        return false;
    }
    RunMainDialog();
    return false;
}

void CZornMouseApplicationApp::RunMainDialog() {
    // Process lifetime: a macro worker may still be playing when the modal run returns, and it
    // uses the input system and its input's playback slot until its last step.
    static Win32ProcessInfo process;
    static Win32UserRegistry registry(kStoreName, ApplicationName(process.ModuleFileName()));
    static Win32HookLibraries hooks;
    static Win32InputSystem input;
    static Win32SystemActions system;
    static Win32WorkerThreads threads;
    static Win32ProfileStore profiles;
    static Win32FileSystem files;
    static MainDialog dialog({hooks, input, system, threads, profiles, files, registry, process});
    dialog.DoModal();
}

int CZornMouseApplicationApp::ExitInstance() {
    Gdiplus::GdiplusShutdown(gdiplusToken);
    // Only the first instance owns the mutex; releasing a handle we do not own is harmless.
    if (instanceMutex) ReleaseMutex(instanceMutex.get());
    instanceMutex.reset();
    return 0;
}

}  // namespace tressel
