#include "seam/win32/Win32FileSystem.h"

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace tressel {
namespace {

constexpr int kReplaceAttempts = 5;
constexpr DWORD kReplaceRetryMs = 20;

}  // namespace

bool Win32FileSystem::Exists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::FolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::Copy(const std::wstring& from, const std::wstring& to) {
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) return false;
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
    if (!file) return false;
    static constexpr unsigned char kByteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    return WriteFile(file.get(), kByteOrderMark, sizeof kByteOrderMark, &written, nullptr) &&
           written == sizeof kByteOrderMark;
}

bool Win32FileSystem::FlushToDisk(const std::wstring& path) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.get());
}

bool Win32FileSystem::ReplaceAtomically(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = GetLastError();
        const bool busy = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        if (!busy || attempt == kReplaceAttempts) return false;
        Sleep(kReplaceRetryMs);
    }
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
    if (!file) return false;
    char byte = 0;
    DWORD got = 0;
    return ReadFile(file.get(), &byte, 1, &got, nullptr) != FALSE;
}

bool Win32FileSystem::RenameNoReplace(const std::wstring& from, const std::wstring& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists.
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace tressel
