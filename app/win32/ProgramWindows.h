#pragma once
// The programs that have a window on the desktop now, as a user sees them in the taskbar.

#include <windows.h>

#include <vector>

#include "programs/ProgramsMenu.h"

namespace tressel {

// Each program with a visible, unowned top-level window that has a title, is no tool window
// and is not cloaked, once (names compared folded), in the order the system lists the windows;
// the process `leftOut` (this program) is not among them.
std::vector<RunningProgram> ProgramsWithWindows(DWORD leftOut);

}  // namespace tressel
