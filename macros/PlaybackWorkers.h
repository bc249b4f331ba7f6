#pragma once
// At most one macro playback worker per input. A press of a script input starts the input's
// worker only while none runs; presses during a run are ignored, not queued. The worker is
// created suspended and resumed only after its handle is stored, so its own clearing of the
// handle, its very last step, always comes after the store.

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

#include "config/ButtonId.h"
#include "macros/MacroLineList.h"
#include "seam/InputSystem.h"
#include "seam/WorkerThreads.h"

namespace tressel {

class PlaybackWorkers {
  public:
    using Lists = std::array<MacroLineList, kButtonCount>;

    // Must outlive every worker it starts: keep it for the life of the process.
    PlaybackWorkers(WorkerThreads& threads, InputSystem& input, Lists& lists = MacroLines());

    // Starts the input's worker unless one is running. False when ignored or when no worker
    // could be created (the input then stays idle).
    bool StartIfIdle(ButtonId input);

    // The input's running worker, 0 when idle.
    ThreadHandle PlaybackThread(ButtonId input) const;

  private:
    void MacroPlaybackProc(ButtonId input);

    WorkerThreads& threads_;
    InputSystem& input_;
    Lists& lists_;
    std::array<std::atomic<ThreadHandle>, kButtonCount> playbackThread_{};
};

// The input whose list a timer id 1..6 of the main window plays: 1 R, 2 M, 3 WU, 4 WD, 5 X1,
// 6 X2. No input for any other id.
std::optional<ButtonId> MacroTimerButton(std::uintptr_t timerId);

}  // namespace tressel
