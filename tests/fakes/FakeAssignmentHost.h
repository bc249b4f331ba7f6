#pragma once
// The dialog side of the assignment commands: real records and guarded hooks over the recording
// hook libraries and window. Compiling and picking are logged: "CompileMacroScript(X.txt)",
// "PickProgramFile".

#include <array>
#include <optional>

#include "config/AssignmentCommands.h"
#include "config/HookGuard.h"
#include "fakes/CallLog.h"
#include "fakes/Describe.h"
#include "fakes/FakeHookLibraries.h"
#include "fakes/FakeWindowHost.h"

namespace tressel::testing {

class FakeAssignmentHost : public AssignmentHost {
  public:
    FakeAssignmentHost(CallLog& log, FakeWindowHost& window, FakeHookLibraries& hooks)
        : log_(log), window_(window), hooks_(hooks) {}

    int SelectedButton() override { return selectedButton; }
    ButtonSetting& Record(ButtonId input) override { return records[ToIndex(input)]; }
    void SetCaption(ButtonId input, const std::wstring& caption) override {
        window_.SetControlText(ControlIdOf(input), caption);
    }
    void InstallHook(ButtonId input) override {
        InstallGuarded(Record(input), input, hooks_, window_.Handle());
    }
    void RemoveHook(ButtonId input) override {
        RemoveGuarded(Record(input), input, hooks_, window_.Handle());
    }
    void CompileMacroScript(const std::wstring& scriptFile) override {
        log_.Add("CompileMacroScript(" + Narrow(scriptFile) + ")");
    }
    std::optional<std::wstring> PickProgramFile() override {
        log_.Add("PickProgramFile");
        return pickedProgram;
    }
    WindowHost& Window() override { return window_; }
    void ScheduleSave(std::uint32_t delayMs) override { window_.SetTimer(kSaveTimerId, delayMs); }

    int selectedButton = 0;
    std::array<ButtonSetting, kButtonCount> records{};
    std::optional<std::wstring> pickedProgram;  // nothing: the dialog is cancelled

  private:
    CallLog& log_;
    FakeWindowHost& window_;
    FakeHookLibraries& hooks_;
};

}  // namespace tressel::testing
