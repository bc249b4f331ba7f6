#pragma once
// The records in force: for each input, the own record of the program in front when it has one,
// otherwise the record of all programs. It also keeps the hooks the programs need: an input that
// only some program remaps has its hook installed by the switch, and wherever an input is native
// in the program in front its hook lets its presses pass (the hook libraries' pass-through,
// decided without a lock in the hook; the hooks themselves stay installed across switches, so a
// switch costs no hook thread a round trip, keeps the hooks' order in the system's chain, and a
// held press keeps its release).
//
// A press is handled by the records in force when it came: the hook's message may be taken
// after the notice of a switch that followed it, so the program that was in front before the
// latest switch is remembered with the switch's time.

#include <array>
#include <cstdint>
#include <string>

#include "actions/ButtonDispatcher.h"
#include "config/ButtonId.h"
#include "config/ButtonSetting.h"
#include "foreground/ForegroundPassThrough.h"
#include "foreground/ForegroundProgram.h"
#include "programs/ProgramSettings.h"
#include "seam/HookLibraries.h"
#include "seam/Types.h"

namespace tressel {

class ProgramSwitch {
  public:
    ProgramSwitch(ButtonDispatcher::Records& allPrograms, const ProgramSettingsTable& programs,
                  HookLibraries& hooks)
        : all_(allPrograms),
          programs_(programs),
          hooks_(hooks),
          passThrough_(hooks),
          nativeJobs_(NativeJobs()) {}

    void OnForegroundChanged(const ForegroundProgram& program, WindowHandle window);
    // After a change of any record, of the records of all programs or of a program's own.
    void Refresh(WindowHandle window);

    // The folded file name of the program in front; empty when it is not known.
    const std::wstring& Front() const { return front_; }
    // When the latest switch came (its message time).
    std::uint32_t Since() const { return since_; }
    // The record in force now, and the one that was in force at `pressTime` (a message time).
    const ButtonSetting& InForce(ButtonId input) const { return InForceFor(front_, input); }
    const ButtonSetting& InForceAt(ButtonId input, std::uint32_t pressTime) const;
    // What a press the input's hook took at `pressTime` does: the record in force then, or,
    // where that one is native while the hook is installed, the input's own click or notch. The
    // hook took such a press because its pass-through had not caught up with a switch yet (the
    // switch's time is the event's, the pass-through follows once the program in front is
    // known); the press then does its native job rather than nothing.
    const ButtonSetting& ForTakenPress(ButtonId input, std::uint32_t pressTime) const;
    // The record is one of the native jobs ForTakenPress gives.
    bool IsNativeJob(const ButtonSetting& record) const {
        for (const ButtonSetting& job : nativeJobs_)
            if (&job == &record) return true;
        return false;
    }

    // The input's hook is installed, and takes its presses now.
    bool Installed(ButtonId input) const { return all_[ToIndex(input)].hooked || Extra(input); }
    bool Passes(ButtonId input) const { return passThrough_.Passes(input); }
    bool Taken(ButtonId input) const { return Installed(input) && !Passes(input); }

    // The hook of all programs' record, installed and removed with its flag: a hook the switch
    // has installed for the programs is taken over rather than installed twice, and one that
    // programs still need stays installed for them.
    void InstallForAllPrograms(ButtonId input, WindowHandle window);
    void RemoveForAllPrograms(ButtonId input, WindowHandle window);
    // The loader's install, whatever the flag says (the switch has installed none yet).
    void InstallForAllProgramsUnguarded(ButtonId input, WindowHandle window);

  private:
    static std::array<ButtonSetting, kButtonCount> NativeJobs();
    const ButtonSetting& InForceFor(const std::wstring& program, ButtonId input) const;
    bool Extra(ButtonId input) const { return extra_[ToIndex(input)]; }
    void DecidePassing();

    ButtonDispatcher::Records& all_;
    const ProgramSettingsTable& programs_;
    HookLibraries& hooks_;
    ForegroundPassThrough passThrough_;
    std::array<bool, kButtonCount> extra_{};  // installed by the switch for the programs
    std::array<ButtonSetting, kButtonCount> nativeJobs_;  // each input's own click or notch
    bool reachable_ = true;
    std::wstring front_;
    std::wstring before_;      // in front until the latest switch
    std::uint32_t since_ = 0;  // the latest switch's time
};

}  // namespace tressel
