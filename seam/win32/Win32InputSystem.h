#pragma once
// InputSystem on Win32: SendInput, Sleep, GetCursorPos, GetSystemMetrics, GetMessageExtraInfo.
// Stateless, so callable from any thread.

#include <windows.h>

#include "seam/InputSystem.h"

namespace tressel {

class Win32InputSystem : public InputSystem {
  public:
    void SendInput(std::span<const InputRecord> records) override;
    void Sleep(std::uint32_t milliseconds) override;
    Point GetCursorPos() override;
    std::int32_t ScreenWidth() override;
    std::int32_t ScreenHeight() override;
    std::uintptr_t GetMessageExtraInfo() override;

    // The INPUT structure for one record, field by field.
    static INPUT ToInput(const InputRecord& record);
};

}  // namespace tressel
