#pragma once
// The main dialog as the settings loader and writer see it: six records and six captions held
// here; caption changes, script compilations and hook installs are recorded in the call log.

#include <array>
#include <string>

#include "config/SettingsFile.h"
#include "fakes/CallLog.h"
#include "fakes/Describe.h"

namespace tressel::testing {

class FakeSettingsHost : public SettingsHost {
  public:
    explicit FakeSettingsHost(CallLog& log) : log_(log) {}

    ButtonSetting& Record(ButtonId input) override { return records[ToIndex(input)]; }
    std::wstring Caption(ButtonId input) override { return captions[ToIndex(input)]; }
    void SetCaption(ButtonId input, const std::wstring& caption) override {
        log_.Add("SetCaption(" + Describe(input) + "," + Narrow(caption) + ")");
        captions[ToIndex(input)] = caption;
    }
    void CompileScriptFor(ButtonId input, const std::wstring& scriptFile) override {
        log_.Add("CompileScript(" + Describe(input) + "," + Narrow(scriptFile) + ")");
        selectedButton = ToInt(input);
    }
    void InstallHookUnguarded(ButtonId input) override {
        log_.Add("installhook_" + Describe(input));
    }

    std::array<ButtonSetting, kButtonCount> records{};
    std::array<std::wstring, kButtonCount> captions{};
    int selectedButton = 0;

  private:
    CallLog& log_;
};

}  // namespace tressel::testing
