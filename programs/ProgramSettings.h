#pragma once
// The programs that have settings of their own, in the order they were added, and what each
// has of its own per input: an input a program has nothing of its own for goes as for all
// programs there. An own record that is not hooked makes the input do its native job in that
// program, even where all programs remap it.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ButtonId.h"
#include "config/SettingsFile.h"

namespace tressel {

struct ProgramSettings {
    std::wstring fileName;  // folded (ProgramFileName)
    std::array<std::optional<StoredInput>, kButtonCount> own{};

    const std::optional<StoredInput>& Own(ButtonId input) const { return own[ToIndex(input)]; }
    std::optional<StoredInput>& Own(ButtonId input) { return own[ToIndex(input)]; }
};

class ProgramSettingsTable {
  public:
    const std::vector<ProgramSettings>& Programs() const { return programs_; }
    bool Empty() const { return programs_.empty(); }

    // Names are folded before they are looked up or added; nullptr when it has none.
    const ProgramSettings* Find(std::wstring_view fileName) const;
    ProgramSettings* Find(std::wstring_view fileName);
    // The program's settings, added at the end with nothing of its own when it had none; nullptr
    // when the name is no program file name.
    ProgramSettings* Add(std::wstring_view fileName);
    void Remove(std::wstring_view fileName);

    // The program's own record of the input, if it has one.
    const ButtonSetting* OwnRecord(std::wstring_view fileName, ButtonId input) const;
    // Some program remaps the input with a record of its own.
    bool RemapsAnywhere(ButtonId input) const;

  private:
    std::vector<ProgramSettings> programs_;
};

}  // namespace tressel
