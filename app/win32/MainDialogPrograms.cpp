// The main window's programs menu and the programs with windows now.
#include "app/win32/MainDialog.h"

#include "app/win32/ProgramWindows.h"
#include "controls/ProgramsMenuView.h"

namespace tressel {

int MainDialog::ShowProgramsMenu(Point at, const ProgramsMenu& menu) {
    return TrackProgramsMenu(hwnd(), at.x, at.y, menu);
}

std::vector<RunningProgram> MainDialog::ProgramsWithWindows() {
    return tressel::ProgramsWithWindows(GetCurrentProcessId());
}

}  // namespace tressel
