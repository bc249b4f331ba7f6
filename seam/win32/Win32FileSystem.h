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
    // file. It fails while another process holds the target open; the caller retries later,
    // never here, so that the window's thread never waits.
    bool ReplaceAtomically(const std::wstring& from, const std::wstring& to) override;
    bool Remove(const std::wstring& path) override;
    bool CanRead(const std::wstring& path) override;
    bool RenameNoReplace(const std::wstring& from, const std::wstring& to) override;
    std::optional<FileStamp> Stamp(const std::wstring& path) override;
    std::unique_ptr<ReadHold> HoldReadable(const std::wstring& path) override;
    bool CanWrite(const std::wstring& path) override;
    bool CreateFolder(const std::wstring& path) override;
    bool LastRefusalPasses() override { return lastRefusalPasses_; }

  private:
    // Keeps what the failed call's error says (of `path`, when known) for LastRefusalPasses;
    // returns false.
    bool Refused(const std::wstring* path);
    bool lastRefusalPasses_ = false;
};

}  // namespace tressel
