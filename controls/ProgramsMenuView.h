#pragma once
// The programs menu on screen: the menu the dialog logic describes as data, drawn like the
// function menu's top level, each program's entry with the program's small icon.

#include <windows.h>

#include <memory>

#include "controls/MenuXP.h"
#include "programs/ProgramsMenu.h"

namespace tressel {

// The owner-drawn menu of `menu` and its submenus. An item with id 0, no text and no submenu is
// a separator; the checked item is marked; an item's icon is the small icon of its iconFile,
// none when that file has none.
std::unique_ptr<CMenuXP> BuildProgramsMenu(const ProgramsMenu& menu);

// Shows the programs menu with its top-left corner at the screen point (x, y) for `owner`,
// which must hand its WM_MEASUREITEM and WM_DRAWITEM requests to CMenuXP, and tracks it until
// it closes. Returns the chosen item's id, 0 when it closed without a choice.
int TrackProgramsMenu(HWND owner, int x, int y, const ProgramsMenu& menu);

}  // namespace tressel
