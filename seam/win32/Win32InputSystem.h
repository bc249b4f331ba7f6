#pragma once
// InputSystem on Win32: SendInput, Sleep, high-resolution waitable timers, timeBeginPeriod /
// timeEndPeriod, GetCursorPos, GetSystemMetrics, GetMessageExtraInfo. Stateless, so callable
// from any thread (each precise timer belongs to the thread that created it).

#include <windows.h>

#include "seam/InputSystem.h"

namespace tressel {

class Win32InputSystem : public InputSystem {
  public:
    std::uint32_t SendInput(std::span<const InputRecord> records) override;
    void Sleep(std::uint32_t milliseconds) override;
    std::unique_ptr<PreciseTimer> CreatePreciseTimer() override;
    bool RaiseTimerResolution() override;
    void LowerTimerResolution() override;
    Point GetCursorPos() override;
    Rect VirtualScreen() override;
    std::uintptr_t GetMessageExtraInfo() override;

    // The INPUT structure for one record, field by field.
    static INPUT ToInput(const InputRecord& record);
};

}  // namespace tressel
