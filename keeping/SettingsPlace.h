#pragma once
// Where the settings file lives: beside the executable, as always, unless the program folder
// takes no writes (unpacked under Program Files, a read-only share, a write-protected stick);
// then in the user's local application data folder, in a folder of the program's own, starting
// from the program folder's file when there is one.

#include <string>

#include "seam/FileSystem.h"

namespace tressel {

inline constexpr wchar_t kLocalSettingsFolder[] = L"\\Tressel";

struct SettingsPlace {
    // The file every load and save of this run uses.
    std::wstring path;
    // The file beside the executable (the same as `path` unless the settings moved).
    std::wstring programFolderFile;
    bool Moved() const { return path != programFolderFile; }
};

// Decided once, at start. The program folder's file is used when it can be written, when it is
// held by another program only for now, and when no local application data folder is known.
SettingsPlace ChooseSettingsPlace(FileSystem& files, const std::wstring& moduleFileName,
                                  const std::wstring& localAppData);

// The file a start reads: the moved file once it exists, the program folder's file before.
std::wstring FileToLoad(FileSystem& files, const SettingsPlace& place);

// Before a save of a moved file that is not there yet: its folder made, and the program
// folder's file copied there, so that whatever else it holds carries over.
void PrepareMovedFile(FileSystem& files, const SettingsPlace& place);

}  // namespace tressel
