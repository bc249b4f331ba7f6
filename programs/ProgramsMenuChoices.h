#pragma once
// The programs menu built for one opening: "All programs", the programs with settings of their
// own in the order they were added, "Add a program" (the programs with a window now that have
// no settings yet, by name, and "Browse…"), and while a program's settings are shown, "Off in
// this program" and "Remove this program's settings". It answers what an item's id stands for.

#include <string>
#include <string_view>
#include <vector>

#include "programs/ProgramSettings.h"
#include "programs/ProgramsMenu.h"

namespace tressel {

struct ProgramsMenuChoice {
    enum Kind { Nothing, ShowAllPrograms, ShowProgram, Browse, Off, Remove };
    Kind kind = Nothing;
    std::wstring program;  // ShowProgram: the file name, listed or to be added
};

class ProgramsMenuChoices {
  public:
    // `shown`: the folded file name of the program whose settings are shown, empty for all.
    ProgramsMenuChoices(const ProgramSettingsTable& programs, std::wstring_view shown,
                        std::vector<RunningProgram> running);

    const ProgramsMenu& Menu() const { return menu_; }
    ProgramsMenuChoice Choice(int id) const;

  private:
    std::vector<std::wstring> listed_;
    std::vector<RunningProgram> running_;  // those offered to be added, in the menu's order
    ProgramsMenu menu_;
};

}  // namespace tressel
