#pragma once
// The application object: GDI+ and common controls up, the per-user store named, the
// single-instance guard, then the main dialog run modally for the life of the process, and the
// end of the instance, the same on every path.

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace tressel {

class MainDialog;

// The exit code when a GDI+ object was still alive at the point GDI+ was to shut down (GDI+ is
// then left running: the process ends without deleting anything).
inline constexpr int kExitGdiPlusObjectsAlive = 3;

class CZornMouseApplicationApp {
  public:
    // Instance start, the dialog's run, then the instance end; ends the process and never
    // returns, so nothing on its frame (services and dialog) is ever destroyed.
    [[noreturn]] void Run();

    // The instance end, on every path (the dialog's end steps call it through ProcessInfo): the
    // window's GDI+ objects deleted, GDI+ shut down, the mutex released, then ExitProcess,
    // which ends every other thread (macro workers, hook threads) before any DLL's detach code.
    [[noreturn]] void EndInstance(int exitCode);

  private:
    // False for a second instance (the running window brought forward instead).
    bool InitInstance();
    void RunMainDialog();

    ULONG_PTR gdiplusToken = 0;
    UniqueKernelHandle instanceMutex;
    MainDialog* dialog_ = nullptr;  // while the dialog exists
};

}  // namespace tressel
