#pragma once
// Program file names as the settings know them: the name alone, without its folder, in lower
// case, so that "NOTEPAD.EXE", "Notepad.exe" and "notepad.exe" are one program, as they are one
// file to Windows.

#include <string>
#include <string_view>

namespace tressel {

// Lower case letter by letter: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic, the scripts
// of the program names users meet; other characters stay as they are.
std::wstring FoldProgramName(std::wstring_view name);

// The folded file name of a path or file name; empty when what is left is no file name (empty,
// only blanks or dots, or holding characters no file name holds).
std::wstring ProgramFileName(std::wstring_view pathOrName);

}  // namespace tressel
