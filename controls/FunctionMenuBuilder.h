#pragma once
// The function menu on screen: the owner-drawn popup tree built from the function menu tree,
// with its colours, background pictures and entry icons taken from the program's resources.

#include <windows.h>

#include <memory>

#include "config/FunctionMenuTree.h"
#include "controls/MenuXP.h"

namespace tressel {

// Builds the owner-drawn menu of `popup` and, recursively, of its submenus. Every menu gets
// its own background bitmap and every entry its own icon, loaded from the program's module.
std::unique_ptr<CMenuXP> BuildFunctionMenu(const MenuNode& popup);

// Shows the whole function menu with its top-left corner at the screen point (x, y) for
// `owner`, which receives the picked command as WM_COMMAND and must hand its WM_MEASUREITEM
// and WM_DRAWITEM requests to CMenuXP::HandleMeasureItem / HandleDrawItem. With
// `asAllPrograms` (a program's own settings are shown) the menu starts with "As All Programs"
// (command_id::kAsAllPrograms). Returns when the menu has closed; the menu tree is gone by then.
void ShowFunctionMenu(HWND owner, int x, int y, bool asAllPrograms);

}  // namespace tressel
