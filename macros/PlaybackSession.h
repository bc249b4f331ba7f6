#pragma once
// The waits of one macro run. A "Delay n" line waits n ms, not until the clock tick after it: a
// plain sleep on Windows ends on the 15.6 ms tick, so "Delay 10" would wait about 15.6 ms and a
// 40 ms rhythm would become about 47 ms. The session waits with a high-resolution timer; where
// the system has none, or the timer refuses a wait, it raises the timer resolution and sleeps for
// the rest of the run. Both are set up at the run's first wait, kept for the rest of the run and
// released when the session ends, however the run ends: a run without waits changes nothing,
// and no resolution stays raised between runs.

#include <cstdint>
#include <memory>

#include "seam/InputSystem.h"
#include "seam/PreciseTimer.h"

namespace tressel {

class PlaybackSession {
  public:
    explicit PlaybackSession(InputSystem& input);
    ~PlaybackSession();
    PlaybackSession(const PlaybackSession&) = delete;
    PlaybackSession& operator=(const PlaybackSession&) = delete;

    void Wait(std::uint32_t milliseconds);

  private:
    enum class Mode { NotYet, Timer, RaisedResolution, PlainSleep };
    Mode FallBack();

    InputSystem& input_;
    Mode mode_ = Mode::NotYet;
    std::unique_ptr<PreciseTimer> timer_;
};

}  // namespace tressel
