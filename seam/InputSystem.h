#pragma once
// Synthesised input and the few system queries and waits that go with it (SendInput, Sleep,
// precise waits, GetCursorPos, the virtual desktop's bounds, GetMessageExtraInfo). Used by the
// dispatch and by macro playback, which runs on worker threads: implementations must be callable
// from any thread.

#include <cstdint>
#include <memory>
#include <span>

#include "seam/PreciseTimer.h"
#include "seam/Types.h"

namespace tressel {

class InputSystem {
  public:
    virtual ~InputSystem() = default;
    // One SendInput call with these records (count = records.size()); answers how many the
    // system inserted, in order. Windows inserts none while the secure desktop (the lock screen,
    // a UAC prompt) is up.
    virtual std::uint32_t SendInput(std::span<const InputRecord> records) = 0;
    // Returns once synthesised input can reach programs again (at once, unless the session is
    // locked): what a macro waits on before each event it sends.
    virtual void WaitUntilInputIsAccepted() {}
    // Ends on the system's clock tick: at least the length, on Windows up to one tick (15.6 ms
    // by default) longer, unless the timer resolution is raised.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // A high-resolution wait timer, or null where the system has none.
    virtual std::unique_ptr<PreciseTimer> CreatePreciseTimer() = 0;
    // Raises the process's timer resolution to 1 ms, so that Sleep ends within about a
    // millisecond. True when raised; each raise that returned true is undone by exactly one
    // LowerTimerResolution.
    virtual bool RaiseTimerResolution() = 0;
    virtual void LowerTimerResolution() = 0;
    virtual Point GetCursorPos() = 0;
    // The virtual desktop, the bounding box of every monitor (GetSystemMetrics with
    // SM_XVIRTUALSCREEN, SM_YVIRTUALSCREEN, SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN).
    virtual Rect VirtualScreen() = 0;
    virtual std::uintptr_t GetMessageExtraInfo() = 0;
};

}  // namespace tressel
