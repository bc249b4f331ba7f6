#pragma once
// A low-level mouse hook (WH_MOUSE_LL) with a procedure of the caller's, run on a thread of its
// own that only pumps messages, as the program's hook libraries run theirs: the caller's thread
// may then block without holding up the system's mouse. Hooks are called newest first, so one
// set after the program's sees every event before the program's hooks take it.

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace tressel::testing {

class MouseHookThread {
  public:
    explicit MouseHookThread(HOOKPROC procedure);
    MouseHookThread(const MouseHookThread&) = delete;
    MouseHookThread& operator=(const MouseHookThread&) = delete;
    ~MouseHookThread();

    // Whether the hook is set (once the constructor returns, it is or never will be).
    bool ok() const { return hooked_; }

  private:
    static DWORD WINAPI Run(void* parameter);

    HOOKPROC procedure_;
    UniqueKernelHandle ready_;
    UniqueKernelHandle thread_;
    DWORD threadId_ = 0;
    bool hooked_ = false;
};

}  // namespace tressel::testing
