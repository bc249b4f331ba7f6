#pragma once
// Passes the file operations on to a real file system and records them ("Copy(a,b)" with file
// names only); an operation named in `failing` is recorded, not performed, and fails.

#include <set>
#include <string>

#include "fakes/CallLog.h"
#include "fakes/RecordingProfileStore.h"
#include "seam/FileSystem.h"

namespace tressel::testing {

class FakeFileSystem : public FileSystem {
  public:
    FakeFileSystem(FileSystem& inner, CallLog& log) : inner_(inner), log_(log) {}

    bool Exists(const std::wstring& path) override {
        return Run("Exists", {path}, [&] { return inner_.Exists(path); });
    }
    bool FolderExists(const std::wstring& path) override {
        return Run("FolderExists", {path}, [&] { return inner_.FolderExists(path); });
    }
    bool Copy(const std::wstring& from, const std::wstring& to) override {
        return Run("Copy", {from, to}, [&] { return inner_.Copy(from, to); });
    }
    bool CreateUnicodeFile(const std::wstring& path) override {
        return Run("CreateUnicodeFile", {path}, [&] { return inner_.CreateUnicodeFile(path); });
    }
    bool FlushToDisk(const std::wstring& path) override {
        return Run("FlushToDisk", {path}, [&] { return inner_.FlushToDisk(path); });
    }
    bool ReplaceAtomically(const std::wstring& from, const std::wstring& to) override {
        return Run("ReplaceAtomically", {from, to},
                   [&] { return inner_.ReplaceAtomically(from, to); });
    }
    bool Remove(const std::wstring& path) override {
        return Run("Remove", {path}, [&] { return inner_.Remove(path); });
    }
    bool CanRead(const std::wstring& path) override {
        return Run("CanRead", {path}, [&] { return inner_.CanRead(path); });
    }
    bool RenameNoReplace(const std::wstring& from, const std::wstring& to) override {
        return Run("RenameNoReplace", {from, to}, [&] { return inner_.RenameNoReplace(from, to); });
    }

    std::optional<FileStamp> Stamp(const std::wstring& path) override {
        log_.Add("Stamp(" + FileNameOf(path) + ")");
        return inner_.Stamp(path);
    }
    std::unique_ptr<ReadHold> HoldReadable(const std::wstring& path) override {
        if (!Run("HoldReadable", {path}, [] { return true; })) return nullptr;
        return inner_.HoldReadable(path);
    }
    bool CanWrite(const std::wstring& path) override {
        return Run("CanWrite", {path}, [&] { return inner_.CanWrite(path); });
    }
    bool CreateFolder(const std::wstring& path) override {
        return Run("CreateFolder", {path}, [&] { return inner_.CreateFolder(path); });
    }
    // A failure of an operation named in `failing` passes when `refusalsPass` says so.
    bool LastRefusalPasses() override { return refusalsPass; }

    std::set<std::string> failing;
    bool refusalsPass = false;

  private:
    template <typename Operation>
    bool Run(const std::string& name, std::initializer_list<std::wstring> paths,
             Operation operation) {
        std::string entry = name + "(";
        for (const std::wstring& path : paths) {
            entry += (entry.back() == '(' ? "" : ",") + FileNameOf(path);
        }
        log_.Add(entry + ")");
        if (failing.count(name)) return false;
        return operation();
    }

    FileSystem& inner_;
    CallLog& log_;
};

}  // namespace tressel::testing
