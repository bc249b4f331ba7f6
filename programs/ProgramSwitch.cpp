#include "programs/ProgramSwitch.h"

#include "config/HookGuard.h"
#include "hookwatch/HookWatch.h"
#include "programs/ProgramFileName.h"

namespace tressel {

void ProgramSwitch::OnForegroundChanged(const ForegroundProgram& program, WindowHandle window) {
    std::wstring front = ProgramFileName(program.fileName);
    if (front != front_) {
        before_ = std::move(front_);
        front_ = std::move(front);
        since_ = program.since;
    }
    reachable_ = program.reachable;
    Refresh(window);
}

void ProgramSwitch::Refresh(WindowHandle window) {
    for (ButtonId input : kAllButtons) {
        const std::size_t i = ToIndex(input);
        const bool wanted = !all_[i].hooked && programs_.RemapsAnywhere(input);
        if (wanted && !extra_[i]) hooks_.Install(input, window);
        if (!wanted && extra_[i] && !all_[i].hooked) hooks_.Remove(input, window);
        extra_[i] = wanted;
    }
    DecidePassing();
}

const ButtonSetting& ProgramSwitch::InForceAt(ButtonId input, std::uint32_t pressTime) const {
    // Tick counts wrap after 49.7 days: their difference tells which came first.
    const bool beforeSwitch = static_cast<std::int32_t>(pressTime - since_) < 0;
    return InForceFor(beforeSwitch ? before_ : front_, input);
}

const ButtonSetting& ProgramSwitch::ForTakenPress(ButtonId input, std::uint32_t pressTime) const {
    const ButtonSetting& record = InForceAt(input, pressTime);
    if (record.hooked || !Installed(input)) return record;
    return nativeJobs_[ToIndex(input)];
}

std::array<ButtonSetting, kButtonCount> ProgramSwitch::NativeJobs() {
    std::array<ButtonSetting, kButtonCount> jobs{};
    for (std::int32_t action = LeftClick; action <= WheelDown; ++action) {
        if (const auto input = InputImitatedBy(action)) {
            ButtonSetting& job = jobs[ToIndex(*input)];
            job.hooked = true;
            job.category = MouseButton;
            job.mouseAction = action;
        }
    }
    return jobs;
}

const ButtonSetting& ProgramSwitch::InForceFor(const std::wstring& program, ButtonId input) const {
    if (!program.empty()) {
        if (const ButtonSetting* own = programs_.OwnRecord(program, input)) return *own;
    }
    return all_[ToIndex(input)];
}

void ProgramSwitch::InstallForAllPrograms(ButtonId input, WindowHandle window) {
    ButtonSetting& record = all_[ToIndex(input)];
    if (extra_[ToIndex(input)] && !record.hooked) {
        extra_[ToIndex(input)] = false;
        record.hooked = true;
    } else {
        InstallGuarded(record, input, hooks_, window);
    }
    DecidePassing();
}

void ProgramSwitch::RemoveForAllPrograms(ButtonId input, WindowHandle window) {
    ButtonSetting& record = all_[ToIndex(input)];
    if (record.hooked && programs_.RemapsAnywhere(input)) {
        record.hooked = false;
        extra_[ToIndex(input)] = true;
    } else {
        RemoveGuarded(record, input, hooks_, window);
    }
    DecidePassing();
}

void ProgramSwitch::InstallForAllProgramsUnguarded(ButtonId input, WindowHandle window) {
    if (extra_[ToIndex(input)]) {
        extra_[ToIndex(input)] = false;
    } else {
        hooks_.Install(input, window);
    }
    all_[ToIndex(input)].hooked = true;
}

// An input passes where it is native in the program in front though its hook is installed;
// with no program's own settings an installed hook is always a remapped input, so nothing
// passes but what the program in front cannot be reached by.
void ProgramSwitch::DecidePassing() {
    std::array<bool, kButtonCount> native{};
    for (ButtonId input : kAllButtons)
        native[ToIndex(input)] = Installed(input) && !InForce(input).hooked;
    passThrough_.Decide(reachable_, native);
}

}  // namespace tressel
