#include "macros/PlaybackSession.h"

namespace tressel {

PlaybackSession::PlaybackSession(InputSystem& input) : input_(input) {}

PlaybackSession::~PlaybackSession() {
    if (mode_ == Mode::RaisedResolution) input_.LowerTimerResolution();
}

void PlaybackSession::Wait(std::uint32_t milliseconds) {
    if (mode_ == Mode::NotYet) {
        timer_ = input_.CreatePreciseTimer();
        if (timer_)
            mode_ = Mode::Timer;
        else
            mode_ = input_.RaiseTimerResolution() ? Mode::RaisedResolution : Mode::PlainSleep;
    }
    if (mode_ == Mode::Timer)
        timer_->Wait(milliseconds);
    else
        input_.Sleep(milliseconds);
}

}  // namespace tressel
