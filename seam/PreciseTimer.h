#pragma once
// A wait timer whose waits end within about a millisecond of the length asked for, unlike a
// plain sleep, which ends on the system's clock tick. Closed when destroyed; used by one thread.

#include <cstdint>

namespace tressel {

class PreciseTimer {
  public:
    virtual ~PreciseTimer() = default;
    // False when the timer refused the wait and nothing was waited.
    virtual bool Wait(std::uint32_t milliseconds) = 0;
};

}  // namespace tressel
