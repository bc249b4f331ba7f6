#include "app/win32/ProgramImage.h"

#include <vector>

#include "framework/UniqueHandle.h"

namespace tressel {
namespace {

struct HostedApp {
    DWORD host;
    DWORD app = 0;
};

BOOL CALLBACK FindHostedApp(HWND child, LPARAM context) {
    auto& found = *reinterpret_cast<HostedApp*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(child, &processId);
    if (processId == found.host) return TRUE;
    found.app = processId;
    return FALSE;
}

}  // namespace

// PROCESS_QUERY_LIMITED_INFORMATION is enough, even for an elevated process
// (learn.microsoft.com/windows/win32/api/winbase/nf-winbase-queryfullprocessimagenamew).
std::wstring ImagePathOf(DWORD processId) {
    const UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    std::vector<wchar_t> path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process.get(), 0, path.data(), &size)) return {};
    return std::wstring(path.data(), size);
}

std::wstring FileNameOfPath(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}

DWORD ProgramProcessOf(HWND window, DWORD processId) {
    if (_wcsicmp(FileNameOfPath(ImagePathOf(processId)).c_str(), L"ApplicationFrameHost.exe") != 0)
        return processId;
    HostedApp found{processId};
    EnumChildWindows(window, FindHostedApp, reinterpret_cast<LPARAM>(&found));
    return found.app ? found.app : processId;
}

}  // namespace tressel
