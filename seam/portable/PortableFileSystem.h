#pragma once
// The settings file's replace-safely operations over std::filesystem. On POSIX hosts a rename
// replaces its target atomically, and FlushToDisk really reaches the disk (fsync).

#include "seam/FileSystem.h"

namespace tressel {

class PortableFileSystem : public FileSystem {
  public:
    bool Exists(const std::wstring& path) override;
    bool FolderExists(const std::wstring& path) override;
    bool Copy(const std::wstring& from, const std::wstring& to) override;
    bool CreateUnicodeFile(const std::wstring& path) override;
    bool FlushToDisk(const std::wstring& path) override;
    bool ReplaceAtomically(const std::wstring& from, const std::wstring& to) override;
    bool Remove(const std::wstring& path) override;
    bool CanRead(const std::wstring& path) override;
    bool RenameNoReplace(const std::wstring& from, const std::wstring& to) override;
    std::optional<FileStamp> Stamp(const std::wstring& path) override;
    // POSIX has no sharing modes: nothing keeps a reader out, so the hold only checks the open.
    std::unique_ptr<ReadHold> HoldReadable(const std::wstring& path) override;
    bool CanWrite(const std::wstring& path) override;
    bool CreateFolder(const std::wstring& path) override;
    // Nothing here refuses for a moment only.
    bool LastRefusalPasses() override { return false; }
};

}  // namespace tressel
