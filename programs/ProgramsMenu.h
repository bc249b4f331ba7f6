#pragma once
// The programs menu: which settings the window shows, and the ways to add or drop a program's
// own settings. The dialog logic builds the menu as data; the window draws it like the function
// menu and answers the chosen item's id.

#include <string>
#include <vector>

namespace tressel {

// A program that has a visible window now, for "Add a program".
struct RunningProgram {
    std::wstring fileName;  // as ForegroundProgram::fileName
    std::wstring path;      // its full path, for the icon
};

struct ProgramsMenuItem {
    int id = 0;  // 0: a separator, or the head of a submenu
    std::wstring text;
    std::wstring iconFile;                  // the program whose icon the item shows; empty: none
    bool checked = false;                   // the settings shown now
    std::vector<ProgramsMenuItem> submenu;  // not empty: the item opens it
};
using ProgramsMenu = std::vector<ProgramsMenuItem>;

}  // namespace tressel
