#pragma once
// The few file operations that replace the settings file safely.

#include <string>

namespace tressel {

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual bool Exists(const std::wstring& path) = 0;
    // Whether `path` names a folder that is there now (a removed drive or share has none).
    virtual bool FolderExists(const std::wstring& path) = 0;
    // Copies `from` over `to` (replacing it).
    virtual bool Copy(const std::wstring& from, const std::wstring& to) = 0;
    // Creates (or truncates) `path` to hold only a UTF-16LE byte-order mark, so that the profile
    // functions keep the file in Unicode.
    virtual bool CreateUnicodeFile(const std::wstring& path) = 0;
    // Opens `path`, flushes it to the disk and closes it again.
    virtual bool FlushToDisk(const std::wstring& path) = 0;
    // Replaces `to` by `from` in one atomic step (MoveFileExW REPLACE_EXISTING | WRITE_THROUGH).
    virtual bool ReplaceAtomically(const std::wstring& from, const std::wstring& to) = 0;
    // Removes `path`, read-only or not.
    virtual bool Remove(const std::wstring& path) = 0;
    // Whether `path` can be opened and read now (false for a missing, locked or forbidden file).
    virtual bool CanRead(const std::wstring& path) = 0;
    // Renames `from` to `to` unless `to` exists; never replaces anything.
    virtual bool RenameNoReplace(const std::wstring& from, const std::wstring& to) = 0;
};

}  // namespace tressel
