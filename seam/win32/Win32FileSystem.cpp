#include "seam/win32/Win32FileSystem.h"

#include <windows.h>

#include <utility>

#include "framework/UniqueHandle.h"

namespace tressel {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool ReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Whether `error`, met on `path`, goes by itself. Another program's open that does not share
// what we asked for gives a sharing or lock violation. A replace or delete of a file that is
// open elsewhere may also be answered "access denied" (as are a read-only file and missing
// rights), so that answer counts as passing only when the file, opened afresh for writing and
// deleting, still refuses with a sharing violation or no longer refuses at all.
// https://learn.microsoft.com/windows/win32/fileio/moving-and-replacing-files
// https://learn.microsoft.com/windows/win32/fileio/creating-and-opening-files (sharing modes)
// Without `path` (a copy: the denial may be the target folder's), "access denied" is lasting.
bool ErrorPasses(DWORD error, const std::wstring* path) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    if (error != ERROR_ACCESS_DENIED || !path || ReadOnly(*path)) return false;
    UniqueFileHandle probe(CreateFileW(path->c_str(), GENERIC_WRITE | DELETE, kShareAll, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe || GetLastError() == ERROR_SHARING_VIOLATION;
}

std::uint64_t Join(DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; }

class HandleReadHold : public ReadHold {
  public:
    explicit HandleReadHold(UniqueFileHandle file) : file_(std::move(file)) {}

  private:
    UniqueFileHandle file_;
};

}  // namespace

bool Win32FileSystem::Refused(const std::wstring* path) {
    const DWORD error = GetLastError();
    lastRefusalPasses_ = ErrorPasses(error, path);
    return false;
}

bool Win32FileSystem::Exists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::FolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::Copy(const std::wstring& from, const std::wstring& to) {
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) return Refused(nullptr);
    // The copy gets the file's attributes, read-only among them, and is written next: make it
    // writable, so that a read-only file fails the save where it should, at the replace, which
    // refuses a read-only target (and not at the copy, as if the folder took no writes).
    // https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-copyfilew (Remarks)
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        return true;
    return SetFileAttributesW(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE;
}

bool Win32FileSystem::CreateUnicodeFile(const std::wstring& path) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return Refused(&path);
    static constexpr unsigned char kByteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    return WriteFile(file.get(), kByteOrderMark, sizeof kByteOrderMark, &written, nullptr) &&
           written == sizeof kByteOrderMark;
}

bool Win32FileSystem::FlushToDisk(const std::wstring& path) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    return (file && FlushFileBuffers(file.get())) || Refused(&path);
}

bool Win32FileSystem::ReplaceAtomically(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
           Refused(&to);
}

bool Win32FileSystem::Remove(const std::wstring& path) {
    // DeleteFileW fails on a read-only file, and CopyFileW gives the copy of a read-only file
    // that attribute too: clear it first, or a failed save would leave its copy behind.
    // https://learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-deletefilew
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileW(path.c_str()) != FALSE;
}

bool Win32FileSystem::CanRead(const std::wstring& path) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return Refused(&path);
    char byte = 0;
    DWORD got = 0;
    return ReadFile(file.get(), &byte, 1, &got, nullptr) != FALSE;
}

bool Win32FileSystem::RenameNoReplace(const std::wstring& from, const std::wstring& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists.
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) || Refused(&from);
}

std::optional<FileStamp> Win32FileSystem::Stamp(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return FileStamp{Join(data.nFileSizeHigh, data.nFileSizeLow),
                     Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

std::unique_ptr<ReadHold> Win32FileSystem::HoldReadable(const std::wstring& path) {
    // Sharing everything, this handle stops no reader or writer; it only keeps out an open that
    // shares no reading (which would have the profile functions read defaults), as such an open
    // must share the access of every handle already there.
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        Refused(&path);
        return nullptr;
    }
    return std::make_unique<HandleReadHold>(std::move(file));
}

bool Win32FileSystem::CanWrite(const std::wstring& path) {
    if (Exists(path)) {
        if (ReadOnly(path)) {
            lastRefusalPasses_ = false;
            return false;
        }
        // Opening for writing changes nothing, not even the last write time.
        UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file || Refused(&path);
    }
    // A probe file in the folder that is gone again when its handle closes.
    const std::wstring probe = path + L".probe";
    UniqueFileHandle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                      nullptr));
    return file || Refused(&probe);
}

bool Win32FileSystem::CreateFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS ||
           Refused(&path);
}

}  // namespace tressel
