// The main window's programs menu and the programs with windows now.
#include "app/win32/MainDialog.h"

namespace tressel {

int MainDialog::ShowProgramsMenu(Point, const ProgramsMenu&) { return 0; }

std::vector<RunningProgram> MainDialog::ProgramsWithWindows() { return {}; }

}  // namespace tressel
