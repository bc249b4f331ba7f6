#pragma once
// Whose settings the window shows and edits: all programs', or one program's own. In a
// program's view each box shows the program's own function for its input, or, where it has
// none, what all programs have, in a dimmer colour; whatever the function menu assigns there
// becomes the program's own ("No Settings" makes the input native in the program). Loading and
// saving see all programs' captions whichever settings are shown: while a program is shown they
// are kept here, as the boxes show the program's.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "actions/ButtonDispatcher.h"
#include "app/DialogShell.h"
#include "config/ButtonId.h"
#include "programs/ProgramSettings.h"
#include "programs/ProgramSwitch.h"
#include "programs/ProgramsMenuChoices.h"
#include "seam/WindowHost.h"

namespace tressel {

inline constexpr wchar_t kAllProgramsTitle[] = L"All programs";

class ProgramView {
  public:
    ProgramView(ButtonDispatcher::Records& allPrograms, ProgramSettingsTable& programs,
                ProgramSwitch& programSwitch, WindowHost& window, DialogShell& shell)
        : all_(allPrograms),
          programs_(programs),
          switch_(programSwitch),
          window_(window),
          shell_(shell) {}

    // The folded file name of the program shown; empty while all programs' settings are.
    const std::wstring& Shown() const { return shown_; }
    bool ShowsAProgram() const { return !shown_.empty(); }
    // Shows the settings of `program`, which is added to the programs when it is not there yet,
    // or all programs' for an empty name. False, changing nothing, when the name is no program
    // file name.
    bool Show(std::wstring_view program);

    // The assignment's view of an input: the shown program's own record (made from all
    // programs' when it has none yet), or all programs'.
    ButtonSetting& Record(ButtonId input);
    void SetCaption(ButtonId input, const std::wstring& caption);
    // Installing and removing the hook of all programs' record, or, in a program's view,
    // the program's own record remapping the input or leaving it native.
    void InstallHook(ButtonId input);
    void RemoveHook(ButtonId input);

    // The shown program drops its own function for the input, or for every input, and goes as
    // all programs there; or makes every input native.
    void DropOwn(ButtonId input);
    void DropAllOwn();
    void MakeAllNative();
    // The shown program's settings are removed; the window shows all programs' again.
    void RemoveShown();

    // Carries out the programs menu's choice, asking `pickProgramFile` for "Browse…"; true
    // when the settings file changed (a program added or removed, or its settings).
    bool Run(const ProgramsMenuChoice& choice,
             const std::function<std::optional<std::wstring>()>& pickProgramFile);

    // Loading and saving: all programs' captions, whichever settings are shown.
    std::wstring AllProgramsCaption(ButtonId input);
    void SetAllProgramsCaption(ButtonId input, const std::wstring& caption);

  private:
    ProgramSettings* ShownProgram() { return programs_.Find(shown_); }
    std::optional<StoredInput>& Own(ButtonId input);
    // Puts the input's caption and its colour into its box, and the switch in step.
    void ShowInput(ButtonId input);
    void Changed();

    ButtonDispatcher::Records& all_;
    ProgramSettingsTable& programs_;
    ProgramSwitch& switch_;
    WindowHost& window_;
    DialogShell& shell_;
    std::wstring shown_;
    std::array<std::wstring, kButtonCount> allCaptions_{};  // while a program is shown
};

}  // namespace tressel
