#include "app/win32/ZornMouseApplicationApp.h"

#include <commctrl.h>
#include <objbase.h>
#include "controls/GdiPlus.h"

#include "app/SingleInstance.h"
#include "app/ZornMouseApplicationDlg.h"
#include "app/win32/CrashDuties.h"
#include "app/win32/MainDialog.h"
#include "app/win32/TestSwitches.h"
#include "controls/GdiPlusBitmap.h"
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

// The process as the dialog sees it: ending it is the application's instance end.
class ApplicationProcess : public Win32ProcessInfo {
  public:
    explicit ApplicationProcess(CZornMouseApplicationApp& app) : app_(app) {}
    [[noreturn]] void ExitProcess(int exitCode) override { app_.EndInstance(exitCode); }

  private:
    CZornMouseApplicationApp& app_;
};

// The single-instance mutex and the running window, for DecideStart. The mutex is "destroyed
// when its last handle has been closed" (learn.microsoft.com/windows/win32/api/synchapi/
// nf-synchapi-createmutexw), so a start that waits holds no handle to it but while it waits on
// it, and a wait on a mutex ends as soon as its owner releases it or ends without: "the state of
// the mutex is set to signaled" and the waiter is "granted ownership", WAIT_ABANDONED telling the
// second (learn.microsoft.com/windows/win32/sync/mutex-objects, learn.microsoft.com/windows/
// win32/api/synchapi/nf-synchapi-waitforsingleobject); the wait then gives it back at once.
class Win32InstanceSystem : public InstanceSystem {
  public:
    explicit Win32InstanceSystem(UniqueKernelHandle& mutex) : mutex_(mutex) {}

    Creation CreateInstanceMutex() override {
        mutex_.reset(CreateMutexW(nullptr, TRUE, kMutexName));
        return {static_cast<bool>(mutex_), GetLastError()};
    }
    void CloseInstanceMutex() override { mutex_.reset(); }
    bool OwnerAlive(std::uint32_t ms) override {
        UniqueKernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, kMutexName));
        if (!mutex) {
            // Gone (ERROR_FILE_NOT_FOUND), or of an instance this process may not wait on.
            if (GetLastError() != ERROR_ACCESS_DENIED) return false;
            ::Sleep(ms);
            return true;
        }
        const DWORD result = WaitForSingleObject(mutex.get(), ms);
        if (result == WAIT_TIMEOUT) return true;
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) ReleaseMutex(mutex.get());
        return false;
    }
    // A window still in its first second after a "-run" start keeps itself hidden all the same.
    bool ShowRunningWindow() override {
        HWND running = FindWindowW(nullptr, kMainWindowTitle);
        if (!running) return false;
        // This start has the user's input, so it may hand the foreground on: the running
        // instance may then bring its window to the front itself, should the show below not
        // (learn.microsoft.com/windows/win32/api/winuser/nf-winuser-allowsetforegroundwindow).
        DWORD runningProcess = 0;
        GetWindowThreadProcessId(running, &runningProcess);
        AllowSetForegroundWindow(runningProcess);
        ShowWindow(running, SW_SHOW);
        ShowWindow(running, SW_SHOWNORMAL);
        SetForegroundWindow(running);
        return true;
    }
    void Sleep(std::uint32_t ms) override { ::Sleep(ms); }
    std::uint64_t NowMs() override { return GetTickCount64(); }

  private:
    UniqueKernelHandle& mutex_;
};

}  // namespace

void CZornMouseApplicationApp::Run() {
    if (InitInstance()) RunMainDialog();
    // Reached after a second instance, or when the dialog could not be created (every end of a
    // running dialog ends the process from inside it).
    EndInstance(0);
}

bool CZornMouseApplicationApp::InitInstance() {
    // The window's thread launches programs with ShellExecuteW, which may hand the launch to
    // shell extensions activated through COM, some of which need a single-threaded apartment:
    // "COM should be initialized as shown here: CoInitializeEx(NULL, COINIT_APARTMENTTHREADED |
    // COINIT_DISABLE_OLE1DDE)" (Win32 documentation, ShellExecuteExW, Remarks). Once, for the
    // life of the process, which ends without leaving it.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);

    // One call decides first or second instance: a separate open-then-create would let two
    // simultaneous starts both believe they were first. An existing mutex shows as a handle with
    // ERROR_ALREADY_EXISTS, or, when it belongs to an instance of another integrity level, as
    // no handle with ERROR_ACCESS_DENIED (Win32 documentation, CreateMutexW: "if the caller has
    // limited access rights, the function will fail with ERROR_ACCESS_DENIED"). A further start
    // waits for a running instance that may still be starting and have no window yet, rather
    // than end with the user's start answered by nothing, and starts as the first instance when
    // that one has ended meanwhile.
    Win32InstanceSystem system(instanceMutex);
    return DecideStart(system) == StartDecision::First;
}

void CZornMouseApplicationApp::RunMainDialog() {
    // Never destroyed: the dialog ends the process from inside its modal run (EndInstance), and
    // a macro worker may use the input system, the worker threads and the dialog's playback
    // slots until the process ends.
    test_switches::NoteStartApartment();
    ApplicationProcess process(*this);
    Win32UserRegistry registry(kStoreName, ApplicationName(process.ModuleFileName()));
    Win32HookLibraries hooks;
    Win32InputSystem input;
    Win32SystemActions system;
    Win32WorkerThreads threads;
    Win32ProfileStore profiles;
    Win32FileSystem files;
    MainDialog dialog({hooks, input, system, threads, profiles, files, registry, process});
    dialog_ = &dialog;
    const CrashDuties crashDuties(dialog.Logic());
    dialog.DoModal();
    // Only a dialog that could not be created returns here; it touched no worker.
    dialog_ = nullptr;
    dialog.ReleaseGraphics();
}

void CZornMouseApplicationApp::EndInstance(int exitCode) {
    if (dialog_) dialog_->ReleaseGraphics();
    // "You must delete all of your GDI+ objects ... before you call GdiplusShutdown" (Win32
    // documentation, GdiplusShutdown). Should one be left, GDI+ stays up: the process ends next
    // and never deletes it.
    const bool gdiPlusClear = CGdiPlusBitmap::LiveBitmaps() == 0;
    if (gdiPlusClear) Gdiplus::GdiplusShutdown(gdiplusToken);
    // Only the first instance owns the mutex; releasing a handle we do not own is harmless.
    if (instanceMutex) ReleaseMutex(instanceMutex.get());
    ::ExitProcess(static_cast<UINT>(gdiPlusClear ? exitCode : kExitGdiPlusObjectsAlive));
}

}  // namespace tressel
