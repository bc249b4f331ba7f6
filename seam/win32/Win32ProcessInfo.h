#pragma once
// The program's own process through kernel32.

#include <windows.h>

#include <functional>

#include "seam/ProcessInfo.h"

namespace tressel {

// Reads a module file name with GetModuleFileNameW's contract (`fetch` fills the buffer of the
// given size and returns the characters copied, the full size when the name was cut, 0 on
// failure), growing the buffer until the whole name fits. Empty when it cannot be read.
std::wstring ReadWholeModuleFileName(const std::function<DWORD(wchar_t*, DWORD)>& fetch);

class Win32ProcessInfo : public ProcessInfo {
  public:
    std::wstring CommandLine() override;
    // Grows its buffer until the whole name fits, so a path beyond 260 characters is never cut
    // (a cut name would put the settings file into a wrong folder).
    std::wstring ModuleFileName() override;
    // FOLDERID_LocalAppData, as the shell names it for this user.
    std::wstring LocalAppDataFolder() override;
    [[noreturn]] void ExitProcess(int exitCode) override;
};

}  // namespace tressel
