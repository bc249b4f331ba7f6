#pragma once
// What the program asks of its own process.

#include <string>

namespace tressel {

class ProcessInfo {
  public:
    virtual ~ProcessInfo() = default;
    virtual std::wstring CommandLine() = 0;  // GetCommandLineW
    // The executable's full path, whatever its length (read with a growing buffer).
    virtual std::wstring ModuleFileName() = 0;
    // The user's local application data folder (%LOCALAPPDATA%); empty when it is not known.
    virtual std::wstring LocalAppDataFolder() = 0;
    // Ends the process with this exit code and does not return (a fake records the call and
    // returns). The Win32 program runs its instance end first (GDI+ down, the mutex released).
    virtual void ExitProcess(int exitCode) = 0;
};

}  // namespace tressel
