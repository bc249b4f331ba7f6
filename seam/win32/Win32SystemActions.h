#pragma once
// SystemActions on Win32: ShellExecuteW, the C runtime's system(), the process token with
// AdjustTokenPrivileges, LookupPrivilegeValueW and SetSystemPowerState.

#include "seam/SystemActions.h"

namespace tressel {

class Win32SystemActions : public SystemActions {
  public:
    void OpenWithShell(const std::wstring& verb, const std::wstring& file,
                       const std::wstring& parameters, const std::wstring& directory,
                       int showCommand) override;
    int RunCommandInterpreter(const std::string& commandLine) override;
    std::unique_ptr<ProcessToken> OpenProcessToken(std::uint32_t desiredAccess) override;
    std::optional<PrivilegeId> LookupPrivilege(const std::wstring& name) override;
    bool SetSystemPowerState(bool suspend, bool force) override;
};

}  // namespace tressel
