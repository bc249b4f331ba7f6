#pragma once
// Synthesised input and the few system queries that go with it (SendInput, Sleep, GetCursorPos,
// GetSystemMetrics, GetMessageExtraInfo). Used by the dispatch and by macro playback, which
// runs on worker threads: implementations must be callable from any thread.

#include <cstdint>
#include <span>

#include "seam/Types.h"

namespace tressel {

class InputSystem {
  public:
    virtual ~InputSystem() = default;
    // One SendInput call with these records (count = records.size()).
    virtual void SendInput(std::span<const InputRecord> records) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual Point GetCursorPos() = 0;
    virtual std::int32_t ScreenWidth() = 0;   // GetSystemMetrics(SM_CXSCREEN)
    virtual std::int32_t ScreenHeight() = 0;  // GetSystemMetrics(SM_CYSCREEN)
    virtual std::uintptr_t GetMessageExtraInfo() = 0;
};

}  // namespace tressel
