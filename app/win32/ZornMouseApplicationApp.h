#pragma once
// The application object: GDI+ and common controls up, the per-user store named, the
// single-instance guard, then the main dialog run modally for the life of the process.

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace tressel {

class CZornMouseApplicationApp {
  public:
    // Instance start then instance end; returns the process exit code.
    int Run();

  private:
    bool InitInstance();
    int ExitInstance();
    void RunMainDialog();

    ULONG_PTR gdiplusToken = 0;
    UniqueKernelHandle instanceMutex;
};

}  // namespace tressel
