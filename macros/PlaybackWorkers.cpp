#include "macros/PlaybackWorkers.h"

#include "macros/MacroPlayer.h"

namespace tressel {

PlaybackWorkers::PlaybackWorkers(WorkerThreads& threads, InputSystem& input, Lists& lists)
    : threads_(threads), input_(input), lists_(lists) {}

bool PlaybackWorkers::StartIfIdle(ButtonId input) {
    std::atomic<ThreadHandle>& slot = playbackThread_[ToIndex(input)];
    if (slot.load() != 0) return false;
    const ThreadHandle worker =
        threads_.CreateSuspended([this, input] { MacroPlaybackProc(input); });
    if (worker == 0) return false;
    slot.store(worker);
    threads_.Resume(worker);
    return true;
}

ThreadHandle PlaybackWorkers::PlaybackThread(ButtonId input) const {
    return playbackThread_[ToIndex(input)].load();
}

void PlaybackWorkers::MacroPlaybackProc(ButtonId input) {
    PlayMacroLines(lists_[ToIndex(input)], input_);
    // Nothing of this object is touched once the input shows idle again.
    WorkerThreads& threads = threads_;
    const ThreadHandle self = playbackThread_[ToIndex(input)].exchange(0);
    threads.ReleaseSelf(self);
}

std::optional<ButtonId> MacroTimerButton(std::uintptr_t timerId) {
    switch (timerId) {
        case 1:
            return ButtonId::R;
        case 2:
            return ButtonId::M;
        case 3:
            return ButtonId::WU;
        case 4:
            return ButtonId::WD;
        case 5:
            return ButtonId::X1;
        case 6:
            return ButtonId::X2;
        default:
            return std::nullopt;
    }
}

}  // namespace tressel
