#pragma once
// Carries out a hooked input's press from its record: synthesised mouse or key events, a
// launch or power action, or the start of the input's macro worker.

#include <array>
#include <functional>
#include <optional>

#include "actions/PowerActions.h"
#include "config/ButtonId.h"
#include "config/ButtonSetting.h"
#include "seam/HookLibraries.h"
#include "seam/InputSystem.h"
#include "seam/SystemActions.h"

namespace tressel {

class ButtonDispatcher {
  public:
    using Records = std::array<ButtonSetting, kButtonCount>;
    // Starts the input's macro worker unless one of that input already runs.
    using ScriptStarter = std::function<void(ButtonId)>;

    ButtonDispatcher(Records& records, HookLibraries& hooks, InputSystem& input,
                     SystemActions& system, ScriptStarter startScript);

    // `window` is the dialog's handle, handed to the hook functions around synthesised events.
    // Returns what to tell the user when a power function was not carried out.
    std::optional<PowerRefusal> DispatchButtonEvent(ButtonId pressed, WindowHandle window);
    // The same for the record in force (a program's own, say) rather than the input's own.
    std::optional<PowerRefusal> DispatchButtonEvent(ButtonId pressed, const ButtonSetting& record,
                                                    WindowHandle window);

    // An input's own click or notch for a press its hook took where the input is native. The
    // hook is not lifted for it: it lets synthesised events pass anyway, a hook put back would
    // come before the other programs' hooks it came after, and a release arriving meanwhile
    // would pass it while its press was taken.
    void DispatchNativeJob(std::int32_t mouseAction, WindowHandle window) {
        PerformMouseAction(mouseAction, window, false);
    }

  private:
    void PerformMouseAction(std::int32_t mouseAction, WindowHandle window, bool liftHook = true);
    std::optional<PowerRefusal> PerformKeyAction(ButtonId pressed, const ButtonSetting& record);
    void SendClick(const InputRecord& down, const InputRecord& up);
    void SendChord(std::uint16_t modifier, std::uint16_t key);

    Records& records_;
    HookLibraries& hooks_;
    InputSystem& input_;
    SystemActions& system_;
    ScriptStarter startScript_;
};

}  // namespace tressel
