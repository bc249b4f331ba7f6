#include "seam/win32/Win32ProcessInfo.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace tressel {
namespace {

constexpr DWORD kFirstModuleBuffer = MAX_PATH;
// Long paths end at 32767 characters.
constexpr DWORD kLargestModuleBuffer = 32768;

}  // namespace

std::wstring ReadWholeModuleFileName(const std::function<DWORD(wchar_t*, DWORD)>& fetch) {
    for (DWORD size = kFirstModuleBuffer;; size = std::min(size * 2, kLargestModuleBuffer)) {
        std::vector<wchar_t> buffer(size, L'\0');
        const DWORD length = fetch(buffer.data(), size);
        if (length == 0) return {};
        // A name that fills the buffer completely was cut.
        if (length < size) return std::wstring(buffer.data(), length);
        if (size == kLargestModuleBuffer) return {};
    }
}

std::wstring Win32ProcessInfo::CommandLine() { return GetCommandLineW(); }

std::wstring Win32ProcessInfo::ModuleFileName() {
    return ReadWholeModuleFileName(
        [](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
}

std::wstring Win32ProcessInfo::LocalAppDataFolder() {
    // The caller frees the path with CoTaskMemFree, whether or not the call succeeded.
    // https://learn.microsoft.com/windows/win32/api/shlobj_core/nf-shlobj_core-shgetknownfolderpath
    PWSTR path = nullptr;
    const HRESULT result =
        SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &path);
    std::wstring folder = SUCCEEDED(result) && path ? path : L"";
    CoTaskMemFree(path);
    return folder;
}

void Win32ProcessInfo::ExitProcess(int exitCode) { ::ExitProcess(static_cast<UINT>(exitCode)); }

}  // namespace tressel
