#pragma once
// The settings file's replace-safely operations through kernel32.

#include "seam/FileSystem.h"

namespace tressel {

class Win32FileSystem : public FileSystem {
  public:
    bool Exists(const std::wstring& path) override;
    bool FolderExists(const std::wstring& path) override;
    bool Copy(const std::wstring& from, const std::wstring& to) override;
    bool CreateUnicodeFile(const std::wstring& path) override;
    bool FlushToDisk(const std::wstring& path) override;
    // MoveFileExW(REPLACE_EXISTING | WRITE_THROUGH): a rename, so readers see the old or the new
    // file. It fails while another process holds the target open; a few short retries let a
    // passing reader (an editor, a virus scanner) finish.
    bool ReplaceAtomically(const std::wstring& from, const std::wstring& to) override;
    bool Remove(const std::wstring& path) override;
    bool CanRead(const std::wstring& path) override;
    bool RenameNoReplace(const std::wstring& from, const std::wstring& to) override;
};

}  // namespace tressel
