#pragma once
// The few file operations that replace the settings file safely.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tressel {

// A file's size and last write time: equal stamps before and after a read mean that nobody
// wrote the file meanwhile.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    bool operator==(const FileStamp&) const = default;
};

// An open handle that keeps a file readable while it lives: nobody can take the file for
// themselves (an open that shares no reading) until it goes.
class ReadHold {
  public:
    virtual ~ReadHold() = default;
};

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
    // The file's stamp; nullopt when it is not there or cannot be asked.
    virtual std::optional<FileStamp> Stamp(const std::wstring& path) = 0;
    // Opens `path` for reading, sharing everything else; nullptr when it cannot be opened.
    virtual std::unique_ptr<ReadHold> HoldReadable(const std::wstring& path) = 0;
    // Whether `path` could be written now, without changing it: an existing file that opens for
    // writing, or a missing one whose folder takes a new file.
    virtual bool CanWrite(const std::wstring& path) = 0;
    // Makes the folder `path` (its parent must be there); true when it is there afterwards.
    virtual bool CreateFolder(const std::wstring& path) = 0;
    // Whether the latest operation that failed was refused for a reason that passes by itself:
    // the file is open in another program for a moment. False for a lasting refusal (a read-only
    // file or folder, no access, a folder that is not there, a full disk), which only a change
    // by the user mends.
    virtual bool LastRefusalPasses() = 0;
};

}  // namespace tressel
