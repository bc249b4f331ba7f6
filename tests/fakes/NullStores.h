#pragma once
// Profile store and file system that hold nothing: for tests that do not look at the file.

#include "seam/FileSystem.h"
#include "seam/ProfileStore.h"

namespace tressel::testing {

class NullProfileStore : public ProfileStore {
  public:
    std::wstring GetString(const std::wstring&, const std::wstring&, const std::wstring&,
                           const std::wstring& defaultValue, std::size_t) override {
        return defaultValue;
    }
    bool WriteString(const std::wstring&, const std::wstring&, const std::optional<std::wstring>&,
                     const std::optional<std::wstring>&) override {
        return true;
    }
    void Flush(const std::wstring&) override {}
    std::vector<std::wstring> SectionNames(const std::wstring&) override { return {}; }
};

class NullFileSystem : public FileSystem {
  public:
    bool Exists(const std::wstring&) override { return false; }
    bool FolderExists(const std::wstring&) override { return true; }
    bool Copy(const std::wstring&, const std::wstring&) override { return true; }
    bool CreateUnicodeFile(const std::wstring&) override { return true; }
    bool FlushToDisk(const std::wstring&) override { return true; }
    bool ReplaceAtomically(const std::wstring&, const std::wstring&) override { return true; }
    bool Remove(const std::wstring&) override { return true; }
    bool CanRead(const std::wstring&) override { return false; }
    bool RenameNoReplace(const std::wstring&, const std::wstring&) override { return true; }
    std::optional<FileStamp> Stamp(const std::wstring&) override { return std::nullopt; }
    std::unique_ptr<ReadHold> HoldReadable(const std::wstring&) override { return nullptr; }
    bool CanWrite(const std::wstring&) override { return true; }
    bool CreateFolder(const std::wstring&) override { return true; }
    bool LastRefusalPasses() override { return false; }
};

}  // namespace tressel::testing
