#pragma once
// Follows the window in front (EVENT_SYSTEM_FOREGROUND, out of context, on the thread that makes
// the watch, which must pump messages) and tells what the program knows of its program.

#include <windows.h>

#include <functional>

#include "foreground/ForegroundProgram.h"
#include "framework/UniqueHandle.h"

namespace tressel {

class ForegroundWatch {
  public:
    using Listener = std::function<void(const ForegroundProgram&)>;

    // Tells the window in front now, then every change. One watch per process.
    explicit ForegroundWatch(Listener listener);
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;
    ~ForegroundWatch();

    // What is known of the program of `window`.
    static ForegroundProgram ProgramOf(HWND window);

  private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time);
    static void CALLBACK OnPoll(HWND window, UINT message, UINT_PTR timer, DWORD time);
    void Tell(HWND window, DWORD time);

    Listener listener_;
    UniqueWinEventHook hook_;
    UINT_PTR pollTimer_ = 0;  // the test build's stand-in for the events Wine does not send
    HWND told_ = nullptr;
};

}  // namespace tressel
