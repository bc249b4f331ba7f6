#pragma once
// A settings host that only holds records and captions: for tools and timing harnesses that
// save and load settings files without a dialog.

#include <array>
#include <string>

#include "config/SettingsFile.h"

namespace tressel::testing {

class MemorySettingsHost : public SettingsHost {
  public:
    ButtonSetting& Record(ButtonId input) override { return records[ToIndex(input)]; }
    std::wstring Caption(ButtonId input) override { return captions[ToIndex(input)]; }
    void SetCaption(ButtonId input, const std::wstring& caption) override {
        captions[ToIndex(input)] = caption;
    }
    void CompileScriptFor(ButtonId, const std::wstring&) override {}
    void InstallHookUnguarded(ButtonId) override {}

    std::array<ButtonSetting, kButtonCount> records{};
    std::array<std::wstring, kButtonCount> captions{};
};

}  // namespace tressel::testing
