#pragma once
// Tells a hook the system took away from one that is there. Windows removes a low-level hook
// without a word when its callback misses the timeout (LowLevelHooksTimeout, at most 1 s from
// Windows 10 1709 on; learn.microsoft.com/windows/win32/winmsg/lowlevelmousproc), and the input
// then does its own job until the program restarts. The raw input still shows every physical
// press: a press of an input whose hook should take it, and that its hook does not report
// within the grace time, means the hook is gone, and the input's hook is put back.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "config/ButtonId.h"

namespace tressel {

class HookWatch {
  public:
    // The hook posts its message within a few milliseconds of the press; a hook that takes this
    // long has lost its place anyway.
    static constexpr std::uint32_t kGraceMs = 250;

    // A press of `input` seen in the raw input; `taken`: its hook is installed and takes it.
    void OnRawPress(ButtonId input, bool taken);
    // The input's hook reported a press (before or after the raw input showed it).
    void OnHookReport(ButtonId input);
    // The program itself is about to send a press of `input` (a remapped click of that button):
    // the raw input shows it too, and no hook takes it.
    void OnSynthesised(ButtonId input);
    // Something waits for the grace time to pass (the watch's timer must run).
    bool Waiting() const;
    // The grace time is over: the inputs whose hook missed a press; nothing waits any more.
    std::vector<ButtonId> TakeMissed();

  private:
    std::array<bool, kButtonCount> waiting_{};
    std::array<bool, kButtonCount> ownPressNext_{};
    // The hook's report came before the raw input showed its press: the window's thread takes
    // posted messages before input, so the two arrive in either order.
    std::array<bool, kButtonCount> reportedFirst_{};
};

// The input whose press a remapped mouse action sends (ButtonSetting::mouseAction), if it is
// one of the six.
std::optional<ButtonId> InputImitatedBy(std::int32_t mouseAction);

}  // namespace tressel
