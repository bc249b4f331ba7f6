#include "macros/PlaybackSession.h"

namespace tressel {

PlaybackSession::PlaybackSession(InputSystem& input) : input_(input) {}

PlaybackSession::~PlaybackSession() {
    if (mode_ == Mode::RaisedResolution) input_.LowerTimerResolution();
}

PlaybackSession::Mode PlaybackSession::FallBack() {
    timer_.reset();
    return input_.RaiseTimerResolution() ? Mode::RaisedResolution : Mode::PlainSleep;
}

void PlaybackSession::Wait(std::uint32_t milliseconds) {
    if (mode_ == Mode::NotYet) {
        timer_ = input_.CreatePreciseTimer();
        mode_ = timer_ ? Mode::Timer : FallBack();
    }
    if (mode_ == Mode::Timer) {
        if (timer_->Wait(milliseconds)) return;
        mode_ = FallBack();
    }
    input_.Sleep(milliseconds);
}

}  // namespace tressel
