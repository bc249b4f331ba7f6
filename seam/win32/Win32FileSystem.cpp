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

bool Win32FileSystem::Copy(const std::wstring& from, const std::wstring& to) {
    return CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
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
    return DeleteFileW(path.c_str()) != FALSE;
}

}  // namespace tressel
